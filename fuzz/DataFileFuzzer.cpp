// Arbitrary bytes as a flat data file, read the way "send-datafil" reads one: the lines, the companies,
// the first line, then the whole run up to the mails, which are opened again as the agency would.

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

#include "app/DataFileSending.h"
#include "core/DataFile.h"
#include "core/Error.h"
#include "core/Numbers.h"
#include "core/Prompter.h"
#include "core/ReportDataLines.h"
#include "core/Windows1252.h"
#include "fuzz/FuzzSupport.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/Envelope.h"
#include "transmission/EnvelopeParser.h"

using fuzz::check;
using namespace telvainn;

namespace {

// Goes on at every question, so that the run gets as far as the file lets it.
class YesPrompter : public Prompter {
  public:
    Answer ask(MessageKind, const QString&, Buttons) override { return Answer::Yes; }
    void tell(MessageKind, const QString&) override {}
};

// Instead of sending, checks every mail the way the receiving side reads it.
class CheckingMailer : public ReportMailer {
  public:
    int mails = 0;

    bool SendReportMail(const QStringList& informationList, const QByteArray& encryptedReportText,
                        const QByteArray& clearTextBlock) override {
        ++mails;
        check(encryptedReportText.startsWith(clearTextBlock),
              "the mail's envelope starts with its clear text");
        ParsedEnvelope parsed;
        try {
            parsed = ParseEncryptedReportText(encryptedReportText);
        } catch (const Error& e) {
            std::fprintf(stderr, "%s\n", e.what());
            check(false, "the receiving side accepts every envelope the program writes");
        }
        check(parsed.info == informationList, "the envelope carries the report's information list");
        static const BlowfishCipher cipher;
        const QByteArray report = cipher.DecryptReportText(parsed.base64);
        check(report.startsWith("<?xml ") && report.endsWith("</DATA>\r\n</DVRAPPORT>"),
              "the encrypted report is a whole flat-file report document");
        return true;
    }
};

// LF ends a line, and so does a lone CR in a file that has no CR LF.
qsizetype lineEnds(const QByteArray& bytes) {
    return bytes.count('\n') + (bytes.contains("\r\n") ? 0 : bytes.count('\r'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    static const QString path = fuzz::scratchPath(QStringLiteral("datafil.txt"));
    fuzz::writeScratchFile(path, bytes);

    const DataFileText file = DataFileText::read(path);
    QStringList lines;
    for (qsizetype i = 0; i < file.lineCount(); ++i) {
        lines.append(file.line(i));
    }
    const bool crEnds = !bytes.contains("\r\n");
    const bool lastLineOpen = !bytes.isEmpty() && !bytes.endsWith('\n') && !(crEnds && bytes.endsWith('\r'));
    check(lines.size() == lineEnds(bytes) + (lastLineOpen ? 1 : 0), "one line per line end");

    const QStringList& companies = file.companies();
    check(QSet<QString>(companies.begin(), companies.end()).size() == companies.size(),
          "every company is listed once");
    for (const QString& regnr : companies) {
        check(!regnr.isEmpty() && regnr.size() <= 4 && regnr.front().unicode() > 0x20,
              "a Regnr is the first one to four characters of a line, blanks before it removed");
    }

    const DataFileHeader header = parseDataFileHeader(file.firstLine());
    check(!header.valid() || (isDigitsOnly(header.Dsnr) && header.Dsnr.size() == 3 &&
                              isDigitsOnly(header.Periode) && header.Periode.size() == 6),
          "an accepted first line has a three-digit Dsnr and a six-digit Periode");

    // The odd-sized inputs also read amounts with a decimal comma, as on a Norwegian desktop.
    Locale locale;
    if (size % 2 == 1) {
        locale.decimalSeparator = QLatin1Char(',');
        locale.thousandsSeparator = QLatin1Char(' ');
    }
    YesPrompter prompter;
    CheckingMailer mailer;
    TemplateVersion templateVersion;
    const SendDataFileResult result =
        SendDataFileByMail(path, TSettings{}, RunMode{}, locale, prompter, mailer, templateVersion);
    check(!result.stopped, "a run that is told to go on does not stop");
    check(result.outputs.companies == companies.size(), "the run finds the same companies");
    check(static_cast<int>(result.outputs.reports.size()) == mailer.mails, "every mail is listed");
    check(!result.message.isEmpty(), "the user is always told how the run went");
    if (mailer.mails > 0) {
        for (const QString& line : lines) {
            for (const QChar c : line) {
                check(c.unicode() >= 0x20 || c == QLatin1Char('\t'),
                      "no mail leaves from a line with a control character");
            }
        }
    }

    const QByteArray written = dataFileBytes(fromWindows1252(bytes));
    check(written.endsWith("\r\n") &&
              (written.size() == 2 || static_cast<unsigned char>(written[written.size() - 3]) > 0x20),
          "a data file ends with exactly one line break and no blanks before it");
    return 0;
}
