#pragma once

#include <QString>

class QPlainTextEdit;

namespace telvainn::ui {

// After a validation, a log of more than ten lines is scrolled to its end and then back to the first
// line that reads `heading`, which stays selected, so that the newest findings start at the top.
// Both searches ignore letter case.
void highlightValidationFindings(QPlainTextEdit& log, const QString& heading);

}  // namespace telvainn::ui
