#pragma once

#include <QString>

#include "core/Settings.h"
#include "transmission/DepartureLog.h"
#include "transmission/MailTransport.h"
#include "transmission/ReportMail.h"

namespace telvainn {

// The name the attachment carries in the mail.
inline const QString kAttachmentFileName = QStringLiteral("vedlegg.txt");

// Mails encrypted reports to the agency through a transport: the address (with "UT:" for GroupWise), the
// subject of the information list, and either the whole envelope as the body or the clear-text block as
// the body with the envelope as the attachment "vedlegg.txt". Each mail's attachment is made from its own
// report in memory, never through a file that programs sharing the folder could overwrite meanwhile.
// Every mail handed to the transport is told to the departure log, when there is one.
class ReportMailDispatcher : public ReportMailer {
  public:
    // `settings`, `transport` and `log` must outlive this.
    ReportMailDispatcher(const TSettings& settings, bool testMode, MailTransport& transport,
                         DepartureLog* log = nullptr);

    // Raises, naming the setting, when the recipient's name or address or the sender holds a control
    // character: nothing is sent then.
    bool SendReportMail(const QStringList& informationList, const QByteArray& encryptedReportText,
                        const QByteArray& clearTextBlock) override;

  private:
    const TSettings& m_settings;
    bool m_testMode;
    MailTransport& m_transport;
    DepartureLog* m_log;
};

inline const QString kTestMailSubject = QStringLiteral("Test av TELVA Duv");
inline const QString kTestMailBody = QStringLiteral("Hvis du kan lese dette klarte programmet å sende mail");

// The self-test's plain mail to the given address. Any failure gives false; the reason is passed back
// in `reason` (when given) for a front end that wants to show more than the outcome.
bool SendTestMail(MailTransport& transport, const QString& address, const QString& name,
                  QString* reason = nullptr);

}  // namespace telvainn
