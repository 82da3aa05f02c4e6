#include <gtest/gtest.h>

#include "core/Error.h"
#include "transmission/ReportMail.h"

using namespace telvainn;

TEST(ReportMailSubject, NormalAndTestModeFromTheInformationList) {
    const QStringList flatFile = {
        "123", "F", "200906", "3.0.5", "4567", "10", "Microsoft Outlook/Exchange", "FLATFIL"};
    EXPECT_EQ(ReportMailSubject(flatFile, false),
              QStringLiteral("Telva - 123/4567 R10 F 200906 ver.3.0.5 mail:Microsoft Outlook/Exchange"));
    EXPECT_EQ(ReportMailSubject(flatFile, true),
              QStringLiteral("Telva test - 123/4567 R10 F 200906 ver.3.0.5 mail:Microsoft Outlook/Exchange"));
    // An Excel report's list has its numbers without leading zeros.
    const QStringList excel = {"7", "K", "200912", "3.0.5", "123", "20", "Annet", "25.02.2009"};
    EXPECT_EQ(ReportMailSubject(excel, false),
              QStringLiteral("Telva - 7/123 R20 K 200912 ver.3.0.5 mail:Annet"));
}

TEST(ReportMailSubject, AListWithoutEightTextsIsRefused) {
    try {
        ReportMailSubject({"123", "F"}, false);
        FAIL() << "a short list was accepted";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("Klarte ikke hente ut all rapport informasjonen som skulle være med."));
    }
}

TEST(RecipientAddress, GroupWiseInAnyLetterCaseGetsUtInFront) {
    const QString address = QStringLiteral("telva@dalvora.no");
    EXPECT_EQ(RecipientAddressFor(address, QStringLiteral("GroupWise")),
              QStringLiteral("UT:telva@dalvora.no"));
    EXPECT_EQ(RecipientAddressFor(address, QStringLiteral("groupwise")),
              QStringLiteral("UT:telva@dalvora.no"));
    EXPECT_EQ(RecipientAddressFor(address, QStringLiteral("Annet")), address);
    EXPECT_EQ(RecipientAddressFor(address, QStringLiteral("Lotus Notes")), address);
}
