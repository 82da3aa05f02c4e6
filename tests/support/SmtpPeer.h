#pragma once

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <vector>

#include "support/PeerProcess.h"

// One message as the test SMTP server received it, decoded by Python's e-mail package.
struct ReceivedPart {
    QString contentType;
    QString charset;
    QString transferEncoding;
    QString disposition;
    QString filename;
    QByteArray payload;  // decoded
};

struct ReceivedMail {
    QString listener;
    QString mailFrom;
    QStringList rcptTos;
    QString login;
    bool tls = false;
    QByteArray raw;  // as received, dot-stuffing removed
    QString subject;
    QString date;
    QString messageId;
    QString contentType;
    QString toDisplayName;
    QString toAddrSpec;
    QString fromAddrSpec;
    QStringList defects;
    std::vector<ReceivedPart> parts;
};

// The aiosmtpd server of tests/support/smtp_server.py with the login "ola"/"hemmelig": listeners
// "plain" and "auth", with a certificate "starttls" and "tls", with `dropDataAfter` "drop", and with
// `stall` "stall", which never answers once it has the message. A
// throw-away certificate for 127.0.0.1 is made with openssl in a temporary folder.
class SmtpPeer {
  public:
    static constexpr const char* kUser = "ola";
    static constexpr const char* kPassword = "hemmelig";

    struct Options {
        bool tls = false;
        QStringList refuse;         // recipients answered with 550
        QStringList rejectSubject;  // messages whose subject holds one of these get 554
        // The "drop" listener resets every connection after this many bytes of message data.
        std::optional<int> dropDataAfter;
        bool stall = false;
    };

    explicit SmtpPeer(const Options& options) {
        QDir(m_dir.path()).mkdir(QStringLiteral("inn"));
        QStringList arguments = {QStringLiteral(TELVAINN_TEST_SUPPORT_DIR "/smtp_server.py"),
                                 QStringLiteral("--out"), inbox()};
        if (options.tls) {
            if (!runToEnd(QStringLiteral("openssl"),
                          {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                           QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                           QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                           QStringLiteral("-keyout"), keyFile(), QStringLiteral("-out"), certificateFile(),
                           QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                           QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-addext"),
                           QStringLiteral("subjectAltName=IP:127.0.0.1,DNS:localhost")})) {
                return;
            }
            arguments << QStringLiteral("--cert") << certificateFile() << QStringLiteral("--key")
                      << keyFile();
        }
        for (const QString& address : options.refuse) {
            arguments << QStringLiteral("--refuse") << address;
        }
        for (const QString& text : options.rejectSubject) {
            arguments << QStringLiteral("--reject-subject") << text;
        }
        if (options.stall) {
            arguments << QStringLiteral("--stall");
        }
        if (options.dropDataAfter) {
            arguments << QStringLiteral("--drop-data-after") << QString::number(*options.dropDataAfter);
        }
        m_process = std::make_unique<PeerProcess>(kSystemPython, arguments);
        m_ports = QJsonDocument::fromJson(m_process->readyLine()).object();
    }

    bool ready() const { return m_process && m_process->ready() && !m_ports.isEmpty(); }
    QString error() const { return m_process ? m_process->error() : QStringLiteral("no certificate"); }

    int port(const char* listener) const { return m_ports.value(QLatin1String(listener)).toInt(); }
    QString certificateFile() const { return m_dir.filePath(QStringLiteral("cert.pem")); }

    // Every message received so far, in the order of arrival.
    std::vector<ReceivedMail> mails() const {
        std::vector<ReceivedMail> result;
        const QDir dir(inbox());
        for (const QString& name : dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
            QFile file(dir.filePath(name));
            if (!file.open(QIODevice::ReadOnly)) {
                ADD_FAILURE() << "cannot read " << name.toStdString();
                continue;
            }
            result.push_back(parse(QJsonDocument::fromJson(file.readAll()).object()));
        }
        return result;
    }

    // How many messages the "stall" listener has taken without answering.
    qsizetype stalls() const {
        return QDir(inbox()).entryList({QStringLiteral("*.stalled")}, QDir::Files).size();
    }

    // How many connections the "drop" listener has cut in the middle of a message.
    qsizetype drops() const {
        return QDir(inbox()).entryList({QStringLiteral("*.dropped")}, QDir::Files).size();
    }

  private:
    QString inbox() const { return m_dir.filePath(QStringLiteral("inn")); }
    QString keyFile() const { return m_dir.filePath(QStringLiteral("key.pem")); }

    static QByteArray decode(const QJsonValue& value) {
        return QByteArray::fromBase64(value.toString().toLatin1());
    }

    static ReceivedMail parse(const QJsonObject& o) {
        ReceivedMail mail;
        mail.listener = o.value(QLatin1String("listener")).toString();
        mail.mailFrom = o.value(QLatin1String("mail_from")).toString();
        for (const QJsonValue& rcpt : o.value(QLatin1String("rcpt_tos")).toArray()) {
            mail.rcptTos.append(rcpt.toString());
        }
        mail.login = o.value(QLatin1String("login")).toString();
        mail.tls = o.value(QLatin1String("tls")).toBool();
        mail.raw = decode(o.value(QLatin1String("raw")));
        mail.subject = o.value(QLatin1String("subject")).toString();
        mail.date = o.value(QLatin1String("date")).toString();
        mail.messageId = o.value(QLatin1String("message_id")).toString();
        mail.contentType = o.value(QLatin1String("content_type")).toString();
        mail.toDisplayName = o.value(QLatin1String("to_display_name")).toString();
        mail.toAddrSpec = o.value(QLatin1String("to_addr_spec")).toString();
        mail.fromAddrSpec = o.value(QLatin1String("from_addr_spec")).toString();
        for (const QJsonValue& defect : o.value(QLatin1String("defects")).toArray()) {
            mail.defects.append(defect.toString());
        }
        for (const QJsonValue& value : o.value(QLatin1String("parts")).toArray()) {
            const QJsonObject p = value.toObject();
            mail.parts.push_back({p.value(QLatin1String("content_type")).toString(),
                                  p.value(QLatin1String("charset")).toString(),
                                  p.value(QLatin1String("transfer_encoding")).toString(),
                                  p.value(QLatin1String("disposition")).toString(),
                                  p.value(QLatin1String("filename")).toString(),
                                  decode(p.value(QLatin1String("payload")))});
        }
        return mail;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<PeerProcess> m_process;
    QJsonObject m_ports;
};

// Every line of a message as it went over the wire ends with CR LF and holds at most 998 octets.
inline ::testing::AssertionResult wireLinesAreValid(const QByteArray& raw) {
    if (!raw.endsWith("\r\n")) {
        return ::testing::AssertionFailure() << "the message does not end with CR LF";
    }
    if (raw.count('\n') != raw.count("\r\n") || raw.count('\r') != raw.count("\r\n")) {
        return ::testing::AssertionFailure() << "a bare CR or LF";
    }
    qsizetype number = 0;
    for (const QByteArray& line : raw.split('\n')) {
        ++number;
        if (line.size() - 1 > 998) {
            return ::testing::AssertionFailure()
                   << "line " << number << " holds " << line.size() - 1 << " octets";
        }
    }
    return ::testing::AssertionSuccess();
}
