// Arbitrary bytes as telvainn.ini: the profile reader on its own, every section and key the bytes
// name, the settings record read from it, and the file the program writes back.

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <QStringView>
#include <algorithm>

#include "app/SettingsStore.h"
#include "core/FileIo.h"
#include "core/Numbers.h"
#include "core/ProfileFile.h"
#include "core/Windows1252.h"
#include "fuzz/FuzzSupport.h"

using fuzz::check;
using namespace telvainn;

namespace {

// Every name is read against every other; a bound keeps a file of many short lines from turning one
// input into millions of look-ups.
constexpr qsizetype kMaxNames = 48;

struct Names {
    QStringList sections;
    QStringList keys;
    QStringList values;
};

// The section, key and value texts the bytes hold, found by a looser reading than the profile's own, so
// that near misses are looked up too.
Names namesIn(const QByteArray& bytes) {
    Names names;
    const QString text = fromWindows1252(bytes);
    for (const QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        const QStringView body = trimBlanks(line);
        if (body.startsWith(QLatin1Char('['))) {
            const qsizetype close = body.lastIndexOf(QLatin1Char(']'));
            names.sections.append(trimmed(body.mid(1, close < 0 ? -1 : close - 1)));
        } else if (const qsizetype equals = body.indexOf(QLatin1Char('=')); equals >= 0) {
            names.keys.append(trimmed(body.left(equals)));
            names.values.append(body.mid(equals + 1).toString());
        }
    }
    names.sections = names.sections.mid(0, kMaxNames);
    names.keys = names.keys.mid(0, kMaxNames);
    return names;
}

// What readString gives back after writeString: one profile line holds no line break.
QString readBack(QString value) {
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

bool sameSettings(const TSettings& a, const TSettings& b) {
    return a.Dsnr == b.Dsnr && a.Regnr == b.Regnr && a.EmailSystem == b.EmailSystem &&
           a.WebActivated == b.WebActivated && a.RappAsAttachment == b.RappAsAttachment &&
           a.RecipientName == b.RecipientName && a.RecipientAddress == b.RecipientAddress &&
           a.SupportAddress == b.SupportAddress && a.UserManualAddress == b.UserManualAddress &&
           a.DownloadAddress == b.DownloadAddress && a.CheckExcelOnStartup == b.CheckExcelOnStartup &&
           a.MailTransport == b.MailTransport && a.SmtpServer == b.SmtpServer && a.SmtpPort == b.SmtpPort &&
           a.SmtpSecurity == b.SmtpSecurity && a.SmtpUser == b.SmtpUser &&
           a.SenderAddress == b.SenderAddress && a.SendmailProgram == b.SendmailProgram;
}

// The record as SaveSettings can store it: the texts without line breaks.
TSettings storable(TSettings s) {
    for (QString* text :
         {&s.EmailSystem, &s.RecipientName, &s.RecipientAddress, &s.SupportAddress, &s.UserManualAddress,
          &s.DownloadAddress, &s.SmtpServer, &s.SmtpUser, &s.SenderAddress, &s.SendmailProgram}) {
        *text = readBack(*text);
    }
    return s;
}

void readEverything(const ProfileFile& profile, const Names& names) {
    for (const QString& section : names.sections) {
        for (const QString& key : names.keys) {
            const QString value = profile.readString(section, key, QStringLiteral("\x01"));
            bool ok = false;
            const int number = ProfileFile::parseInteger(value, &ok);
            check(profile.readInteger(section, key, -7) == (ok ? number : -7),
                  "readInteger reads what readString gives");
        }
    }
}

// The bytes a profile nobody changed writes back: an editor's UTF-8 (a byte-order mark, or valid UTF-8
// holding more than ASCII) as its text in Windows-1252 without the mark, anything else as it was.
QByteArray writtenBack(const QByteArray& bytes) {
    const bool mark = bytes.startsWith("\xEF\xBB\xBF");
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(mark ? bytes.mid(3) : bytes);
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
    return mark || (!ascii && !utf8.hasError()) ? toWindows1252(text) : bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    static const QString path = fuzz::scratchPath(QStringLiteral("telvainn.ini"));
    fuzz::writeScratchFile(path, bytes);

    ProfileFile profile = ProfileFile::load(path);
    check(profile.toBytes() == writtenBack(bytes),
          "a profile nobody changed writes back byte for byte, an editor's UTF-8 in Windows-1252");
    const Names names = namesIn(bytes);
    readEverything(profile, names);

    // A value taken from the file itself, written under one of the program's own names, reads back
    // unchanged, in memory and from the bytes written.
    const QString value =
        names.values.value(static_cast<qsizetype>(size % 7), fromWindows1252(bytes.left(40)));
    const QString& section = size % 3 == 0 ? settings_ini::kSectionEpost : settings_ini::kSectionAdressering;
    profile.writeString(section, settings_ini::kKeySmtpServer, value);
    check(profile.readString(section, settings_ini::kKeySmtpServer) == readBack(value),
          "a written value reads back");
    // Unless the bytes written happen to be valid UTF-8 as well, which an editor's file is read as.
    const QByteArray written = profile.toBytes();
    fuzz::writeScratchFile(path, written);
    check(writtenBack(written) != written ||
              ProfileFile::load(path).readString(section, settings_ini::kKeySmtpServer) == readBack(value),
          "a written value reads back from the file");

    // The settings record of the original bytes in both run modes; saving it and reading it again gives
    // the same record.
    for (const bool test : {false, true}) {
        const RunMode mode{test, false};
        fuzz::writeScratchFile(path, bytes);
        TSettings first;
        check(LoadSettings(path, mode, first, MailTransportKind::Smtp), "an existing file is only read");
        check(first.SmtpPort >= 0 && first.SmtpPort <= 65535, "the port is a port or 0");
        SaveSettings(path, mode, first);
        TSettings second;
        LoadSettings(path, mode, second, MailTransportKind::Sendmail);
        const QByteArray saved = readFileBytes(path);
        check(writtenBack(saved) != saved || sameSettings(second, storable(first)),
              "saved settings read back the same");
    }
    return 0;
}
