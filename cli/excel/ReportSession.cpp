#include "cli/excel/ReportSession.h"

#include <QFileInfo>
#include <exception>

#include "app/ProgramFolder.h"
#include "cli/CommandSettings.h"
#include "cli/Console.h"
#include "core/Error.h"
#include "workbook/uno/LibreOffice.h"

namespace telvainn::cli {

std::unique_ptr<excel::Application> startSpreadsheet() {
    return excel::uno::makeLibreOfficeApplication();
}

bool spreadsheetAvailable() {
    return excel::uno::libreOfficeAvailable();
}

std::unique_ptr<ReportSession> ReportSession::start(const RunMode& mode, bool assumeYes) {
    std::optional<TSettings> settings = loadCommandSettings(mode);
    if (!settings) {
        return nullptr;
    }
    std::unique_ptr<ReportSession> session(new ReportSession(assumeYes));
    session->settings = *settings;
    session->mode = mode;
    session->reports =
        std::make_unique<TVeskReports>(startSpreadsheet(), session->settings, mode, Locale::fromEnvironment(),
                                       session->prompter, programFolder());
    return session;
}

CommandHistory& ReportSession::recordSends() {
    if (!history) {
        history = std::make_unique<CommandHistory>(mode);
        reports->setDepartureLog(&history->recorder());
    }
    return *history;
}

int withOpenReport(const QString& file, const RunMode& mode, bool assumeYes, int failureCode,
                   const std::function<int(ReportSession&, TVeskReport&)>& command) {
    const auto session = ReportSession::start(mode, assumeYes);
    if (!session) {
        return failureCode;
    }
    TVeskReport* report = nullptr;
    try {
        report = &session->reports->OpenReport(QFileInfo(file).absoluteFilePath());
    } catch (const std::exception& error) {
        err(errorText(error));
        return failureCode;
    }
    const int code = command(*session, *report);
    return session->history ? session->history->finish(code) : code;
}

}  // namespace telvainn::cli
