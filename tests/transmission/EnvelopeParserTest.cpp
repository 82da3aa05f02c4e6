#include <gtest/gtest.h>

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QStringList>
#include <functional>

#include "core/Error.h"
#include "core/Windows1252.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/Envelope.h"
#include "transmission/EnvelopeParser.h"

namespace telvainn {
namespace {

QStringList sampleInfo() {
    return {QStringLiteral("101"),         QStringLiteral("K"),     QStringLiteral("2024-12"),
            QStringLiteral("3.0.5"),       QStringLiteral("2001"),  QStringLiteral("7"),
            QStringLiteral("Outlook Æ €"), QStringLiteral("R10 v4")};
}

QByteArray sampleBase64() {
    return BlowfishCipher().EncryptReportText(QStringLiteral("<Rapport>Særskilt avsetning 12 345</Rapport>"));
}

// The encrypted report text as a file holds it: Windows-1252, with the writer's trailing CR LF.
QByteArray validFile() {
    return BuildEncryptedReportText(sampleInfo(), sampleBase64()) + "\r\n";
}

// The file's 14 lines without their line ends (the split leaves an empty 15th part after the last CR LF).
QByteArrayList validLines() {
    QByteArrayList lines = validFile().split('\n');
    lines.removeLast();
    for (QByteArray& line : lines) {
        line.chop(1);
    }
    return lines;
}

QByteArray joinLines(const QByteArrayList& lines) {
    return lines.join("\r\n") + "\r\n";
}

QString errorOf(const QByteArray& bytes) {
    try {
        ParseEncryptedReportText(bytes);
    } catch (const Error& error) {
        return error.message();
    }
    return QStringLiteral("(no error)");
}

// --- what is accepted ---

TEST(EnvelopeParserAccepts, WhatTheBuilderWritesWithTheFilesLineEnd) {
    const ParsedEnvelope parsed = ParseEncryptedReportText(validFile());
    EXPECT_EQ(parsed.info, sampleInfo());
    EXPECT_EQ(parsed.base64, sampleBase64());
}

TEST(EnvelopeParserAccepts, WhatTheBuilderWritesWithoutALineEnd) {
    const QByteArray bytes = BuildEncryptedReportText(sampleInfo(), sampleBase64());
    const ParsedEnvelope parsed = ParseEncryptedReportText(bytes);
    EXPECT_EQ(parsed.info, sampleInfo());
    EXPECT_EQ(parsed.base64, sampleBase64());
}

TEST(EnvelopeParserAccepts, AnEmptyCipherText) {
    const ParsedEnvelope parsed = ParseEncryptedReportText(BuildEncryptedReportText(sampleInfo(), {}));
    EXPECT_EQ(parsed.info, sampleInfo());
    EXPECT_TRUE(parsed.base64.isEmpty());
}

TEST(EnvelopeParserAccepts, ValuesAsWindows1252) {
    QByteArrayList lines = validLines();
    lines[10] = "E-post system:    \xC6\xD8\xC5 \x80";
    const ParsedEnvelope parsed = ParseEncryptedReportText(joinLines(lines));
    EXPECT_EQ(parsed.info[6], QStringLiteral("ÆØÅ €"));
}

TEST(EnvelopeParserAccepts, TextThatDecryptsToTheReport) {
    const BlowfishCipher cipher;
    const QString report = QStringLiteral("<Rapport Dsnr=\"101\">Beløp 12 345</Rapport>");
    const QByteArray file = BuildEncryptedReportText(sampleInfo(), cipher.EncryptReportText(report)) + "\r\n";
    EXPECT_EQ(cipher.DecryptReportText(ParseEncryptedReportText(file).base64), toWindows1252(report));
}

// --- what is refused, and the line named ---

const qsizetype kStart = QByteArray("<--------START-------------").size();

struct Deviation {
    const char* what;
    std::function<void(QByteArrayList&)> change;
    QString message;
};

TEST(EnvelopeParserRefuses, EachDeviationNamingItsLine) {
    const QString separator = QStringLiteral("Linje %1: forventet 62 likhetstegn.");
    const QString label = QStringLiteral("Linje %1: forventet \"%2\" først på linjen.");
    const std::vector<Deviation> deviations = {
        {"61 equals signs", [](QByteArrayList& l) { l[0].chop(1); }, separator.arg(1)},
        {"heading without blank", [](QByteArrayList& l) { l[1].chop(1); },
         QStringLiteral("Linje 2: forventet \"Informasjon om rapporten i klartekst: \".")},
        {"63 equals signs", [](QByteArrayList& l) { l[2] += '='; }, separator.arg(3)},
        {"Dsnr label one blank short", [](QByteArrayList& l) { l[3].remove(5, 1); },
         label.arg(4).arg(QStringLiteral("Dsnr:             "))},
        {"Regnr label one blank short", [](QByteArrayList& l) { l[4].remove(6, 1); },
         label.arg(5).arg(QStringLiteral("Regnr:            "))},
        {"Rapportnr label misspelt", [](QByteArrayList& l) { l[5].replace("Rapportnr", "RapportNr"); },
         label.arg(6).arg(QStringLiteral("Rapportnr:        "))},
        {"Rapportversjon label one blank short", [](QByteArrayList& l) { l[6].remove(15, 1); },
         label.arg(7).arg(QStringLiteral("Rapportversjon:   "))},
        {"Rapporttype label without colon", [](QByteArrayList& l) { l[7].replace(":", " "); },
         label.arg(8).arg(QStringLiteral("Rapporttype:      "))},
        {"Periode label one blank short", [](QByteArrayList& l) { l[8].remove(8, 1); },
         label.arg(9).arg(QStringLiteral("Periode:          "))},
        {"Programversjon label one blank short", [](QByteArrayList& l) { l[9].remove(15, 1); },
         label.arg(10).arg(QStringLiteral("Programversjon:   "))},
        {"E-post system label with tab", [](QByteArrayList& l) { l[10].replace("    ", "\t"); },
         label.arg(11).arg(QStringLiteral("E-post system:    "))},
        {"Dsnr and Regnr swapped", [](QByteArrayList& l) { l.swapItemsAt(3, 4); },
         label.arg(4).arg(QStringLiteral("Dsnr:             "))},
        {"line 12 holds a blank", [](QByteArrayList& l) { l[11] = " "; },
         QStringLiteral("Linje 12: forventet en tom linje.")},
        {"line 12 left out", [](QByteArrayList& l) { l.removeAt(11); },
         QStringLiteral("Linje 12: forventet en tom linje.")},
        {"START marker one dash short", [](QByteArrayList& l) { l[12].remove(0, 1); },
         QStringLiteral("Linje 13: forventet \"<--------START-------------\" først på linjen.")},
        {"Base64 text one character short", [](QByteArrayList& l) { l[12].chop(1); },
         QStringLiteral("Linje 13: forventet gyldig Base64-tekst etter \"<--------START-------------\".")},
        {"Base64 text with a blank", [](QByteArrayList& l) { l[12].insert(30, ' '); },
         QStringLiteral("Linje 13: forventet gyldig Base64-tekst etter \"<--------START-------------\".")},
        {"Base64 text broken after 5 characters",
         [](QByteArrayList& l) { l.insert(13, l[12].sliced(kStart + 5)), l[12].truncate(kStart + 5); },
         QStringLiteral("Linje 13: forventet gyldig Base64-tekst etter \"<--------START-------------\".")},
        {"Base64 text broken after 4 characters",
         [](QByteArrayList& l) { l.insert(13, l[12].sliced(kStart + 4)), l[12].truncate(kStart + 4); },
         QStringLiteral("Linje 14: forventet \"---------SLUTT------------> \".")},
        {"SLUTT marker without its blank", [](QByteArrayList& l) { l[13].chop(1); },
         QStringLiteral("Linje 14: forventet \"---------SLUTT------------> \".")},
        {"text after the SLUTT marker", [](QByteArrayList& l) { l[13] += "x"; },
         QStringLiteral(
             "Linje 14: forventet ingenting eller én CR LF etter \"---------SLUTT------------> \".")},
        {"a second line end after line 14", [](QByteArrayList& l) { l.append(QByteArray()); },
         QStringLiteral(
             "Linje 14: forventet ingenting eller én CR LF etter \"---------SLUTT------------> \".")},
    };
    for (const Deviation& deviation : deviations) {
        SCOPED_TRACE(deviation.what);
        QByteArrayList lines = validLines();
        deviation.change(lines);
        EXPECT_EQ(errorOf(joinLines(lines)), deviation.message);
    }
}

TEST(EnvelopeParserRefuses, LineEndsOtherThanCrLf) {
    const QString message = QStringLiteral("Linje %1: forventet CR LF som linjeslutt.");
    const QByteArray valid = validFile();
    QByteArray unixFile = valid;
    unixFile.replace("\r\n", "\n");
    EXPECT_EQ(errorOf(unixFile), message.arg(1));

    for (int line = 1; line <= 13; ++line) {
        SCOPED_TRACE(line);
        const QByteArrayList lines = validLines();
        QByteArray lfOnly;
        QByteArray crOnly;
        for (int i = 0; i < lines.size(); ++i) {
            lfOnly += lines[i] + (i + 1 == line ? "\n" : "\r\n");
            crOnly += lines[i] + (i + 1 == line ? "\r" : "\r\n");
        }
        EXPECT_EQ(errorOf(lfOnly), message.arg(line));
        EXPECT_EQ(errorOf(crOnly), message.arg(line));
    }

    QByteArray lfAfterSlutt = valid;
    lfAfterSlutt.chop(2);
    lfAfterSlutt += "\n";
    EXPECT_EQ(errorOf(lfAfterSlutt),
              QStringLiteral(
                  "Linje 14: forventet ingenting eller én CR LF etter \"---------SLUTT------------> \"."));
}

TEST(EnvelopeParserRefuses, TextThatEndsEarly) {
    EXPECT_EQ(errorOf(QByteArray()),
              QStringLiteral("Linje 1: forventet 62 likhetstegn, men teksten slutter før denne linjen."));

    const QByteArray valid = validFile();
    const QByteArrayList lines = validLines();
    const QByteArray firstSix = joinLines(lines.first(6));
    EXPECT_EQ(errorOf(firstSix),
              QStringLiteral("Linje 7: forventet \"Rapportversjon:   \" først på linjen, men "
                             "teksten slutter før denne linjen."));
    EXPECT_EQ(errorOf(firstSix.chopped(2)), QStringLiteral("Linje 6: forventet CR LF som linjeslutt."));
    EXPECT_EQ(errorOf(joinLines(lines.first(11))),
              QStringLiteral("Linje 12: forventet en tom linje, men teksten slutter før denne linjen."));
    EXPECT_EQ(
        errorOf(joinLines(lines.first(13))),
        QStringLiteral("Linje 14: forventet \"---------SLUTT------------> \", men teksten slutter før denne "
                       "linjen."));
    EXPECT_EQ(errorOf(joinLines(lines.first(13)).chopped(2)),
              QStringLiteral("Linje 13: forventet CR LF som linjeslutt."));
}

}  // namespace
}  // namespace telvainn
