#pragma once

#include "core/Prompter.h"
#include "core/Settings.h"

namespace telvainn {

// The question every send asks first, chosen by the configured mail system: GroupWise users are told
// about "UT:", Lotus Notes users and those of any other system ("Annet") are shown the address and a
// subject hint to finish the mail by hand should it get stuck; Microsoft Outlook/Exchange goes on
// without a question. True when the send is to go on. `Dsnr` and `Regnr` come from `settings`.
bool ConfirmMailSystem(const TSettings& settings, bool testMode, Prompter& prompter);

}  // namespace telvainn
