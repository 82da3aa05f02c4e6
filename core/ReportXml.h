#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "core/Locale.h"
#include "core/ReportIdentity.h"
#include "core/RowRecord.h"

namespace telvainn {

inline const QString kNoObjectLinesMessage = QStringLiteral("Rapporten inneholder ingen data linjer");

// One OBJEKT line of the XML report document. Only the row's text is escaped; empty codes get their
// zero defaults and verdi is written as a whole number. Raises an amount message when verdi holds
// anything but a number or rounds to more than ten digits.
QString FormatObjectElement(const RowRecord& row, const Locale& locale);

// "Klarte ikke formatere rapportens rad nr <n> -> <reason>": the failure of a row of the XML document.
QString xmlRowFailure(int rowNumber, const QString& reason);

// Collects the XML report document of one report while its rows are walked.
class XmlDocumentBuilder {
  public:
    // The identity and the build time go into the root element's attributes.
    XmlDocumentBuilder(const TReportIdentity& identity, const QDateTime& buildTime, const Locale& locale);

    // Raises "Klarte ikke formatere rapportens rad nr <n> -> <reason>" when the row cannot be written;
    // the reason of a bad amount ends with `amountNote`, which names its cell.
    void addRow(int rowNumber, const RowRecord& row, const QString& amountNote = QString());

    // The whole document, every line ended by CR LF; raises kNoObjectLinesMessage when no row was added.
    QString text() const;

  private:
    Locale m_locale;
    QStringList m_headLines;
    QStringList m_objectLines;
};

}  // namespace telvainn
