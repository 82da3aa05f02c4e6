#include "report/TVeskReport.h"

#include <exception>

#include "core/Error.h"
#include "core/FileIo.h"
#include "core/ReportCatalogue.h"

namespace telvainn {
namespace {

// The one lower-case letter that marks the report sheet of a template; "Rapport" does not count.
constexpr QChar kReportSheetInitial = u'r';

// The template is copied whole into place or not at all: a failed copy must not leave the old file to
// be opened and overwritten as if it were the new report.
void copyTemplate(const QString& templateFile, const QString& fileName) {
    if (isSameFile(templateFile, fileName)) {
        throw Error(
            QStringLiteral("Fila \"%1\" er malen selv og kan ikke bli en rapport. Velg et annet filnavn.")
                .arg(fileName));
    }
    writeFileBytes(fileName, readFileBytes(templateFile));
}

}  // namespace

QString macroFailureMessage(const QString& macro) {
    return QStringLiteral("Feilet ved kall til makro \"") + macro +
           QStringLiteral("\" etter åpning av fila.") +
           QStringLiteral(
               " Makroen skulle bygge opp første nedtrekksmeny. Dersom menyen nå er tom, klikker") +
           QStringLiteral(" du base-arket, og deretter på rapport-arket igjen.");
}

TVeskReport::TVeskReport(ReportOwner* owner, const ReportEnvironment& environment, const QString& fileName,
                         int Regnr, int Dsnr)
    : m_owner(owner), m_environment(environment), m_fileName(fileName) {
    m_identity.Regnr = Regnr;
    m_identity.Dsnr = Dsnr;
}

std::unique_ptr<TVeskReport> TVeskReport::CreateNew(ReportOwner* owner, const ReportEnvironment& environment,
                                                    int Rapportnr, const QString& Periode,
                                                    const QString& Rapporttype, const QString& fileName,
                                                    int Regnr, int Dsnr) {
    std::unique_ptr<TVeskReport> report(new TVeskReport(owner, environment, fileName, Regnr, Dsnr));
    report->m_identity.Rapportnr = Rapportnr;
    report->m_identity.Periode = Periode;
    excel::Application& excel = environment.excel;
    try {
        const CatalogueEntry& entry = catalogueEntry(Rapportnr);
        copyTemplate(templatePath(environment.programFolder, Rapportnr), fileName);
        excel.SetScreenUpdating(false);
        report->m_workbook = excel.Open(fileName);
        report->routeCloseNotification();

        auto& workbook = *report->m_workbook;
        const int count = workbook.WorksheetCount();
        for (int index = 1; index <= count; ++index) {
            auto sheet = workbook.Worksheets(index);
            if (sheet->Name().startsWith(kReportSheetInitial)) {
                report->m_reportSheet = std::move(sheet);
                break;
            }
            report->m_reportSheet = workbook.ActiveSheet();
        }
        if (!report->m_reportSheet) {
            report->m_reportSheet = workbook.ActiveSheet();
        }
        report->m_reportSheet->Activate();
        report->callMacro(QString::fromLatin1(entry.macro));

        report->m_identity.Rapporttype = Rapporttype.toUpper();
        report->m_identity.generation = TemplateGeneration::Current;
        report->m_validator = makeValidator(TemplateGeneration::Current, excel, environment.programFolder,
                                            Rapportnr, environment.locale, environment.templateVersion);
        report->m_validator->setSheetReading(environment.reading);

        report->m_reportSheet->Unprotect();
        report->WriteHeading();
        report->m_reportSheet->Protect();
        workbook.Activate();
        workbook.Save();

        report->m_logLines << QStringLiteral("Starter ny rapport")
                           << identityLogLines(report->m_identity, fileName,
                                               environment.templateVersion.text());
    } catch (...) {
        report->finishOpening(false);
        throw;
    }
    report->finishOpening(true);
    return report;
}

std::unique_ptr<TVeskReport> TVeskReport::OpenExisting(ReportOwner* owner,
                                                       const ReportEnvironment& environment,
                                                       const QString& fileName, int Regnr, int Dsnr) {
    std::unique_ptr<TVeskReport> report(new TVeskReport(owner, environment, fileName, Regnr, Dsnr));
    excel::Application& excel = environment.excel;
    try {
        excel.SetScreenUpdating(false);
        report->m_workbook = excel.Open(fileName);
        report->routeCloseNotification();
        report->m_reportSheet = report->m_workbook->ActiveSheet();
        report->ReadHeading();
        report->m_validator =
            makeValidator(report->generation(), excel, environment.programFolder, report->Rapportnr(),
                          environment.locale, environment.templateVersion);
        report->m_validator->setSheetReading(environment.reading);
        report->m_logLines << QStringLiteral("Åpner eksisterende rapport")
                           << identityLogLines(report->m_identity, fileName,
                                               environment.templateVersion.text());
        report->m_workbook->Activate();
        if (report->generation() == TemplateGeneration::Current) {
            report->callMacro(QString::fromLatin1(catalogueEntry(report->Rapportnr()).macro));
        }
    } catch (...) {
        report->finishOpening(false);
        throw;
    }
    report->finishOpening(true);
    return report;
}

TVeskReport::~TVeskReport() {
    *m_alive = false;
    m_logLines.clear();
    m_validator.reset();
    try {
        m_environment.excel.SetEnableEvents(false);
    } catch (const std::exception&) {
    }
    if (m_workbook) {
        try {
            m_workbook->OnBeforeClose(nullptr);
        } catch (const std::exception&) {
        }
        if (m_closeOnRelease) {
            try {
                m_workbook->Close();
            } catch (const std::exception&) {
            }
        }
    }
}

void TVeskReport::routeCloseNotification() {
    m_workbook->OnBeforeClose([this, alive = std::weak_ptr<bool>(m_alive)] {
        const auto living = alive.lock();
        if (!living || !*living) {
            return;
        }
        m_closeOnRelease = false;
        if (m_owner != nullptr) {
            m_owner->ReportClosedByUser(*this);  // may release this report
        }
    });
}

void TVeskReport::callMacro(const QString& macro) {
    try {
        m_environment.excel.Run(QLatin1Char('\'') + m_workbook->Name() + QStringLiteral("'!") + macro);
    } catch (const std::exception&) {
        m_environment.prompter.tell(MessageKind::Error, macroFailureMessage(macro));
    }
}

void TVeskReport::finishOpening(bool succeeded) {
    excel::Application& excel = m_environment.excel;
    try {
        excel.SetVisible(true);
        if (succeeded) {
            excel.SetWindowVisible(m_workbook->Name(), true);
        }
        excel.SetScreenUpdating(true);
    } catch (const std::exception&) {
        if (succeeded) {
            throw;
        }
    }
}

bool TVeskReport::ConfirmSaved() {
    if (!m_workbook->IsOpen()) {
        // Gone with the office that had it: there is nothing left to go back to and save.
        return false;
    }
    return m_environment.prompter.ask(MessageKind::Warning, kSaveReminderMessage, Buttons::OkCancel) !=
           Answer::Ok;
}

QStringList TVeskReport::InformationList(const QString& mailSystem) const {
    return informationList(m_identity, mailSystem, m_environment.templateVersion.text());
}

QString TVeskReport::DataFileName() const {
    return dataFileNameFor(m_fileName);
}

void TVeskReport::setSheetReading(SheetReading reading) {
    m_environment.reading = reading;
    if (m_validator) {
        m_validator->setSheetReading(reading);
    }
}

void TVeskReport::Validate() {
    m_validator->RunValidation({*m_reportSheet, m_identity.generation, m_identity.Rapporttype, m_logLines,
                                m_validationHeading, m_workbook.get()});
}

}  // namespace telvainn
