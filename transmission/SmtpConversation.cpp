#include "transmission/SmtpConversation.h"

#include "transmission/MailTransport.h"

namespace telvainn {
namespace {

int debugFunction(CURL* /*handle*/, curl_infotype type, char* data, size_t size, void* conversation) {
    static_cast<SmtpConversation*>(conversation)
        ->record(type, QByteArrayView(data, static_cast<qsizetype>(size)));
    return 0;
}

bool isTlsFailure(CURLcode code) {
    switch (code) {
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_USE_SSL_FAILED:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_ISSUER_ERROR:
        case CURLE_SSL_CRL_BADFILE:
        case CURLE_SSL_INVALIDCERTSTATUS:
        case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
        case CURLE_SSL_SHUTDOWN_FAILED:
        case CURLE_SSL_ENGINE_INITFAILED:
        case CURLE_SSL_ENGINE_NOTFOUND:
        case CURLE_SSL_ENGINE_SETFAILED:
            return true;
        default:
            return false;
    }
}

// A reply that refuses: 4xx (try later) or 5xx (refused).
bool isRefusal(const QString& reply) {
    return reply.startsWith(QLatin1Char('4')) || reply.startsWith(QLatin1Char('5'));
}

}  // namespace

void SmtpConversation::attach(CURL* handle) {
    curl_easy_setopt(handle, CURLOPT_DEBUGFUNCTION, &debugFunction);
    curl_easy_setopt(handle, CURLOPT_DEBUGDATA, this);
    curl_easy_setopt(handle, CURLOPT_VERBOSE, 1L);
}

QString SmtpConversation::lastReply() const {
    return QString::fromUtf8(m_lastReply);
}

void SmtpConversation::record(curl_infotype type, QByteArrayView data) {
    if (type == CURLINFO_HEADER_OUT) {
        const QByteArray verb = data.toByteArray().trimmed().split(' ').value(0).toUpper();
        static const QByteArrayList kVerbs = {"EHLO", "HELO", "STARTTLS", "AUTH",
                                              "MAIL", "RCPT", "DATA",     "RSET"};
        if (verb == "QUIT") {
            // libcurl says goodbye after a failure too; the failure is what counts.
            m_quitSent = std::chrono::steady_clock::now();
        } else if (kVerbs.contains(verb)) {
            m_lastVerb = verb;
        }
        return;
    }
    if (type != CURLINFO_HEADER_IN || m_quitSent) {
        return;
    }
    for (const QByteArray& raw : data.toByteArray().split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty()) {
            continue;
        }
        m_replyLines.append(line);
        // "250-..." continues a reply, "250 ..." (or a bare code) ends it.
        if (line.size() < 4 || line[3] != '-') {
            m_lastReply = m_replyLines.join(' ');
            m_replyLines.clear();
        }
    }
}

Error SmtpFailure(CURLcode code, const char* errorBuffer, const SmtpConversation& conversation,
                  const QString& server, const QString& user, const QByteArray& sender,
                  const QByteArray& recipient) {
    const QString explanation = QString::fromUtf8(
        errorBuffer != nullptr && errorBuffer[0] != '\0' ? errorBuffer : curl_easy_strerror(code));
    const QString reply = conversation.lastReply();
    // A step counts as refused only when the server said so; a connection lost in it is reported below.
    const bool refused = isRefusal(reply);
    const QString serverWords = refused ? QStringLiteral("Tjeneren svarte: ") + reply : explanation;
    const QByteArray& verb = conversation.lastVerb();

    // libcurl's own texts for these carry timings and addresses; its short name of the failure says it.
    const QString failureName = QString::fromUtf8(curl_easy_strerror(code));
    switch (code) {
        case CURLE_COULDNT_RESOLVE_HOST:
            return MapiError(MapiCode::NetworkFailure,
                             QStringLiteral("Fant ikke e-posttjeneren %1 (%2)").arg(server, failureName));
        case CURLE_COULDNT_CONNECT:
            return MapiError(
                MapiCode::NetworkFailure,
                QStringLiteral("Fikk ikke kontakt med e-posttjeneren %1 (%2)").arg(server, failureName));
        case CURLE_OPERATION_TIMEDOUT:
            return MapiError(MapiCode::NetworkFailure,
                             QStringLiteral("E-posttjeneren %1 svarte ikke innen tidsfristen (%2)")
                                 .arg(server, failureName));
        default:
            break;
    }
    if (isTlsFailure(code)) {
        return MapiError(
            MapiCode::NetworkFailure,
            QStringLiteral("Klarte ikke å opprette en sikker forbindelse med e-posttjeneren %1: %2")
                .arg(server, serverWords));
    }
    if (code == CURLE_LOGIN_DENIED || code == CURLE_AUTH_ERROR || (refused && verb == "AUTH")) {
        return MapiError(MapiCode::LogonFailure,
                         QStringLiteral("E-posttjeneren %1 godtok ikke innloggingen til %2. %3")
                             .arg(server, user, serverWords));
    }
    if (refused && verb == "RCPT") {
        return MapiError(MapiCode::UnknownRecipient,
                         QStringLiteral("E-posttjeneren %1 tok ikke imot mottakeren <%2>. %3")
                             .arg(server, QString::fromLatin1(recipient), serverWords));
    }
    if (refused && verb == "MAIL") {
        return MapiError(MapiCode::Failure,
                         QStringLiteral("E-posttjeneren %1 tok ikke imot avsenderen <%2>. %3")
                             .arg(server, QString::fromLatin1(sender), serverWords));
    }
    if (refused && verb == "DATA") {
        return MapiError(
            MapiCode::Failure,
            QStringLiteral("E-posttjeneren %1 tok ikke imot e-posten. %2").arg(server, serverWords));
    }
    if (code == CURLE_SEND_ERROR || code == CURLE_RECV_ERROR || code == CURLE_GOT_NOTHING) {
        return MapiError(
            MapiCode::NetworkFailure,
            QStringLiteral("Forbindelsen med e-posttjeneren %1 ble brutt: %2").arg(server, explanation));
    }
    return MapiError(MapiCode::Failure,
                     QStringLiteral("Sending av e-post gjennom %1 feilet: %2").arg(server, serverWords));
}

}  // namespace telvainn
