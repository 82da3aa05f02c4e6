#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include "core/Locale.h"
#include "core/ReportIdentity.h"
#include "core/RowRecord.h"

namespace telvainn {

inline const QString kNoDataLinesMessage =
    QStringLiteral("Klarte ikke generere noen datalinjer. Fila kan være tom.");

// "\"<verdi>\" er ikke et gyldig beløp.": a verdi that cannot be read as an amount.
QString notAnAmountMessage(QStringView verdi);

// The data line of one kept row: Regnr, Rapportnr, Periode, tillegg, objektid, sektor, naering, land,
// valuta, sign and amount, each zero-padded to its width (45 characters unless a number is wider than
// its field). Raises the integer or amount message for a field that cannot be converted.
QString formatDataLine(const TReportIdentity& identity, const RowRecord& row, const Locale& locale);

// The line before the data lines: kind letter, Dsnr, Periode, number of data lines, Rapportnr and
// fourteen zeros.
QString formatDataHeaderLine(const TReportIdentity& identity, int dataLineCount);

// "Klarte ikke formatere rapportens rad nr <n>\r\n<reason>": the failure of a row of the data lines.
QString dataLineRowFailure(int rowNumber, const QString& reason);

// Collects the data lines of one report while its rows are walked.
class DataLinesBuilder {
  public:
    DataLinesBuilder(const TReportIdentity& identity, const Locale& locale);

    // Raises "Klarte ikke formatere rapportens rad nr <n>\r\n<reason>" when the row cannot be written;
    // the reason of a bad amount ends with `amountNote`, which names its cell.
    void addRow(int rowNumber, const RowRecord& row, const QString& amountNote = QString());

    // The header line and every data line, each ended by CR LF; raises kNoDataLinesMessage when no row
    // was added.
    QString text() const;

  private:
    TReportIdentity m_identity;
    Locale m_locale;
    QStringList m_lines;
};

// The bytes of a data file holding `dataLinesText`: trimmed at both ends and closed by one CR LF, so the
// file ends with exactly one line break whatever the text ended with.
QByteArray dataFileBytes(const QString& dataLinesText);

}  // namespace telvainn
