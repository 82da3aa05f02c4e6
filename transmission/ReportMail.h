#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace telvainn {

// Sends one encrypted report to the agency; the envelope and its clear-text block come as the
// Windows-1252 bytes they are mailed as. True when the mail was accepted, false when the user
// cancelled (the run goes on); raises an Error for every other failure (the run stops).
class ReportMailer {
  public:
    virtual ~ReportMailer() = default;
    virtual bool SendReportMail(const QStringList& informationList, const QByteArray& encryptedReportText,
                                const QByteArray& clearTextBlock) = 0;
};

// "Telva - 123/4567 R10 F 200906 ver.3.0.5 mail:Annet" ("Telva test - " in test mode).
QString ReportMailSubject(const QStringList& informationList, bool testMode);

// The configured recipient address, with "UT:" in front for GroupWise users.
QString RecipientAddressFor(const QString& recipientAddress, const QString& emailSystem);

}  // namespace telvainn
