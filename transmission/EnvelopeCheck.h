#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include "transmission/BlowfishCipher.h"

namespace telvainn {

// %1: what differed.
inline const QString kEnvelopeCheckFailedMessage = QStringLiteral(
    "Kontrollen av den krypterte rapporten fant at den ikke kan leses tilbake til det den ble laget "
    "av:\r\n%1\r\nRapporten er verken sendt eller lagret.");

// Reads `envelope` back the way the agency does — the strict parser, then the decryption — and compares
// it with the information list and the document it was made from, as their Windows-1252 bytes. Raises
// telvainn::Error with kEnvelopeCheckFailedMessage at the first difference. Nothing on the way to the
// agency checks an envelope, so a fault in making one would otherwise show only there.
void CheckEnvelopeReadsBack(QByteArrayView envelope, const QStringList& informationList,
                            const QString& document, const BlowfishCipher& cipher);

// The encrypted report text of `document` (BuildEncryptedReportText), once it has passed the check.
QByteArray CheckedEncryptedReportText(const QStringList& informationList, const QString& document,
                                      const BlowfishCipher& cipher);

}  // namespace telvainn
