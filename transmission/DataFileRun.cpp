#include "transmission/DataFileRun.h"

#include <QDir>
#include <QFileInfo>
#include <deque>
#include <future>
#include <memory>

#include "core/Error.h"
#include "core/FileIo.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/Envelope.h"
#include "transmission/EnvelopeCheck.h"

namespace telvainn {
namespace {

// The final steps of a run over the checked reports: every company in order, its reports in catalogue
// order, one encrypted text at a time.
class ReportsRun {
  public:
    ReportsRun(const DataFileReports& reports, const DataFileRunContext& context, DataFileRunOutputs& outputs)
        : m_reports(reports), m_context(context), m_outputs(outputs) {
        for (qsizetype company = 0; company < reports.companyCount(); ++company) {
            for (int index = 0; index < static_cast<int>(kReportNumbers.size()); ++index) {
                m_progress.total += reports.lineCount(company, index) > 0 ? 1 : 0;
            }
        }
    }

    // A run stopped by an error still settles the files already on their way, and their results.
    ~ReportsRun() {
        try {
            while (!m_pending.empty()) {
                finishOldestFile();
            }
        } catch (...) {
        }
    }
    ReportsRun(const ReportsRun&) = delete;
    ReportsRun& operator=(const ReportsRun&) = delete;

    // True when every mail was taken; a file that is not written shows only in its result.
    bool run(DataFileMode mode) {
        if (mode == DataFileMode::SendMails && m_context.mailer == nullptr) {
            throw Error(QStringLiteral("Ingen e-postforsendelse er satt opp."));
        }
        if (mode == DataFileMode::SendMails && m_context.approveSending &&
            !m_context.approveSending(m_reports.header(), reportKeys())) {
            m_outputs.declined = true;
            return false;
        }
        bool success = true;
        for (qsizetype company = 0; company < m_reports.companyCount(); ++company) {
            for (int index = 0; index < static_cast<int>(kReportNumbers.size()); ++index) {
                if (m_reports.lineCount(company, index) == 0) {
                    continue;
                }
                announce(company, index);
                if (mode == DataFileMode::SaveFiles) {
                    save(company, index);
                } else {
                    success = send(company, index) && success;
                }
            }
        }
        while (!m_pending.empty()) {
            finishOldestFile();
        }
        if (m_context.progress) {
            m_context.progress(m_progress);
        }
        return success;
    }

  private:
    std::vector<DataFileReportKey> reportKeys() const {
        std::vector<DataFileReportKey> keys;
        for (qsizetype company = 0; company < m_reports.companyCount(); ++company) {
            for (int index = 0; index < static_cast<int>(kReportNumbers.size()); ++index) {
                if (m_reports.lineCount(company, index) > 0) {
                    keys.push_back(
                        {m_reports.Regnr(company), kReportNumbers[static_cast<std::size_t>(index)]});
                }
            }
        }
        return keys;
    }

    // Tells the run's progress that the report of catalogue index `index` is next.
    void announce(qsizetype company, int index) {
        if (m_context.progress) {
            m_progress.Regnr = m_reports.Regnr(company);
            m_progress.reportNumber = QString::number(kReportNumbers[static_cast<std::size_t>(index)]);
            m_context.progress(m_progress);
        }
        ++m_progress.done;
    }

    // The envelope of one report, and the information list it was built from.
    QByteArray encryptedReportText(qsizetype company, int index, QStringList& list) const {
        list = m_reports.informationList(company, index, m_context.mailSystem, m_context.reportVersion);
        return CheckedEncryptedReportText(list, m_reports.closedReportText(company, index), m_cipher);
    }

    DataFileReportResult& result(qsizetype company, int index) {
        DataFileReportResult& result = m_outputs.reports.emplace_back();
        result.reportNumber = QString::number(kReportNumbers[static_cast<std::size_t>(index)]);
        result.Regnr = m_reports.Regnr(company);
        return result;
    }

    // The bytes are written here, so that a full disk or a size limit meets the report whose bytes do
    // not fit; the wait until they are on the disk is spent on the next reports, and a few such waits
    // at a time let the file system settle them together.
    void save(qsizetype company, int index) {
        QStringList list;
        const QByteArray bytes = encryptedReportText(company, index, list) + "\r\n";
        DataFileReportResult& saved = result(company, index);
        const DataFileHeader& header = m_reports.header();
        saved.path = encryptedReportFilePath(m_context.pathTemplate, header.Periode, saved.Regnr,
                                             saved.reportNumber, header.kindLetter, m_context.testMode);
        const qint64 token =
            m_context.log
                ? m_context.log->departing({DepartureKind::EncryptedFile, list, bytes, saved.path, {}})
                : 0;
        auto file = std::make_shared<AtomicFileWrite>();
        if (!file->write(saved.path, bytes, &saved.reason)) {
            notWritten(saved, token);
            return;
        }
        std::future<Commit> commit = std::async(std::launch::async, [file] {
            Commit done;
            done.ok = file->commit(&done.reason);
            return done;
        });
        m_pending.push_back({m_outputs.reports.size() - 1, token, std::move(commit)});
        if (m_pending.size() > kCommitsInFlight) {
            finishOldestFile();
        }
    }

    void finishOldestFile() {
        PendingFile pending = std::move(m_pending.front());
        m_pending.pop_front();
        const Commit commit = pending.commit.get();
        DataFileReportResult& saved = m_outputs.reports[pending.result];
        saved.done = commit.ok;
        if (!saved.done) {
            saved.reason = commit.reason;
            notWritten(saved, pending.token);
        } else if (m_context.log) {
            m_context.log->departed(pending.token, true, {});
        }
    }

    void notWritten(DataFileReportResult& saved, qint64 token) const {
        // A link at the name is what the reason speaks of.
        const QFileInfo existing(saved.path);
        saved.oldFileLeft = existing.exists() && !existing.isSymLink();
        if (m_context.log) {
            m_context.log->departed(token, false, saved.reason);
        }
    }

    bool send(qsizetype company, int index) {
        QStringList list;
        const QByteArray encrypted = encryptedReportText(company, index, list);
        DataFileReportResult& sent = result(company, index);
        sent.done = m_context.mailer->SendReportMail(list, encrypted, BuildClearTextBlock(list));
        return sent.done;
    }

    static constexpr std::size_t kCommitsInFlight = 4;
    struct Commit {
        bool ok = false;
        QString reason;
    };
    // A written file on its way to the disk, and its place in the results.
    struct PendingFile {
        std::size_t result;
        qint64 token;  // of the departure log
        std::future<Commit> commit;
    };

    const DataFileReports& m_reports;
    const DataFileRunContext& m_context;
    DataFileRunOutputs& m_outputs;
    const BlowfishCipher m_cipher;
    DataFileProgress m_progress;
    std::deque<PendingFile> m_pending;
};

}  // namespace

QString encryptedReportFilePath(const QString& pathTemplate, const QString& periode, const QString& regnr,
                                const QString& reportNumber, const QString& kindLetter, bool testMode) {
    const QFileInfo info(pathTemplate);
    const QString base =
        info.fileName() == QLatin1String("Filnavn") ? QStringLiteral("Kryptert_fil") : info.fileName();
    const QString name = base + QStringLiteral("_Periode") + periode + QStringLiteral("_RegNr") + regnr +
                         QStringLiteral("_R") + reportNumber +
                         (kindLetter == QLatin1String("K") ? kindLetter : QString()) +
                         (testMode ? QStringLiteral("_(testfil).txt") : QStringLiteral(".txt"));
    // A template without a folder writes into the current folder.
    return pathTemplate.contains(QLatin1Char('/')) ? QDir(info.path()).filePath(name) : name;
}

bool ProcessDataFile(const DataFileText& file, DataFileMode mode, DataFileRunOutputs& outputs,
                     const DataFileRunContext& context) {
    outputs = DataFileRunOutputs();
    outputs.companies = static_cast<int>(file.companies().size());
    if (file.companies().isEmpty()) {
        outputs.error = kNoCompaniesMessage;
        return false;
    }
    try {
        const QString firstLine = file.firstLine();
        checkDataFileLineCharacters(firstLine, 1);
        const DataFileHeader header = parseDataFileHeader(firstLine);
        if (!header.valid()) {
            throw Error(kInvalidFirstLineMessage);
        }
        outputs.kindLetter = header.kindLetter;
        outputs.Dsnr = header.Dsnr;
        outputs.Periode = header.Periode;
        const DataFileReports reports(file, header, context.locale, context.clock, outputs.Regnr);
        return ReportsRun(reports, context, outputs).run(mode);
    } catch (const Error& e) {
        outputs.error = e.message();
        return false;
    }
}

bool ProcessDataFile(const QString& path, DataFileMode mode, DataFileRunOutputs& outputs,
                     const DataFileRunContext& context) {
    std::optional<DataFileText> file;
    try {
        file.emplace(DataFileText::read(path));
    } catch (const Error& e) {
        outputs = DataFileRunOutputs();
        outputs.error = QStringLiteral(
                            "Programmet feilet ved forsøk på å hente informasjon fra datafila.\r\n"
                            "Feilmelding: ") +
                        e.message();
        return false;
    }
    return ProcessDataFile(*file, mode, outputs, context);
}

}  // namespace telvainn
