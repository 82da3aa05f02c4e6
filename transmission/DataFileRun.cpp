#include "transmission/DataFileRun.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <deque>

#include "core/ControlCharacters.h"
#include "core/Error.h"
#include "core/FileIo.h"
#include "core/Numbers.h"
#include "core/TemplateVersion.h"
#include "transmission/Envelope.h"

namespace telvainn {
namespace {

QString lineLengthMessage(qsizetype length) {
    return QStringLiteral("Fila inneholdt en linje med %1 tegn, og programmet taklet ikke å lese det.")
        .arg(length);
}

QString unknownCompanyMessage(qsizetype lineNumber, const QString& regnr) {
    return QStringLiteral(
               "Linje nr %1 i fila begynner ikke med et regnr programmet kjenner (\"%2\"). "
               "Linjen kan ikke ha blanke tegn foran regnr.")
        .arg(lineNumber)
        .arg(withVisibleControls(regnr));
}

// What follows "ErrorOccured(<nr>)" in the result list: whose file, where, why, and that a file of that
// name from before is not this report.
QString notWrittenDetails(const QString& regnr, const QString& path, const QString& reason,
                          bool oldFileThere) {
    QString details =
        QStringLiteral(" Regnr %1, fila \"%2\": %3").arg(regnr, withVisibleControls(path), reason);
    if (!details.endsWith(QLatin1Char('.'))) {
        details += QLatin1Char('.');
    }
    if (oldFileThere) {
        details += QStringLiteral(
            " En eldre fil med samme navn ligger der fortsatt og inneholder ikke denne "
            "rapporten.");
    }
    return details;
}

}  // namespace

TDataFileReports::TDataFileReports(DataFileHeader header, const DataFileRunContext& context,
                                   QStringList& results)
    : DataFileReportTexts(std::move(header), context.locale, context.clock),
      m_context(context),
      m_results(results) {}

QByteArray TDataFileReports::encryptedReportText(int index, QStringList& list) const {
    list = informationList(index, m_context.mailSystem, templateVersionText());
    return BuildEncryptedReportText(list, m_cipher.EncryptReportText(closedReportText(index)));
}

void TDataFileReports::announce(DataFileProgress& progress, int index) const {
    if (m_context.progress) {
        progress.Regnr = Regnr();
        progress.reportNumber = QString::number(kReportNumbers[static_cast<std::size_t>(index)]);
        m_context.progress(progress);
    }
    ++progress.done;
}

void TDataFileReports::SaveReports(DataFileProgress& progress) {
    const QString pathTemplate = m_results.value(0);
    for (std::size_t i = 0; i < kReportNumbers.size(); ++i) {
        const int index = static_cast<int>(i);
        if (lineCount(index) == 0) {
            continue;
        }
        announce(progress, index);
        const QString reportNumber = QString::number(kReportNumbers[i]);
        QStringList list;
        const QByteArray bytes = encryptedReportText(index, list) + "\r\n";
        const QString path = encryptedReportFilePath(pathTemplate, header().Periode, Regnr(), reportNumber,
                                                     header().kindLetter, m_context.testMode);
        QString reason;
        if (writeFileAtomically(path, bytes, &reason)) {
            m_results.append(path);
        } else {
            // A link at the name is what the reason speaks of.
            const QFileInfo existing(path);
            const bool oldFileThere = existing.exists() && !existing.isSymLink();
            m_results.append(QStringLiteral("ErrorOccured(%1)").arg(reportNumber) +
                             notWrittenDetails(Regnr(), path, reason, oldFileThere));
        }
    }
}

void TDataFileReports::SendReports(bool& success, DataFileProgress& progress, DataFileRunOutputs& outputs) {
    if (m_context.mailer == nullptr) {
        throw Error(QStringLiteral("Ingen e-postforsendelse er satt opp."));
    }
    for (std::size_t i = 0; i < kReportNumbers.size(); ++i) {
        const int index = static_cast<int>(i);
        if (lineCount(index) == 0) {
            continue;
        }
        announce(progress, index);
        QStringList list;
        const QByteArray encrypted = encryptedReportText(index, list);
        const QString reportNumber = QString::number(kReportNumbers[i]);
        bool sent = false;
        try {
            sent = m_context.mailer->SendReportMail(list, encrypted, BuildClearTextBlock(list));
        } catch (const Error&) {
            outputs.failed.push_back({Regnr(), reportNumber});
            throw;
        }
        (sent ? outputs.delivered : outputs.failed).push_back({Regnr(), reportNumber});
        success = success && sent;
        m_results.append(reportNumber);
    }
}

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

bool ProcessDataFile(const QString& path, DataFileMode mode, QStringList& results,
                     DataFileRunOutputs& outputs, const DataFileRunContext& context) {
    outputs.kindLetter = outputs.Dsnr = outputs.Periode = outputs.Regnr = outputs.reportNumber =
        QStringLiteral("?");
    outputs.delivered.clear();
    outputs.failed.clear();

    QStringList lines;
    QStringList companies;
    try {
        lines = readTextFileLines(path);
        companies = companiesInDataFile(lines);
    } catch (const Error& e) {
        outputs.error = QStringLiteral(
                            "Programmet feilet ved forsøk på å hente informasjon fra datafila.\r\n"
                            "Feilmelding: ") +
                        e.message();
        return false;
    }
    outputs.companies = static_cast<int>(companies.size());
    if (companies.isEmpty()) {
        outputs.error = kNoCompaniesMessage;
        return false;
    }

    try {
        checkDataFileLineCharacters(lines.front(), 1);
        const DataFileHeader header = parseDataFileHeader(lines.front());
        outputs.kindLetter = header.kindLetter;
        outputs.Dsnr = header.Dsnr;
        outputs.Periode = header.Periode;

        // A deque keeps every company's address stable while the run holds references to them.
        std::deque<TDataFileReports> reports;
        // Looked up for every line, so a file of many companies is not searched through line by line.
        QHash<QString, std::size_t> companyIndex;
        for (qsizetype i = 0; i < companies.size(); ++i) {
            reports.emplace_back(header, context, results);
            companyIndex.insert(companies[i], static_cast<std::size_t>(i));
        }

        for (qsizetype n = 1; n < lines.size(); ++n) {
            const QString& line = lines[n];
            checkDataFileLineCharacters(line, n + 1);
            const qsizetype length = trimBlanks(line).size();
            if (length == 0) {
                continue;
            }
            if (length != kDataLineLength) {
                throw Error(lineLengthMessage(length));
            }
            outputs.Regnr = line.left(4);
            const auto company = companyIndex.constFind(outputs.Regnr);
            if (company == companyIndex.constEnd()) {
                throw Error(unknownCompanyMessage(n + 1, outputs.Regnr));
            }
            reports[*company].AddDataLine(line, n + 1);
        }

        DataFileProgress progress;
        for (const auto& company : reports) {
            for (std::size_t i = 0; i < kReportNumbers.size(); ++i) {
                progress.total += company.lineCount(static_cast<int>(i)) > 0 ? 1 : 0;
            }
        }
        bool success = true;
        for (auto& company : reports) {
            if (mode == DataFileMode::SaveFiles) {
                company.SaveReports(progress);
            } else {
                company.SendReports(success, progress, outputs);
            }
        }
        if (context.progress) {
            context.progress(progress);
        }
        return success;
    } catch (const Error& e) {
        outputs.error = e.message();
        return false;
    }
}

}  // namespace telvainn
