#include <QFileInfo>
#include <exception>

#include "app/ReportPeriod.h"
#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/TerminalPrompter.h"
#include "cli/excel/ReportSession.h"
#include "core/Error.h"
#include "core/Numbers.h"
#include "core/ReportCatalogue.h"

namespace telvainn::cli {
namespace {

// "10, 11, ... 51 eller 60"
QString reportNumberList() {
    QStringList numbers;
    for (const int reportNumber : kReportNumbers) {
        numbers << QString::number(reportNumber);
    }
    const QString last = numbers.takeLast();
    return numbers.join(QStringLiteral(", ")) + QStringLiteral(" eller ") + last;
}

QString help() {
    return QStringLiteral(
               "Bruk: telvainn-cli ny --rapport NR --periode ÅÅÅÅMM [--korreksjon] [--overskriv] [--ja] FIL\n"
               "\n"
               "Lager en ny rapport fra malen for rapportnummeret (maler/rNR.xls i\n"
               "programmappen) og lagrer den som FIL (\".xls\" legges til når FIL ikke slutter\n"
               "på det). Datasentral- og registernummeret hentes fra telvainn.ini.\n"
               "En fil med samme navn blir bare erstattet med --overskriv.\n"
               "\n"
               "  --rapport NR      %1\n"
               "  --periode ÅÅÅÅMM  perioden, år og måned\n"
               "  --korreksjon      en korreksjonsrapport (type K) i stedet for førstegangs-\n"
               "                    levering (type N)\n"
               "  --overskriv       erstatt FIL om den finnes\n"
               "  --ja              svar ja på spørsmål om perioden\n"
               "\n"
               "Skriver ut rapportens logglinjer.")
        .arg(reportNumberList());
}

}  // namespace

int ny(const QStringList& args) {
    const Arguments arguments(
        args, {QStringLiteral("--korreksjon"), QStringLiteral("--overskriv"), QStringLiteral("--ja")},
        {QStringLiteral("--rapport"), QStringLiteral("--periode")});
    const auto reportText = arguments.value(QStringLiteral("--rapport"));
    const auto period = arguments.value(QStringLiteral("--periode"));
    if (const auto end =
            arguments.endBeforeRun(help(), arguments.positional().size() != 1 || !reportText || !period,
                                   QStringLiteral("Oppgi --rapport, --periode og nøyaktig én fil."))) {
        return *end;
    }
    const int reportNumber = isDigitsOnly(*reportText) && reportText->size() <= 3 ? reportText->toInt() : 0;
    if (!isCatalogueReport(reportNumber)) {
        err(QStringLiteral(
                "\"%1\" er ikke et normalt rapport nr. Programmet kan dermed ikke behandle rapporten.")
                .arg(*reportText));
        return Usage;
    }
    if (period->size() != 6 || !isDigitsOnly(*period)) {
        err(kPeriodFormatMessage);
        return Usage;
    }
    const bool assumeYes = arguments.has(QStringLiteral("--ja"));
    TerminalPrompter prompter(assumeYes);
    const PeriodCheck check = CheckPeriod(reportNumber, *period, QDate::currentDate(), prompter);
    if (!check.accepted()) {
        return Failure;
    }
    QString file = QFileInfo(arguments.positional().front()).absoluteFilePath();
    if (!file.endsWith(QLatin1String(".xls"), Qt::CaseInsensitive)) {
        file += QStringLiteral(".xls");
    }
    // A filled report is never replaced by an empty one unless the user says so.
    const QFileInfo existing(file);
    if ((existing.exists() || existing.isSymLink()) && !arguments.has(QStringLiteral("--overskriv"))) {
        err(QStringLiteral("Fila \"%1\" finnes allerede. Bruk --overskriv for å erstatte den.").arg(file));
        return Failure;
    }

    const auto session = ReportSession::start(RunMode{}, assumeYes);
    if (!session) {
        return Failure;
    }
    try {
        TVeskReport& report = session->reports->NewReport(
            reportNumber, check.period, file,
            arguments.has(QStringLiteral("--korreksjon")) ? QStringLiteral("K") : QStringLiteral("N"));
        for (const QString& line : report.logLines()) {
            out(line);
        }
    } catch (const std::exception& error) {
        err(errorText(error));
        return Failure;
    }
    return Success;
}

}  // namespace telvainn::cli
