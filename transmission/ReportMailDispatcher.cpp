#include "transmission/ReportMailDispatcher.h"

#include "core/Prompter.h"
#include "core/Windows1252.h"
#include "transmission/OutgoingMail.h"

namespace telvainn {

ReportMailDispatcher::ReportMailDispatcher(const TSettings& settings, bool testMode, MailTransport& transport,
                                           DepartureLog* log)
    : m_settings(settings), m_testMode(testMode), m_transport(transport), m_log(log) {}

bool ReportMailDispatcher::SendReportMail(const QStringList& informationList,
                                          const QByteArray& encryptedReportText,
                                          const QByteArray& clearTextBlock) {
    using namespace settings_ini;
    requireNoControlCharacter(m_settings.RecipientName, kSectionAdressering, kKeyRecipientName);
    requireNoControlCharacter(m_settings.RecipientAddress, kSectionAdressering,
                              m_testMode ? kKeyTestRecipientAddress : kKeyRecipientAddress);
    requireNoControlCharacter(m_settings.SenderAddress, kSectionEpost, kKeySender);

    MailRequest request;
    if (m_settings.RappAsAttachment) {
        // The file the report travels in, followed by CR LF like every file written from an envelope.
        request.body = clearTextBlock;
        request.attachment = MimeAttachment{kAttachmentFileName, encryptedReportText + "\r\n"};
    } else {
        request.body = encryptedReportText;
    }
    request.recipientAddress = RecipientAddressFor(m_settings.RecipientAddress, m_settings.EmailSystem);
    request.subject = ReportMailSubject(informationList, m_testMode);
    request.recipientName = m_settings.RecipientName;
    if (m_log == nullptr) {
        return m_transport.SendMail(request);
    }
    const qint64 token = m_log->departing(
        {DepartureKind::Mail, informationList, encryptedReportText, DeliveryAddress(request.recipientAddress),
         m_settings.MailTransport == MailTransportKind::Sendmail ? QStringLiteral("sendmail")
                                                                 : QStringLiteral("smtp")});
    bool sent = false;
    try {
        sent = m_transport.SendMail(request);
    } catch (const std::exception& error) {
        m_log->departed(token, false, errorText(error));
        throw;
    }
    m_log->departed(token, sent, sent ? m_transport.receipt() : kCancelledByUserMessage);
    return sent;
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
