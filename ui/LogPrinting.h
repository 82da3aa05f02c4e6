#pragma once

#include <QString>
#include <memory>

#include "core/Prompter.h"
#include "ui/DialogRunner.h"

class QPrinter;
class QTextDocument;
class QWidget;

namespace telvainn::ui {

inline const QString kLogPrintHeading = QStringLiteral("Telva innrapportering  -  utskrift av loggvindu");
inline const QString kLogPrintTitle = QStringLiteral("Valideringslogg");

// The printed log: a heading, a rule and an empty line above the lines of the log window, left-aligned in
// a fixed-pitch font and wrapped at word boundaries. An empty log still gives the heading.
std::unique_ptr<QTextDocument> buildLogDocument(const QString& logText);

// A4 portrait with 25 mm margins all round; the preview starts from this page and the user may change it
// there before printing.
void setUpLogPage(QPrinter& printer);

// Prints the document on the printer's page as it is set up, over as many pages as it takes. Raises an
// Error when the printer cannot be started.
void printLogDocument(QTextDocument& document, QPrinter& printer);

// Shows the print preview of the log (a dialog named "PrintPreview", shown through `run`), from which
// the user prints. Every failure is told to the user as an error.
void printLog(QWidget* parent, const QString& logText, Prompter& prompter, const DialogRunner& run);

}  // namespace telvainn::ui
