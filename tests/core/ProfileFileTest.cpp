#include "core/ProfileFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>
#include <thread>

#include "core/Error.h"

namespace telvainn {
namespace {

class ProfileFileTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString iniPath() const { return m_dir.filePath(QStringLiteral("telvainn.ini")); }

    void writeBytes(const QString& path, const QByteArray& bytes) const {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray readBytes(const QString& path) const {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return file.readAll();
    }

    ProfileFile loadFrom(const QByteArray& bytes) {
        writeBytes(iniPath(), bytes);
        return ProfileFile::load(iniPath());
    }

    QTemporaryDir m_dir;
};

// --- Reading -------------------------------------------------------------------------------------------

using ProfileFileReadTest = ProfileFileTest;

TEST_F(ProfileFileReadTest, MissingFileIsAnEmptyProfileAndCreatesNothing) {
    const ProfileFile profile = ProfileFile::load(iniPath());
    EXPECT_EQ(profile.readString(u"KONFIGURASJON", u"DSNR", QStringLiteral("none")), QStringLiteral("none"));
    EXPECT_EQ(profile.readInteger(u"KONFIGURASJON", u"DSNR", 17), 17);
    EXPECT_TRUE(profile.toBytes().isEmpty());
    EXPECT_FALSE(QFile::exists(iniPath()));
}

TEST_F(ProfileFileReadTest, PathThatCannotBeReadRaisesErrorNamingIt) {
    // A folder where the file should be exists but can never be read as a file, even by root.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("telvainn.ini")));
    try {
        ProfileFile::load(iniPath());
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Unable to read ") + iniPath());
    }
}

TEST_F(ProfileFileReadTest, SectionAndKeyNamesMatchWithoutRegardToCase) {
    const ProfileFile profile = loadFrom("[konfigurasjon]\r\ndsnr=5\r\n[Epost]\r\nSyStEm=Lotus Notes\r\n");
    EXPECT_EQ(profile.readInteger(u"KONFIGURASJON", u"DSNR", -1), 5);
    EXPECT_EQ(profile.readString(u"EPOST", u"SYSTEM"), QStringLiteral("Lotus Notes"));
    EXPECT_EQ(profile.readString(u"epost", u"system"), QStringLiteral("Lotus Notes"));
}

TEST_F(ProfileFileReadTest, NonAsciiNamesMatchWithoutRegardToCase) {
    const ProfileFile profile = loadFrom("[\xD8ST]\r\nN\xC6R=1\r\n");
    EXPECT_EQ(profile.readString(u"\u00F8st", u"n\u00E6r"), QStringLiteral("1"));
}

TEST_F(ProfileFileReadTest, LinesNamesAndValuesAreTrimmed) {
    const ProfileFile profile = loadFrom("  [ KONFIGURASJON ]  \r\n\t DSNR \t=  123  \r\nREGNR=\t4567\t\r\n");
    EXPECT_EQ(profile.readString(u"KONFIGURASJON", u"DSNR"), QStringLiteral("123"));
    EXPECT_EQ(profile.readInteger(u"KONFIGURASJON", u"REGNR", -1), 4567);
}

TEST_F(ProfileFileReadTest, KeyOnlyMatchesInsideItsOwnSection) {
    const ProfileFile profile = loadFrom("DSNR=1\r\n[EPOST]\r\nDSNR=2\r\n[KONFIGURASJON]\r\nREGNR=3\r\n");
    // Before the first section and in another section: neither is KONFIGURASJON/DSNR.
    EXPECT_EQ(profile.readInteger(u"KONFIGURASJON", u"DSNR", -1), -1);
    EXPECT_EQ(profile.readInteger(u"EPOST", u"DSNR", -1), 2);
    EXPECT_EQ(profile.readString(u"EPOST", u"REGNR", QStringLiteral("missing")), QStringLiteral("missing"));
}

TEST_F(ProfileFileReadTest, CommentsAndLinesWithoutEqualsSignAreNotKeys) {
    const ProfileFile profile = loadFrom("[A]\r\n; X=1\r\n  ;Y=2\r\nZ\r\nW=4\r\n");
    EXPECT_EQ(profile.readString(u"A", u"X", QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(profile.readString(u"A", u"; X", QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(profile.readString(u"A", u"Y", QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(profile.readString(u"A", u"Z", QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(profile.readString(u"A", u"W", QStringLiteral("d")), QStringLiteral("4"));
}

TEST_F(ProfileFileReadTest, EmptyValueReadsAsEmptyTextNotAsDefault) {
    const ProfileFile profile = loadFrom("[A]\r\nX=\r\nY=   \r\n");
    EXPECT_EQ(profile.readString(u"A", u"X", QStringLiteral("d")), QString());
    EXPECT_EQ(profile.readString(u"A", u"Y", QStringLiteral("d")), QString());
    EXPECT_EQ(profile.readInteger(u"A", u"X", 9), 9);
}

TEST_F(ProfileFileReadTest, EverythingAfterTheFirstEqualsSignIsTheValue) {
    const ProfileFile profile = loadFrom("[A]\r\nURL=https://x.no/?a=1&b=2\r\n");
    EXPECT_EQ(profile.readString(u"A", u"URL"), QStringLiteral("https://x.no/?a=1&b=2"));
}

TEST_F(ProfileFileReadTest, OnePairOfSurroundingQuotesIsRemoved) {
    const ProfileFile profile = loadFrom(
        "[A]\r\n"
        "D=\"Dalvora AS\"\r\n"
        "S='Dalvora AS'\r\n"
        "TWO=\"\"x\"\"\r\n"
        "BLANKS=  \" x \"  \r\n"
        "LONE=\"x\r\n"
        "MIXED=\"x'\r\n"
        "ONE=\"\r\n"
        "EMPTY=\"\"\r\n"
        "INNER=a \"b\" c\r\n");
    EXPECT_EQ(profile.readString(u"A", u"D"), QStringLiteral("Dalvora AS"));
    EXPECT_EQ(profile.readString(u"A", u"S"), QStringLiteral("Dalvora AS"));
    EXPECT_EQ(profile.readString(u"A", u"TWO"), QStringLiteral("\"x\""));
    EXPECT_EQ(profile.readString(u"A", u"BLANKS"), QStringLiteral(" x "));
    EXPECT_EQ(profile.readString(u"A", u"LONE"), QStringLiteral("\"x"));
    EXPECT_EQ(profile.readString(u"A", u"MIXED"), QStringLiteral("\"x'"));
    EXPECT_EQ(profile.readString(u"A", u"ONE"), QStringLiteral("\""));
    EXPECT_EQ(profile.readString(u"A", u"EMPTY", QStringLiteral("d")), QString());
    EXPECT_EQ(profile.readString(u"A", u"INNER"), QStringLiteral("a \"b\" c"));
}

TEST_F(ProfileFileReadTest, FirstSectionAndFirstKeyOfANameWin) {
    const ProfileFile profile = loadFrom("[A]\r\nX=1\r\nX=2\r\n[B]\r\n[a]\r\nX=3\r\nZ=4\r\n");
    EXPECT_EQ(profile.readString(u"A", u"X"), QStringLiteral("1"));
    // Z lives only in the second [A], which is never consulted.
    EXPECT_EQ(profile.readString(u"A", u"Z", QStringLiteral("d")), QStringLiteral("d"));
}

TEST_F(ProfileFileReadTest, Windows1252BytesDecode) {
    const ProfileFile profile = loadFrom("[EPOST]\r\nSYSTEM=\xD8stlandet \x80 \xE6\xF8\xE5\r\n");
    EXPECT_EQ(profile.readString(u"EPOST", u"SYSTEM"),
              QStringLiteral("\u00D8stlandet \u20AC \u00E6\u00F8\u00E5"));
}

TEST_F(ProfileFileReadTest, LfOnlyAndMissingFinalLineEndAreRead) {
    const ProfileFile profile = loadFrom("[A]\nX=1\nY=2");
    EXPECT_EQ(profile.readString(u"A", u"X"), QStringLiteral("1"));
    EXPECT_EQ(profile.readString(u"A", u"Y"), QStringLiteral("2"));
}

// A hand-edited or damaged file: NUL bytes, bytes no text has, a lone CR, a header without "]" and lines
// of several megabytes, between good keys.
QByteArray garbledFile(const QByteArray& hugeValue, const QByteArray& hugeHeader) {
    return QByteArray(
               "[KONFIGURASJON]\r\n"
               "DSNR=123\r\n") +
           QByteArray("\0\0\0\0\r\n", 6) + "\x81\x8D\x8F\x90\x9D\xFF\xFE\x01\x7F\r\n" + "STOR=" + hugeValue +
           "\r\n" + hugeHeader + "\r\n" +
           "REGNR=4567\r\n"
           "[EPOST\r\n"
           "SYSTEM=Lotus Notes\r\n"
           "[ADRESSERING]\r\n"
           "MOTTAKER_NAVN=Dalvora\rMOTTAKER_ADRESSE=post@dalvora.no\r\n" +
           QByteArray("SUPPORT_ADRESSE=hjelp@dalvora.no\0\0\r\n", 37) + "BRUKERMANUAL=https://dalvora.no\n";
}

TEST_F(ProfileFileReadTest, GarbageBetweenTheKeysHidesNoneOfThemAndIsKeptByteForByte) {
    const QByteArray hugeValue(6 * 1024 * 1024, '\xE5');
    const QByteArray hugeHeader = '[' + QByteArray(4 * 1024 * 1024, '\0');
    const QByteArray bytes = garbledFile(hugeValue, hugeHeader);

    QElapsedTimer elapsed;
    elapsed.start();
    ProfileFile profile = loadFrom(bytes);
    EXPECT_EQ(profile.readInteger(u"KONFIGURASJON", u"DSNR", 0), 123);
    EXPECT_EQ(profile.readInteger(u"KONFIGURASJON", u"REGNR", 0), 4567);
    EXPECT_EQ(profile.readString(u"KONFIGURASJON", u"STOR").size(), hugeValue.size());
    // A header without "]" opens no section: its keys stay in the section before it.
    EXPECT_EQ(profile.readString(u"EPOST", u"SYSTEM", QStringLiteral("ingen")), QStringLiteral("ingen"));
    EXPECT_EQ(profile.readString(u"KONFIGURASJON", u"SYSTEM"), QStringLiteral("Lotus Notes"));
    // Only LF ends a line; a lone CR stays inside the value.
    EXPECT_EQ(profile.readString(u"ADRESSERING", u"MOTTAKER_NAVN"),
              QStringLiteral("Dalvora\rMOTTAKER_ADRESSE=post@dalvora.no"));
    EXPECT_EQ(profile.readString(u"ADRESSERING", u"MOTTAKER_ADRESSE", QStringLiteral("ingen")),
              QStringLiteral("ingen"));
    // NUL bytes at the end of a value go with the blanks, as a C string would end there.
    EXPECT_EQ(profile.readString(u"ADRESSERING", u"SUPPORT_ADRESSE"), QStringLiteral("hjelp@dalvora.no"));
    EXPECT_EQ(profile.readString(u"ADRESSERING", u"BRUKERMANUAL"), QStringLiteral("https://dalvora.no"));

    profile.writeString(u"KONFIGURASJON", u"REGNR", u"89");
    profile.writeString(u"EPOST", u"SYSTEM", u"Annet");
    profile.save();
    QByteArray expected = bytes;
    expected.replace("REGNR=4567\r\n", "REGNR=89\r\n");
    expected += "[EPOST]\r\nSYSTEM=Annet\r\n";
    EXPECT_TRUE(readBytes(iniPath()) == expected);  // not printed: megabytes
    EXPECT_LT(elapsed.elapsed(), 20000);
}

// --- Integers ------------------------------------------------------------------------------------------

struct IntegerCase {
    const char* stored;
    bool parses;
    int value;
};

// Without it GoogleTest prints the case's raw bytes, padding included, which Valgrind rightly flags.
void PrintTo(const IntegerCase& c, std::ostream* os) {
    *os << '"' << c.stored << '"';
}

class ProfileFileIntegerTest : public ProfileFileTest, public ::testing::WithParamInterface<IntegerCase> {};

TEST_P(ProfileFileIntegerTest, ReadsDecimalOrHexAndFallsBackToDefault) {
    const IntegerCase& c = GetParam();
    constexpr int kDefault = -999;
    const ProfileFile profile = loadFrom(QByteArray("[A]\r\nN=") + c.stored + "\r\n");
    EXPECT_EQ(profile.readInteger(u"A", u"N", kDefault), c.parses ? c.value : kDefault) << c.stored;

    bool ok = !c.parses;
    const int parsed = ProfileFile::parseInteger(QString::fromLatin1(c.stored).trimmed(), &ok);
    EXPECT_EQ(ok, c.parses) << c.stored;
    if (c.parses) {
        EXPECT_EQ(parsed, c.value) << c.stored;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, ProfileFileIntegerTest,
    ::testing::Values(
        IntegerCase{"123", true, 123}, IntegerCase{"007", true, 7}, IntegerCase{"0", true, 0},
        IntegerCase{"-45", true, -45}, IntegerCase{"+7", true, 7}, IntegerCase{" 42 ", true, 42},
        IntegerCase{"0x1F", true, 31}, IntegerCase{"0X1f", true, 31}, IntegerCase{"$1F", true, 31},
        IntegerCase{"$ff", true, 255}, IntegerCase{"-0x10", true, -16}, IntegerCase{"-$10", true, -16},
        IntegerCase{"2147483647", true, 2147483647}, IntegerCase{"-2147483648", true, -2147483647 - 1},
        IntegerCase{"0x7FFFFFFF", true, 2147483647}, IntegerCase{"-0x80000000", true, -2147483647 - 1},
        IntegerCase{"2147483648", false, 0}, IntegerCase{"-2147483649", false, 0},
        IntegerCase{"0x80000000", false, 0}, IntegerCase{"99999999999999999999", false, 0},
        IntegerCase{"abc", false, 0}, IntegerCase{"12abc", false, 0}, IntegerCase{"1 2", false, 0},
        IntegerCase{"1F", false, 0}, IntegerCase{"0x", false, 0}, IntegerCase{"$", false, 0},
        IntegerCase{"0xG1", false, 0}, IntegerCase{"-", false, 0}, IntegerCase{"--1", false, 0},
        IntegerCase{"- 1", false, 0}, IntegerCase{"1.5", false, 0}, IntegerCase{"", false, 0}));

TEST_F(ProfileFileTest, MissingIntegerKeyGivesTheDefault) {
    const ProfileFile profile = loadFrom("[A]\r\nN=5\r\n");
    EXPECT_EQ(profile.readInteger(u"A", u"M", 42), 42);
    EXPECT_EQ(profile.readInteger(u"B", u"N", 43), 43);
}

// --- Writing -------------------------------------------------------------------------------------------

using ProfileFileWriteTest = ProfileFileTest;

TEST_F(ProfileFileWriteTest, ReplacementInPlaceKeepsEveryOtherLineByteForByte) {
    const QByteArray before =
        "; telvainn settings\r\n"
        "[KONFIGURASJON]\r\n"
        "DSNR=123\n"
        "  ; kept comment\r\n"
        "REGNR = 4567  \r\n"
        "\r\n"
        "[VERSJONER]\r\n"
        "R10=25.02.2009\r\n"
        "programversion=25.02.2009";
    ProfileFile profile = loadFrom(before);
    profile.writeString(u"KONFIGURASJON", u"REGNR", u"89");
    const QByteArray expected =
        "; telvainn settings\r\n"
        "[KONFIGURASJON]\r\n"
        "DSNR=123\n"
        "  ; kept comment\r\n"
        "REGNR=89\r\n"
        "\r\n"
        "[VERSJONER]\r\n"
        "R10=25.02.2009\r\n"
        "programversion=25.02.2009";
    EXPECT_EQ(profile.toBytes(), expected);
    EXPECT_EQ(profile.readInteger(u"KONFIGURASJON", u"REGNR", -1), 89);
}

TEST_F(ProfileFileWriteTest, ReplacementMatchesCaseInsensitivelyAndKeepsTheFileSpelling) {
    ProfileFile profile = loadFrom("[konfigurasjon]\r\nDsNr=1\r\n");
    profile.writeString(u"KONFIGURASJON", u"DSNR", u"2");
    EXPECT_EQ(profile.toBytes(), QByteArray("[konfigurasjon]\r\nDsNr=2\r\n"));
}

TEST_F(ProfileFileWriteTest, LoadThenSaveWithoutChangesReproducesTheFile) {
    const QByteArray bytes = "x\r\n[A]\nK = v \r\n\r\n;c\r\r\n[B]\r\nJ=\xD8\x81\x9D";
    const ProfileFile profile = loadFrom(bytes);
    EXPECT_EQ(profile.toBytes(), bytes);
    profile.save();
    EXPECT_EQ(readBytes(iniPath()), bytes);
}

TEST_F(ProfileFileWriteTest, NewKeyGoesAfterTheLastNonBlankLineOfItsSection) {
    ProfileFile profile = loadFrom(
        "[ADRESSERING]\r\n"
        "MOTTAKER_NAVN=Dalvora\r\n"
        "; note\r\n"
        "\r\n"
        "\r\n"
        "[VERSJONER]\r\n"
        "R10=1\r\n");
    profile.writeString(u"adressering", u"SUPPORT_ADRESSE", u"s@x.no");
    EXPECT_EQ(profile.toBytes(), QByteArray("[ADRESSERING]\r\n"
                                            "MOTTAKER_NAVN=Dalvora\r\n"
                                            "; note\r\n"
                                            "SUPPORT_ADRESSE=s@x.no\r\n"
                                            "\r\n"
                                            "\r\n"
                                            "[VERSJONER]\r\n"
                                            "R10=1\r\n"));
}

TEST_F(ProfileFileWriteTest, NewKeyInEmptySectionFollowsItsHeader) {
    ProfileFile profile = loadFrom("[A]\r\n\r\n[B]\r\n");
    profile.writeString(u"A", u"K", u"v");
    EXPECT_EQ(profile.toBytes(), QByteArray("[A]\r\nK=v\r\n\r\n[B]\r\n"));
}

TEST_F(ProfileFileWriteTest, NewKeyAfterALastLineWithoutLineEndStartsOnItsOwnLine) {
    ProfileFile profile = loadFrom("[A]\r\nX=1");
    profile.writeString(u"A", u"Y", u"2");
    EXPECT_EQ(profile.toBytes(), QByteArray("[A]\r\nX=1\r\nY=2\r\n"));

    ProfileFile headerOnly = loadFrom("[A]");
    headerOnly.writeString(u"A", u"Y", u"2");
    EXPECT_EQ(headerOnly.toBytes(), QByteArray("[A]\r\nY=2\r\n"));
}

TEST_F(ProfileFileWriteTest, NewSectionIsAppendedAtTheEnd) {
    ProfileFile profile = loadFrom("[A]\r\nX=1\r\n\r\n[C]\r\nZ=3");
    profile.writeString(u"B", u"Y", u"2");
    EXPECT_EQ(profile.toBytes(), QByteArray("[A]\r\nX=1\r\n\r\n[C]\r\nZ=3\r\n[B]\r\nY=2\r\n"));

    ProfileFile empty(iniPath());
    empty.writeString(u"B", u"Y", u"2");
    empty.writeString(u"A", u"X", u"1");
    empty.writeString(u"B", u"W", u"3");
    EXPECT_EQ(empty.toBytes(), QByteArray("[B]\r\nY=2\r\nW=3\r\n[A]\r\nX=1\r\n"));
}

TEST_F(ProfileFileWriteTest, WritesGoToTheFirstOfDuplicateSectionsAndKeys) {
    ProfileFile profile = loadFrom("[A]\r\nX=1\r\nX=2\r\n[a]\r\nZ=4\r\n");
    profile.writeString(u"A", u"X", u"9");
    profile.writeString(u"A", u"Z", u"8");
    EXPECT_EQ(profile.toBytes(), QByteArray("[A]\r\nX=9\r\nX=2\r\nZ=8\r\n[a]\r\nZ=4\r\n"));
    EXPECT_EQ(profile.readString(u"A", u"Z"), QStringLiteral("8"));
}

TEST_F(ProfileFileWriteTest, ValuesThatWouldNotReadBackAreQuoted) {
    ProfileFile profile(iniPath());
    const QStringList values = {QStringLiteral(" x "), QStringLiteral("\"q\""), QStringLiteral("'q'"),
                                QStringLiteral("\tx"), QStringLiteral(""),      QStringLiteral("\"q"),
                                QStringLiteral("a=b")};
    for (qsizetype i = 0; i < values.size(); ++i) {
        profile.writeString(u"A", QStringLiteral("K%1").arg(i), values[i]);
    }
    EXPECT_EQ(profile.toBytes(), QByteArray("[A]\r\n"
                                            "K0=\" x \"\r\n"
                                            "K1=\"\"q\"\"\r\n"
                                            "K2=\"'q'\"\r\n"
                                            "K3=\"\tx\"\r\n"
                                            "K4=\r\n"
                                            "K5=\"q\r\n"
                                            "K6=a=b\r\n"));
    profile.save();
    const ProfileFile reread = ProfileFile::load(iniPath());
    for (qsizetype i = 0; i < values.size(); ++i) {
        EXPECT_EQ(reread.readString(u"A", QStringLiteral("K%1").arg(i), QStringLiteral("d")), values[i]) << i;
    }
}

TEST_F(ProfileFileWriteTest, LineBreaksInAValueBecomeBlanks) {
    ProfileFile profile(iniPath());
    profile.writeString(u"A", u"K", u"one\r\ntwo\nthree");
    profile.writeString(u"A", u"L", u"after");
    EXPECT_EQ(profile.toBytes(), QByteArray("[A]\r\nK=one  two three\r\nL=after\r\n"));
}

TEST_F(ProfileFileWriteTest, NonAsciiValuesAreWrittenInWindows1252AndRoundTrip) {
    ProfileFile profile(iniPath());
    const QString value = QStringLiteral("\u00D8stlandet \u00C6\u00F8\u00E5 \u20AC");
    profile.writeString(u"EPOST", u"SYSTEM", value);
    profile.writeString(u"EPOST", u"OUTSIDE", u"\u0436");  // not in the code page
    profile.save();
    EXPECT_EQ(readBytes(iniPath()),
              QByteArray("[EPOST]\r\nSYSTEM=\xD8stlandet \xC6\xF8\xE5 \x80\r\nOUTSIDE=?\r\n"));
    EXPECT_EQ(ProfileFile::load(iniPath()).readString(u"EPOST", u"SYSTEM"), value);
}

TEST_F(ProfileFileReadTest, AFileAnEditorSavedAsUtf8IsReadAsUtf8AndWrittenBackWholeInWindows1252) {
    // With a byte-order mark the first section would otherwise be "\xEF\xBB\xBF[KONFIGURASJON]".
    ProfileFile withMark =
        loadFrom("\xEF\xBB\xBF[KONFIGURASJON]\r\nDSNR=123\r\n[EPOST]\r\nSYSTEM=\xC3\x98st\r\n");
    EXPECT_EQ(withMark.readString(u"KONFIGURASJON", u"DSNR"), QStringLiteral("123"));
    EXPECT_EQ(withMark.readString(u"EPOST", u"SYSTEM"), QStringLiteral("\u00D8st"));
    withMark.writeString(u"KONFIGURASJON", u"REGNR", u"4567");
    withMark.save();
    EXPECT_EQ(readBytes(iniPath()),
              QByteArray("[KONFIGURASJON]\r\nDSNR=123\r\nREGNR=4567\r\n[EPOST]\r\nSYSTEM=\xD8st\r\n"));

    // Without the mark, "PÅ" in UTF-8 would read as "PÃ…", which is off.
    const ProfileFile utf8 = loadFrom("[EPOST]\nRAPP_AS_ATTACHMENT=P\xC3\x85\n");
    EXPECT_EQ(utf8.readString(u"EPOST", u"RAPP_AS_ATTACHMENT"), QStringLiteral("P\u00C5"));
    EXPECT_EQ(utf8.toBytes(), QByteArray("[EPOST]\nRAPP_AS_ATTACHMENT=P\xC5\n"));

    // Windows-1252 that happens to hold no valid UTF-8 stays byte for byte.
    const QByteArray windows = "[EPOST]\r\nRAPP_AS_ATTACHMENT=P\xC5\r\nSYSTEM=\xC5s \xE6\r\n";
    EXPECT_EQ(loadFrom(windows).toBytes(), windows);
}

// --- Saving --------------------------------------------------------------------------------------------

using ProfileFileSaveTest = ProfileFileTest;

TEST_F(ProfileFileSaveTest, SaveCreatesTheFileAndReplacesAnOldOne) {
    ProfileFile profile(iniPath());
    profile.writeString(u"A", u"X", u"1");
    profile.save();
    EXPECT_EQ(readBytes(iniPath()), QByteArray("[A]\r\nX=1\r\n"));

    ProfileFile again = ProfileFile::load(iniPath());
    again.writeString(u"A", u"X", u"22");
    again.save();
    EXPECT_EQ(readBytes(iniPath()), QByteArray("[A]\r\nX=22\r\n"));
    // Nothing of the temporary file is left beside it.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("telvainn.ini")});
}

TEST_F(ProfileFileSaveTest, ALinkTheUserMadeIsWrittenWhereItPointsAndLockedThere) {
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(QStringLiteral("felles.ini"));
    writeBytes(target, "[A]\r\nX=1\r\n");
    ASSERT_TRUE(QFile::link(target, iniPath()));
    ProfileFile::update(iniPath(), [&target](ProfileFile& profile) {
        EXPECT_TRUE(QFile::exists(target + QStringLiteral(".lock")));
        profile.writeString(u"A", u"X", u"2");
    });
    EXPECT_TRUE(QFileInfo(iniPath()).isSymLink());
    EXPECT_EQ(readBytes(target), QByteArray("[A]\r\nX=2\r\n"));
    EXPECT_FALSE(QFile::exists(elsewhere.filePath(QStringLiteral("felles.ini.lock"))));
}

TEST_F(ProfileFileSaveTest, SavesThatRaceNeverUndoEachOther) {
    writeBytes(iniPath(), "; delt fil\r\n[A]\r\n");
    // Each save counts up what it finds on disk: a save made from an outdated read loses a count.
    constexpr int kSaves = 50;
    const auto saver = [this](const char16_t* key) {
        for (int i = 1; i <= kSaves; ++i) {
            ProfileFile::update(iniPath(), [&](ProfileFile& profile) {
                profile.writeString(u"A", u"N", QString::number(profile.readInteger(u"A", u"N", 0) + 1));
                profile.writeString(u"A", key, QString::number(i));
            });
        }
    };
    std::thread first(saver, u"FORSTE");
    std::thread second(saver, u"ANDRE");
    first.join();
    second.join();
    const ProfileFile after = ProfileFile::load(iniPath());
    EXPECT_EQ(after.readInteger(u"A", u"N", 0), 2 * kSaves);
    EXPECT_EQ(after.readString(u"A", u"FORSTE"), QString::number(kSaves));
    EXPECT_EQ(after.readString(u"A", u"ANDRE"), QString::number(kSaves));
    EXPECT_TRUE(after.toBytes().startsWith("; delt fil\r\n[A]\r\n"));
}

TEST_F(ProfileFileSaveTest, FolderThatIsAFileGivesUnableToWriteWithTheFullPath) {
    const QString notAFolder = m_dir.filePath(QStringLiteral("plain"));
    writeBytes(notAFolder, "x");
    const QString path = notAFolder + QStringLiteral("/telvainn.ini");
    ProfileFile profile(path);
    profile.writeString(u"A", u"X", u"1");
    try {
        profile.save();
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Unable to write to ") + path);
    }
    EXPECT_EQ(readBytes(notAFolder), QByteArray("x"));
}

TEST_F(ProfileFileSaveTest, RelativePathIsReportedAsItsFullPath) {
    // The message must name the file the user can find, never a path relative to a working folder.
    const QString relative = QStringLiteral("no-such-folder-for-profile-test/telvainn.ini");
    ASSERT_FALSE(QFile::exists(QStringLiteral("no-such-folder-for-profile-test")));
    ProfileFile profile(relative);
    try {
        profile.save();
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("Unable to write to ") + QDir::current().absoluteFilePath(relative));
    }
}

TEST_F(ProfileFileSaveTest, ReadOnlyFolderGivesUnableToWriteAndKeepsTheOldFile) {
    const QByteArray old = "[KONFIGURASJON]\r\nDSNR=123\r\n";
    writeBytes(iniPath(), old);
    ProfileFile profile = ProfileFile::load(iniPath());
    profile.writeString(u"KONFIGURASJON", u"DSNR", u"456");

    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    const QFileDevice::Permissions writable = readOnly | QFileDevice::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(m_dir.path(), readOnly));
    {
        // Root (as in many containers) writes through any permission bits: nothing to check then.
        QFile probe(m_dir.filePath(QStringLiteral("probe")));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.close();
            probe.remove();
            QFile::setPermissions(m_dir.path(), writable);
            GTEST_SKIP() << "folder permissions do not stop this user from writing";
        }
    }
    bool raised = false;
    QString message;
    try {
        profile.save();
    } catch (const Error& e) {
        raised = true;
        message = e.message();
    }
    QFile::setPermissions(m_dir.path(), writable);
    EXPECT_TRUE(raised);
    EXPECT_EQ(message, QStringLiteral("Unable to write to ") + iniPath());
    EXPECT_EQ(readBytes(iniPath()), old);
}

}  // namespace
}  // namespace telvainn
