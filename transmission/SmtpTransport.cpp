#include "transmission/SmtpTransport.h"

#include <QUrl>
#include <cstring>

#include "transmission/Curl.h"
#include "transmission/MailHeaders.h"
#include "transmission/OutgoingMail.h"
#include "transmission/SmtpConversation.h"

namespace telvainn {
namespace {

// The goodbye after the message: a server that has taken (or refused) the mail owes nothing more, so
// its answer to QUIT is not waited for long.
constexpr std::chrono::seconds kQuitWait{3};

struct Upload {
    const QByteArray& bytes;
    qsizetype sent = 0;
};

size_t readFunction(char* buffer, size_t size, size_t count, void* upload) {
    auto* u = static_cast<Upload*>(upload);
    const qsizetype n = std::min(static_cast<qsizetype>(size * count), u->bytes.size() - u->sent);
    std::memcpy(buffer, u->bytes.constData() + u->sent, static_cast<size_t>(n));
    u->sent += n;
    return static_cast<size_t>(n);
}

// The bound on the goodbye, which libcurl would otherwise wait two minutes for on top of the transfer's
// own time limit: called about once a second while libcurl waits, also while it waits for the reply
// to QUIT.
struct Bounds {
    const SmtpConversation& conversation;
    std::chrono::steady_clock::time_point deadline;
};

int progressFunction(void* bounds, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* b = static_cast<const Bounds*>(bounds);
    const std::optional<std::chrono::steady_clock::time_point> quit = b->conversation.quitSent();
    const auto now = std::chrono::steady_clock::now();
    return quit && (now - *quit >= kQuitWait || now >= b->deadline) ? 1 : 0;
}

QByteArray serverUrl(const SmtpOptions& options, int port) {
    QUrl url;
    url.setScheme(options.security == SmtpSecurityKind::Tls ? QStringLiteral("smtps")
                                                            : QStringLiteral("smtp"));
    url.setHost(options.server.trimmed());
    url.setPort(port);
    // libcurl takes the path as the name to greet with.
    url.setPath(QLatin1Char('/') + QString::fromLatin1(mime::hostName()));
    return url.toEncoded();
}

}  // namespace

QString smtpSender(const QString& sender, const QString& user) {
    if (!sender.trimmed().isEmpty()) {
        return sender;
    }
    return user.contains(QLatin1Char('@')) ? user : QString();
}

int standardSmtpPort(SmtpSecurityKind security) {
    switch (security) {
        case SmtpSecurityKind::None:
            return 25;
        case SmtpSecurityKind::StartTls:
            return 587;
        case SmtpSecurityKind::Tls:
            return 465;
    }
    return 587;
}

SmtpTransport::SmtpTransport(SmtpOptions options, Prompter& prompter)
    : m_options(std::move(options)), m_prompter(prompter) {}

SmtpTransport::~SmtpTransport() {
    forgetPassword();
}

void SmtpTransport::forgetPassword() {
    if (m_password) {
        m_password->fill(QChar(0));
        m_password.reset();
    }
}

bool SmtpTransport::SendMail(const MailRequest& request) {
    if (m_options.server.trimmed().isEmpty()) {
        throw Error(kNoMailClientMessage);
    }
    const OutgoingMail mail = PrepareOutgoingMail(request, smtpSender(m_options.sender, m_options.user));
    const int port = m_options.port > 0 ? m_options.port : standardSmtpPort(m_options.security);
    const QString server = QStringLiteral("%1:%2").arg(m_options.server.trimmed()).arg(port);
    if (mail.sender.isEmpty()) {
        throw MapiError(MapiCode::Failure,
                        QStringLiteral("Ingen avsenderadresse er satt opp for e-posttjeneren %1. Fyll ut "
                                       "«Avsenderadresse:» under «Utsending av e-post» i «Konfigurasjon».")
                            .arg(server));
    }

    const bool login = !m_options.user.isEmpty();
    if (login && !m_password) {
        m_password = m_prompter.askPassword(
            QStringLiteral("Passord for %1 på e-posttjeneren %2:").arg(m_options.user, server));
        if (!m_password) {
            return false;
        }
    }

    curl::Easy handle = curl::makeEasy();
    CURL* h = handle.get();
    char errorBuffer[CURL_ERROR_SIZE] = {};
    SmtpConversation conversation;
    Upload upload{mail.message};
    const curl::StringList recipients({'<' + mail.recipient + '>'});
    const QByteArray url = serverUrl(m_options, port);
    const QByteArray from = '<' + mail.sender + '>';
    const QByteArray user = m_options.user.toUtf8();
    QByteArray password = login ? m_password->toUtf8() : QByteArray();
    const QByteArray caFile = m_options.extraCaFile.toLocal8Bit();
    const long timeoutMs =
        static_cast<long>(m_options.transferTimeout.count() +
                          1000 * mail.message.size() / std::max<qint64>(1, m_options.bytesPerSecond));

    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_URL, url.constData());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    // STARTTLS is required, never tried: a server that does not offer it is an error, not plain text.
    curl_easy_setopt(
        h, CURLOPT_USE_SSL,
        m_options.security == SmtpSecurityKind::None ? long(CURLUSESSL_NONE) : long(CURLUSESSL_ALL));
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!caFile.isEmpty()) {
        curl_easy_setopt(h, CURLOPT_CAINFO, caFile.constData());
    }
    if (login) {
        curl_easy_setopt(h, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(h, CURLOPT_PASSWORD, password.constData());
    }
    curl_easy_setopt(h, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(h, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(h, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(h, CURLOPT_READFUNCTION, &readFunction);
    curl_easy_setopt(h, CURLOPT_READDATA, &upload);
    curl_easy_setopt(h, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(mail.message.size()));
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_options.connectTimeout.count()));
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, timeoutMs);
    conversation.attach(h);
    // The connection ends within the transfer, QUIT included, so that the bounds above hold for all of
    // it; a kept connection would say goodbye only when the handle goes, outside them.
    curl_easy_setopt(h, CURLOPT_FORBID_REUSE, 1L);
    Bounds bounds{conversation, std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs)};
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &progressFunction);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &bounds);

    const CURLcode code = curl_easy_perform(h);
    password.fill('\0');
    if (code == CURLE_OK) {
        // The conversation stops listening at QUIT, so its last reply is the one to the message.
        m_receipt = conversation.lastReply() + QStringLiteral(" (Message-ID: ") +
                    QString::fromLatin1(mail.messageId) + QLatin1Char(')');
        return true;
    }
    const Error failure =
        SmtpFailure(code, errorBuffer, conversation, server, m_options.user, mail.sender, mail.recipient);
    if (code == CURLE_LOGIN_DENIED || conversation.lastVerb() == "AUTH") {
        forgetPassword();
    }
    throw failure;
}

}  // namespace telvainn
