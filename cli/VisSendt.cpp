#include "app/HistoryTexts.h"
#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/HistoryCommand.h"
#include "core/Error.h"
#include "core/FileIo.h"
#include "core/Windows1252.h"

namespace telvainn::cli {
namespace {

const QString kHelp = QStringLiteral(
    "Bruk: telvainn-cli vis-sendt ID [--ut FIL]\n"
    "\n"
    "Viser rapporten i oppføring ID i historikken (se telvainn-cli historikk).\n"
    "En e-post eller en kryptert fil kontrolleres mot kontrollsummen fra da den\n"
    "ble sendt og slik mottakeren leser den, og rapportens XML skrives ut. For\n"
    "en datafil skrives fila ut.\n"
    "\n"
    "  --ut FIL   skriv rapporten til FIL (ellers til standard ut, som\n"
    "             Windows-1252 slik den ble sendt)\n"
    "\n"
    "På en terminal vises kontrolltegn i rapporten som \\x1b og lignende.");

}  // namespace

int visSendt(const QStringList& args) {
    const Arguments arguments(args, {}, {QStringLiteral("--ut")});
    const QStringList& positional = arguments.positional();
    QString problem;
    if (positional.size() != 1) {
        problem = QStringLiteral("Oppgi nøyaktig én ID fra historikken.");
    } else if (positional.front().toLongLong() <= 0 ||
               QString::number(positional.front().toLongLong()) != positional.front()) {
        problem = QStringLiteral("ID skal være et helt tall, ikke \"%1\".").arg(positional.front());
    }
    if (const auto end = arguments.endBeforeRun(kHelp, !problem.isEmpty(), problem)) {
        return *end;
    }
    const qint64 id = positional.front().toLongLong();
    const std::unique_ptr<SendHistory> history = existingHistory();
    if (!history) {
        err(noHistoryMessage());
        return Failure;
    }
    const std::optional<HistoryRecord> record = history->record(id);
    if (!record) {
        if (!printHistoryWarning(*history)) {
            err(QStringLiteral("Historikken har ingen oppføring %1.").arg(id));
        }
        return Failure;
    }
    try {
        const SentReportContent content = ReadSentReport(*record);
        const QString& report = record->entry.kind == HistoryKind::DataFile ? content.clearText : content.xml;
        if (const auto outFile = arguments.value(QStringLiteral("--ut"))) {
            writeFileBytes(*outFile, toWindows1252(report));
        } else if (isTerminal(stdout)) {
            print(stdout, report);
        } else {
            writeBytes(stdout, toWindows1252(report));
        }
    } catch (const Error& e) {
        err(e.message());
        return Failure;
    }
    return printHistoryWarning(*history) ? Failure : Success;
}

}  // namespace telvainn::cli
