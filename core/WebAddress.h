#pragma once

#include <QString>

namespace telvainn {

// The address a web link or the internet test goes to, for an address as the settings keep it or as the
// user typed it: anything up to and including a first "http://" (any letter case) is dropped and
// "http://" put in front again, so that an address stored without its scheme and one typed with it go
// to the same page; an address that starts with "https://" is used as it stands. Blanks around it are
// ignored.
QString webAddressUrl(const QString& address);

}  // namespace telvainn
