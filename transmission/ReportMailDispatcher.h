#pragma once

#include <QString>

#include "core/Settings.h"
#include "transmission/MailTransport.h"
#include "transmission/ReportMail.h"

namespace telvainn {

inline const QString kAttachmentFileName = QStringLiteral("vedlegg.txt");

// Mails encrypted reports to the agency through a transport: the address (with "UT:" for GroupWise), the
// subject of the information list, and either the whole envelope as the body or the clear-text block as
// the body with the envelope in the attachment file.
class ReportMailDispatcher : public ReportMailer {
  public:
    // `attachmentPath` is the program folder's vedlegg.txt; it is written anew for every report that
    // travels as an attachment and left behind afterwards. `settings` and `transport` must outlive this.
    ReportMailDispatcher(const TSettings& settings, bool testMode, QString attachmentPath,
                         MailTransport& transport);

    bool SendReportMail(const QStringList& informationList, const QByteArray& encryptedReportText,
                        const QByteArray& clearTextBlock) override;

  private:
    const TSettings& m_settings;
    bool m_testMode;
    QString m_attachmentPath;
    MailTransport& m_transport;
};

// "Klarte ikke mellomlagre vedlegget. Forsøkte å lagre vedlegget med filnavn: <path>\r\n..."
QString attachmentNotWrittenMessage(const QString& path);

inline const QString kTestMailSubject = QStringLiteral("Test av TELVA Duv");
inline const QString kTestMailBody = QStringLiteral("Hvis du kan lese dette klarte programmet å sende mail");

// The self-test's plain mail to the given address. Any failure gives false; the reason is passed back
// in `reason` (when given) for a front end that wants to show more than the outcome.
bool SendTestMail(MailTransport& transport, const QString& address, const QString& name,
                  QString* reason = nullptr);

}  // namespace telvainn
