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

// The root element's attributes, in the order they are written.
struct ReportRootAttributes {
    QString dsnr;
    QString regnr;
    QString rapportid;
    QString rapportversjon;
    QString periode;
    QString type;
    QString tidsstempel;
};

// "<Dsnr>-<Regnr>-<yyyyMMddHHmmsszzz>", Dsnr and Regnr zero-padded: the root element's TIDSSTEMPEL.
QString reportTimestamp(int dsnr, int regnr, const QDateTime& buildTime);

// The head of every report document up to and including <DATA>, each line ended by CR LF: the XML
// declaration and the DVRAPPORT start tag, one escaped attribute a line, the program version among them.
QString reportDocumentHead(const ReportRootAttributes& root);

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
    QString m_head;
    QStringList m_objectLines;
};

}  // namespace telvainn
