#include "transmission/ReportMailDispatcher.h"

#include <QFileInfo>

#include "core/FileIo.h"
#include "core/Windows1252.h"

namespace telvainn {

ReportMailDispatcher::ReportMailDispatcher(const TSettings& settings, bool testMode, QString attachmentPath,
                                           MailTransport& transport)
    : m_settings(settings),
      m_testMode(testMode),
      m_attachmentPath(std::move(attachmentPath)),
      m_transport(transport) {}

QString attachmentNotWrittenMessage(const QString& path) {
    return QStringLiteral("Klarte ikke mellomlagre vedlegget. Forsøkte å lagre vedlegget med filnavn: ") +
           QFileInfo(path).absoluteFilePath() +
           QStringLiteral("\r\nSjekk at området eksisterer og at du har skriverettigheter der.");
}

bool ReportMailDispatcher::SendReportMail(const QStringList& informationList,
                                          const QByteArray& encryptedReportText,
                                          const QByteArray& clearTextBlock) {
    MailRequest request;
    if (m_settings.RappAsAttachment) {
        if (!writeFileAtomically(m_attachmentPath, encryptedReportText + "\r\n")) {
            throw Error(attachmentNotWrittenMessage(m_attachmentPath));
        }
        request.body = clearTextBlock;
        request.attachmentPath = QFileInfo(m_attachmentPath).absoluteFilePath();
    } else {
        request.body = encryptedReportText;
    }
    request.recipientAddress = RecipientAddressFor(m_settings.RecipientAddress, m_settings.EmailSystem);
    request.subject = ReportMailSubject(informationList, m_testMode);
    request.recipientName = m_settings.RecipientName;
    return m_transport.SendMail(request);
}

bool SendTestMail(MailTransport& transport, const QString& address, const QString& name, QString* reason) {
    MailRequest request;
    request.recipientAddress = address;
    request.recipientName = name;
    request.subject = kTestMailSubject;
    request.body = toWindows1252(kTestMailBody);
    try {
        const bool sent = transport.SendMail(request);
        if (!sent && reason != nullptr) {
            *reason = QStringLiteral("Innloggingen ble avbrutt.");
        }
        return sent;
    } catch (const Error& e) {
        if (reason != nullptr) {
            *reason = e.message();
        }
        return false;
    }
}

}  // namespace telvainn
