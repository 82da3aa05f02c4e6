// The history as the commands fill it: flat-file mails and files, the repeat question, and what the
// history window does with an entry afterwards.
#include <gtest/gtest.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "app/DataFileSending.h"
#include "app/FlatFileCommands.h"
#include "app/HistoryRecorder.h"
#include "app/HistoryResend.h"
#include "core/FileIo.h"
#include "core/TemplateVersion.h"
#include "support/CoreApplication.h"
#include "support/DataLines.h"
#include "support/RecordingMailTransport.h"
#include "support/ScriptedPrompter.h"
#include "transmission/ReportMailDispatcher.h"

using namespace telvainn;
using testdata::dataLine;
using testdata::headerLine;

namespace {

class HistoryRecordingTest : public ::testing::Test {
  protected:
    HistoryRecordingTest() {
        ensureCoreApplication();
        settings.Dsnr = 123;
        settings.Regnr = 4567;
        settings.EmailSystem = QStringLiteral("Microsoft Outlook/Exchange");
        settings.RecipientName = QStringLiteral("Dalvora");
        settings.RecipientAddress = QStringLiteral("telva@dalvora.no");
        locale = Locale::from(QLocale(QLocale::NorwegianBokmal, QLocale::Norway));
        history = std::make_unique<SendHistory>(dir.path(), [this] { return now; });
    }

    // `companies` companies with one report each, of `kind` ("F" or "K").
    QString dataFile(int companies, int report = 10, const char* kind = "F") {
        QStringList lines{headerLine(kind)};
        for (int i = 0; i < companies; ++i) {
            lines.append(dataLine({.regnr = 1000 + i, .report = report}));
        }
        const QString path = dir.filePath(QStringLiteral("data.txt"));
        writeFileBytes(path, testdata::fileText(lines).toLatin1());
        return path;
    }

    SendDataFileResult send(const QString& path, ScriptedPrompter& prompter, RunMode mode = {}) {
        HistoryRecorder recorder(history.get(), mode);
        ReportMailDispatcher mailer(settings, mode.test, transport, &recorder);
        return SendDataFileByMail(path, settings, mode, locale, prompter, mailer, version, {},
                                  {history.get(), mode, RepeatConfirmationOf(prompter)});
    }

    QTemporaryDir dir;
    TSettings settings;
    Locale locale;
    RecordingMailTransport transport;
    TemplateVersion version;
    QDateTime now{QDate(2026, 11, 12), QTime(10, 14), Qt::OffsetFromUTC, 3600};
    std::unique_ptr<SendHistory> history;
};

}  // namespace

TEST_F(HistoryRecordingTest, AFileSentBeforeIsAskedAboutOnceAndNoSendsNothing) {
    ScriptedPrompter first;
    ASSERT_TRUE(send(dataFile(17), first).ok);
    ASSERT_EQ(transport.mails.size(), 17u);

    now = now.addDays(1);
    ScriptedPrompter declined({Answer::No});
    const SendDataFileResult result = send(dataFile(18), declined);
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.message, QString());
    QString listed;
    for (int i = 0; i < 15; ++i) {
        listed += QStringLiteral("Regnr %1: rapport R10 ble sendt 12.11.2026 kl. 10:14.\r\n").arg(1000 + i);
    }
    EXPECT_EQ(declined.questions,
              QStringList{QStringLiteral("Disse rapportene for periode 200906 i fila er sendt før:\r\n\r\n") +
                          listed +
                          QStringLiteral("... og 2 til.\r\n\r\nVil du sende dem igjen? Svarer du nei, sendes "
                                         "ingen av rapportene i fila.")});
    EXPECT_EQ(transport.mails.size(), 17u);

    // Corrections and test mails go without the question.
    ScriptedPrompter none;
    EXPECT_TRUE(send(dataFile(17, 10, "K"), none).ok);
    EXPECT_TRUE(send(dataFile(17), none, RunMode{.test = true}).ok);
    EXPECT_EQ(none.questions, QStringList());
    EXPECT_EQ(transport.mails.size(), 51u);
    EXPECT_EQ(history->list({.limit = 100}).size(), 51);
}

TEST_F(HistoryRecordingTest, EncryptedFilesAreRecordedAsWrittenOrWithWhyNot) {
    const QString path = dataFile(2);
    ScriptedPrompter prompter;
    HistoryRecorder recorder(history.get(), {});
    const SaveDataFileResult saved = SaveDataFileEncrypted(
        path, dir.filePath(QStringLiteral("Filnavn")), settings, {}, locale, prompter, version, &recorder);
    ASSERT_TRUE(saved.ok);
    QList<HistoryRecord> records = history->list({});
    ASSERT_EQ(records.size(), 2);
    for (const HistoryRecord& listed : records) {
        const HistoryRecord record = *history->record(listed.id);
        EXPECT_EQ(record.entry.kind, HistoryKind::EncryptedFile);
        EXPECT_EQ(record.outcome, HistoryOutcome::Sent);
        EXPECT_EQ(record.entry.bytes, readFileBytes(record.entry.recipient));
    }

    const QString nowhere = dir.filePath(QStringLiteral("finnes-ikke/Filnavn"));
    const SaveDataFileResult failed =
        SaveDataFileEncrypted(path, nowhere, settings, {}, locale, prompter, version, &recorder);
    records = history->list({});
    ASSERT_EQ(records.size(), 4);
    EXPECT_EQ(records[0].outcome, HistoryOutcome::Failed);
    EXPECT_EQ(records[0].reply, failed.outputs.reports.back().reason);
    EXPECT_FALSE(records[0].reply.isEmpty());
}

TEST_F(HistoryRecordingTest, ResendMailsTheStoredEnvelopeUnchangedAfterTheQuestion) {
    ScriptedPrompter prompter;
    ASSERT_TRUE(send(dataFile(1), prompter).ok);
    const qint64 id = history->list({}).first().id;
    const QByteArray first = transport.mails[0].request.body;

    HistoryRecorder recorder(history.get(), {});
    ReportMailDispatcher mailer(settings, false, transport, &recorder);
    QStringList asked;
    const auto answer = [&asked](bool yes) {
        return [&asked, yes](const QString& question) {
            asked.append(question);
            return yes;
        };
    };
    ReportResult result = ResendFromHistory(*history, id, mailer, {}, answer(false), settings.RecipientName);
    EXPECT_EQ(result.outcome, ReportResult::Cancelled);
    EXPECT_EQ(asked,
              QStringList{QStringLiteral("Rapport R10 for periode 200906 ble sendt 12.11.2026 kl. 10:14. "
                                         "Vil du sende den igjen?")});
    EXPECT_EQ(transport.mails.size(), 1u);

    result = ResendFromHistory(*history, id, mailer, {}, answer(true), settings.RecipientName);
    EXPECT_EQ(result.message,
              QStringLiteral("Rapporten ble sendt. Du vil motta en kvittering når den er lest hos Dalvora."));
    ASSERT_EQ(transport.mails.size(), 2u);
    EXPECT_EQ(transport.mails[1].request.body, first);
    EXPECT_EQ(transport.mails[1].request.subject, transport.mails[0].request.subject);
    EXPECT_EQ(history->list({}).size(), 2);

    // A normal entry is not sent from a run in test mode.
    result =
        ResendFromHistory(*history, id, mailer, RunMode{.test = true}, answer(true), settings.RecipientName);
    EXPECT_EQ(result.outcome, ReportResult::Failed);
    EXPECT_TRUE(result.message.startsWith(QStringLiteral(
        "Kunne ikke sende rapporten:\r\n-> Rapporten ble sendt i vanlig modus, og kan ikke sendes "
        "igjen når programmet kjører i testmodus.\r\n")));

    // Saved again, byte for byte; a changed entry is neither saved nor sent.
    const QString copy = dir.filePath(QStringLiteral("kopi.txt"));
    EXPECT_TRUE(SaveFromHistory(*history, id, copy).done());
    EXPECT_EQ(readFileBytes(copy), history->record(id)->entry.bytes);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("by-hand"));
        db.setDatabaseName(history->path());
        ASSERT_TRUE(db.open());
        QSqlQuery tamper(db);
        ASSERT_TRUE(
            tamper.exec(QStringLiteral("UPDATE envelope SET bytes = CAST('x' AS BLOB) WHERE sending_id = ") +
                        QString::number(id)));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("by-hand"));
    const QString damaged = QStringLiteral(
                                "Oppføring %1 i historikken stemmer ikke med kontrollsummen (SHA-256) som "
                                "ble lagret da den ble sendt. "
                                "Innholdet er endret eller skadet.")
                                .arg(id);
    EXPECT_EQ(SaveFromHistory(*history, id, copy).message,
              QStringLiteral("Klarte ikke å lagre rapporten:\r\n") + damaged);
    result = ResendFromHistory(*history, id, mailer, {}, answer(true), settings.RecipientName);
    EXPECT_TRUE(result.message.startsWith(QStringLiteral("Kunne ikke sende rapporten:\r\n-> ") + damaged));
    EXPECT_EQ(transport.mails.size(), 2u);
}
