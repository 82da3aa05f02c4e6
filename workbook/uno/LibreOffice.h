#pragma once

#include <memory>

#include "workbook/Excel.h"
#include "workbook/uno/LibreOfficeOptions.h"

namespace telvainn::excel::uno {

// The call in flight when the office died fails with this; the next call starts a new office.
inline const QString kOfficeDiedMessage =
    QStringLiteral("LibreOffice Calc avsluttet uventet. Neste forsøk starter LibreOffice på nytt.");
// The watchdog's bound (in seconds) ran out; the office was ended.
inline const QString kOfficeHungMessage =
    QStringLiteral("LibreOffice Calc svarte ikke på %1 sekunder og ble avsluttet.");

// The Excel interface over a LibreOffice Calc process of our own, started on first need and started
// again when it has died.
std::unique_ptr<Application> makeLibreOfficeApplication(const LibreOfficeOptions& options = {});

// Where the application's office accepts connections ("pipe,name=…"), for another process that must
// reach the same office; empty when none runs.
QString libreOfficeConnection(Application& application);

// The availability check: a separate, short-lived office that is started, told not to show alerts and
// ended. True when all of that worked.
bool libreOfficeAvailable(const LibreOfficeOptions& options = {});

}  // namespace telvainn::excel::uno
