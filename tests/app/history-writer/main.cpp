// The second program on a program folder for the history tests. It answers on standard output when it
// has reached the point the test waits for, and goes on when the test writes a line to its standard
// input.
//   telvainn-history-writer FOLDER hold RECIPIENT   holds the history's write lock until told, then
//                                                   records a sent mail to RECIPIENT
//   telvainn-history-writer FOLDER begin RECIPIENT  begins a mail to RECIPIENT and never completes it
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <cstdio>
#include <iostream>
#include <string>

#include "app/SendHistory.h"

using namespace telvainn;

namespace {

void say(const QByteArray& line) {
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

HistoryEntry mailTo(const QString& recipient) {
    HistoryEntry entry;
    entry.identity.Dsnr = 123;
    entry.identity.Regnr = 4567;
    entry.identity.Rapportnr = 10;
    entry.identity.Periode = QStringLiteral("202410");
    entry.identity.Rapporttype = QStringLiteral("N");
    entry.recipient = recipient;
    entry.transport = QStringLiteral("smtp");
    entry.bytes = "konvolutt fra " + recipient.toUtf8();
    return entry;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() != 4) {
        std::cerr << "usage: telvainn-history-writer FOLDER hold|begin RECIPIENT\n";
        return 2;
    }
    SendHistory history(args[1]);
    if (!history.available()) {
        std::cerr << history.takeWarning().toStdString() << '\n';
        return 1;
    }
    std::string line;
    if (args[2] == QLatin1String("hold")) {
        {
            QSqlDatabase lock = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("lock"));
            lock.setDatabaseName(sendHistoryPath(args[1]));
            QSqlQuery query(lock);
            if (!lock.open() || !query.exec(QStringLiteral("BEGIN EXCLUSIVE"))) {
                std::cerr << "cannot take the lock\n";
                return 1;
            }
            say("holding");
            std::getline(std::cin, line);
            query.exec(QStringLiteral("COMMIT"));
            lock.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("lock"));
        const qint64 id = history.begin(mailTo(args[3]));
        history.complete(id, HistoryOutcome::Sent, QStringLiteral("250 OK"));
        const QString warning = history.takeWarning();
        if (id == 0 || !warning.isEmpty()) {
            std::cerr << warning.toStdString() << '\n';
            return 1;
        }
        say("recorded " + QByteArray::number(id));
        return 0;
    }
    const qint64 id = history.begin(mailTo(args[3]));
    say("begun " + QByteArray::number(id));
    while (std::getline(std::cin, line)) {
    }
    return 0;
}
