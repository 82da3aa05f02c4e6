#pragma once

#include <QString>

#include "core/Locale.h"
#include "workbook/Excel.h"

// The report templates maler/r10.xls ... r60.xls in the program folder and the record of their versions
// in the "VERSJONER" section of telvainn.ini, which the support staff read.
namespace telvainn {

inline const QString kVersionSection = QStringLiteral("VERSJONER");
inline const QString kProgramVersionKey = QStringLiteral("programversion");

// Shown instead of the reason whenever the versions could not be recorded.
inline const QString kTemplatesUnreachableMessage = QStringLiteral(
    "Kunne ikke kommunisere med rapportmalene i Excel.\r\nSørg for at malene ligger i mappen \"Maler\" under "
    "mappen der denne programfila ligger.");

// A message about the templates followed by the folder this program reads them from, on a line of its
// own: the message speaks of "Maler" beside the program file, which is not where they are looked for.
QString WithTemplatesFolder(const QString& message, const QString& programFolder);

// True when every report number's template file exists; all are looked for even after a missing one.
bool TemplatesPresent(const QString& programFolder);

// The value of A1 on the template's version sheet (the last sheet whose name begins with "Base", else
// the sheet active on opening) as a date serial, the template closed again; 0 when any step fails, and
// a template that was opened then stays open.
double ReadTemplateVersion(excel::Application& excel, const QString& programFolder, int reportNumber);

// Writes every readable template's version date and the program's version date to "VERSJONER" of the
// settings file, key by key as read, with ScreenUpdating off meanwhile. Raises the list of templates it
// could not read (a version of 0 or one that is no date included), after writing the others; raises at
// once when the file cannot be written.
bool RecordTemplateVersions(excel::Application& excel, const QString& programFolder,
                            const QString& settingsFilePath, const Locale& locale);

}  // namespace telvainn
