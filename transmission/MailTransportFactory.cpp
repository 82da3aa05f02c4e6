#include "transmission/MailTransportFactory.h"

#include "transmission/SendmailTransport.h"
#include "transmission/SmtpTransport.h"

namespace telvainn {

std::unique_ptr<MailTransport> MakeMailTransport(const TSettings& settings, Prompter& prompter) {
    if (settings.MailTransport == MailTransportKind::Sendmail) {
        SendmailOptions options;
        options.command = settings.SendmailProgram;
        options.sender = settings.SenderAddress;
        return std::make_unique<SendmailTransport>(std::move(options));
    }
    SmtpOptions options;
    options.server = settings.SmtpServer;
    options.port = settings.SmtpPort;
    options.security = settings.SmtpSecurity;
    options.user = settings.SmtpUser;
    options.sender = settings.SenderAddress;
    return std::make_unique<SmtpTransport>(std::move(options), prompter);
}

}  // namespace telvainn
