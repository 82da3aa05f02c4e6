#include "workbook/uno/LibreOffice.h"

#include <QTemporaryDir>

#include "workbook/uno/UnoEngine.h"

namespace telvainn::excel::uno {

std::unique_ptr<Application> makeLibreOfficeApplication(const LibreOfficeOptions& options) {
    return std::make_unique<UnoApplication>(options);
}

QString libreOfficeConnection(Application& application) {
    const auto* office = dynamic_cast<UnoApplication*>(&application);
    return office ? office->connectionString() : QString();
}

bool libreOfficeAvailable(const LibreOfficeOptions& options) {
    try {
        // Its own office, never the program's: the check must not disturb an open report.
        QTemporaryDir profiles;
        if (!profiles.isValid()) {
            return false;
        }
        LibreOfficeOptions own = options;
        own.headless = true;
        own.profileFolder = profiles.path();
        UnoApplication office(own);
        office.NewWorkbook()->Close();  // starts it and proves that it answers
        office.SetDisplayAlerts(false);
        office.Quit();
        return true;
    } catch (const Error&) {
        return false;
    }
}

}  // namespace telvainn::excel::uno
