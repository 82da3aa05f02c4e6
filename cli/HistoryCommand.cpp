#include "cli/HistoryCommand.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "app/ProgramFolder.h"
#include "cli/Console.h"

namespace telvainn::cli {

QString noHistoryMessage() {
    return QStringLiteral("Ingen historikk over sendte rapporter: %1 finnes ikke.")
        .arg(QDir::toNativeSeparators(sendHistoryPath(programFolder())));
}

std::unique_ptr<SendHistory> existingHistory() {
    const QString folder = programFolder();
    if (!QFileInfo::exists(sendHistoryPath(folder))) {
        return nullptr;
    }
    return std::make_unique<SendHistory>(folder);
}

bool printHistoryWarning(SendHistory& history) {
    const QString warning = history.takeWarning();
    if (warning.isEmpty()) {
        return false;
    }
    err(warning);
    return true;
}

QString wholeNumberProblem(const Arguments& arguments, const QString& option) {
    static const QRegularExpression wholeNumber(QStringLiteral("^[0-9]{1,9}$"));
    const std::optional<QString> value = arguments.value(option);
    if (!value || wholeNumber.match(*value).hasMatch()) {
        return QString();
    }
    return QStringLiteral("Valget %1 skal være et helt tall, ikke \"%2\".").arg(option, *value);
}

QString alignedTable(const QList<QStringList>& rows) {
    QList<qsizetype> widths;
    for (const QStringList& row : rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i == widths.size()) {
                widths.append(0);
            }
            widths[i] = std::max(widths[i], row[i].size());
        }
    }
    QString text;
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype i = 0; i < row.size(); ++i) {
            line += i + 1 < row.size() ? row[i].leftJustified(widths[i] + 2) : row[i];
        }
        while (line.endsWith(QLatin1Char(' '))) {
            line.chop(1);
        }
        text += line + QLatin1Char('\n');
    }
    return text;
}

}  // namespace telvainn::cli
