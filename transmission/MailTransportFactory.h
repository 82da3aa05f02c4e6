#pragma once

#include <memory>

#include "core/Prompter.h"
#include "core/Settings.h"
#include "transmission/MailTransport.h"

namespace telvainn {

// The transport the settings name: a mail server over SMTP or the sendmail-compatible program. One that
// is not configured, or whose program is not on this machine, reports that no mail client is installed
// when it is asked to send. A login's password is asked through `prompter`, which must outlive the
// transport.
std::unique_ptr<MailTransport> MakeMailTransport(const TSettings& settings, Prompter& prompter);

}  // namespace telvainn
