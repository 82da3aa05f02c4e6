#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

namespace telvainn {

// What an encrypted report text carries: the clear-text information and the Base64 ciphertext.
struct ParsedEnvelope {
    // Eight entries in the order of the report information list (0 Dsnr, 1 report type, 2 Periode,
    // 3 program version, 4 Regnr, 5 report number, 6 mail system, 7 report version), not in the order
    // of the lines.
    QStringList info;
    // The text after the START marker on line 13; checked to be strict Base64 (see base64Decode).
    QByteArray base64;
};

// The receiving side's check of an encrypted report text as it lies in a file (Windows-1252 bytes).
// Accepted is exactly the layout BuildEncryptedReportText writes, followed by either nothing or one
// CR LF: CR LF line ends, the exact separator lines, heading, labels and markers, an empty line 12, a
// Base64 text after the START marker and the SLUTT marker with its trailing blank. The values after the
// labels are read as Windows-1252. The first deviation raises telvainn::Error with a Norwegian message
// that names the line (1-based) and what was expected there, e.g.
//     Linje 5: forventet "Regnr:            " først på linjen.
ParsedEnvelope ParseEncryptedReportText(QByteArrayView bytes);

}  // namespace telvainn
