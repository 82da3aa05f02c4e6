#pragma once

#include <QString>

namespace telvainn::excel {

// Whether the file is marked read-only: its permissions let no one write it. Calc opens such a file
// read-only for everyone but root; the engines refuse to save over it for root too, as a spreadsheet
// program respects a file's read-only attribute whoever runs it.
bool fileMarkedReadOnly(const QString& path);

}  // namespace telvainn::excel
