#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace telvainn {

// How a report leaves the program.
enum class DepartureKind {
    Mail,           // sent by mail: the envelope
    EncryptedFile,  // saved as an encrypted file to attach by hand: the envelope and its CR LF
    DataFile,       // written as a plain data file: the file's bytes
};

struct Departure {
    DepartureKind kind = DepartureKind::Mail;
    QStringList informationList;  // the report's eight texts, in the order of the envelope's list
    QByteArray bytes;             // exactly what leaves
    QString recipient;            // the address the mail is delivered to, or the path of the file
    QString transport;            // "smtp" or "sendmail"; empty for a file
};

// Told of every report before it leaves and once more when it has left or failed, so that a program
// ended in between leaves a trace of a report that may have gone. Nothing it does may stop a report.
class DepartureLog {
  public:
    virtual ~DepartureLog() = default;
    // A token for departed().
    virtual qint64 departing(const Departure& departure) = 0;
    // `text`: what the transport said of the accepted mail when `left`, the reason otherwise.
    virtual void departed(qint64 token, bool left, const QString& text) = 0;
};

}  // namespace telvainn
