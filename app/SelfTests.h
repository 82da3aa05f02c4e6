#pragma once

#include <QString>
#include <chrono>

#include "core/Prompter.h"
#include "transmission/InternetTest.h"
#include "transmission/MailTransport.h"

namespace telvainn {

// The e-mail self-test of the configuration dialog.
struct MailSelfTest {
    QString addressField;  // the address field afterwards: with "UT:" in front when the user chose so
    bool sent = false;
    QString message;  // the text to show at the end
    QString reason;   // why the mail was not sent, for a front end that shows more than the message
};

// What the desktop shows at the end of the e-mail self-test: the message, and after a failure the reason
// on a line of its own.
QString mailSelfTestText(const MailSelfTest& test);

inline const QString kMissingTestAddressMessage =
    QStringLiteral("Du må fylle ut e-post adresse-informasjonen i feltene for dette.");

// Sends the test mail to the typed address and name after the notice that belongs to the chosen mail
// system (`emailSystem`: the choice as it stands in the dialog, not necessarily the stored one). A
// GroupWise user is asked whether "UT:" goes in front of the address. An empty address gives the
// missing-address message (an error) and sends nothing.
MailSelfTest RunMailSelfTest(const QString& addressField, const QString& nameField,
                             const QString& emailSystem, const QString& recipientName,
                             MailTransport& transport, Prompter& prompter);

// The internet self-test: the text to show for the web address typed, and whether the machine is
// connected. An empty address gives the missing-address text without a test.
struct InternetSelfTest {
    bool tested = false;
    bool connected = false;
    QString message;
};
InternetSelfTest RunInternetSelfTest(const QString& addressField,
                                     std::chrono::milliseconds timeout = kInternetTestTimeout);

}  // namespace telvainn
