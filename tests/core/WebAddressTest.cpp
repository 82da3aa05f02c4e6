#include <gtest/gtest.h>

#include "core/WebAddress.h"

using telvainn::webAddressUrl;

TEST(WebAddressTest, AStoredAddressGetsHttpAndOneWithItsOwnSchemeKeepsASingleOne) {
    EXPECT_EQ(webAddressUrl(QStringLiteral("www.dalvora.no")), QStringLiteral("http://www.dalvora.no"));
    EXPECT_EQ(webAddressUrl(QStringLiteral(" HTTP://www.dalvora.no/telva ")),
              QStringLiteral("http://www.dalvora.no/telva"));
    EXPECT_EQ(webAddressUrl(QStringLiteral("se Http://www.dalvora.no")),
              QStringLiteral("http://www.dalvora.no"));
    // The delivered defaults name https themselves; a second scheme in front of them breaks the address.
    EXPECT_EQ(webAddressUrl(QStringLiteral("https://www.dalvora.no/telva/manual")),
              QStringLiteral("https://www.dalvora.no/telva/manual"));
    EXPECT_EQ(webAddressUrl(QStringLiteral("HTTPS://www.dalvora.no")),
              QStringLiteral("HTTPS://www.dalvora.no"));
}
