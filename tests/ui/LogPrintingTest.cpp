#include <gtest/gtest.h>

#include <QFileInfo>
#include <QFontInfo>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "support/ScriptedPrompter.h"
#include "support/ScriptedUi.h"
#include "ui/LogPrinting.h"

using telvainn::ui::buildLogDocument;
using telvainn::ui::printLog;
using telvainn::ui::printLogDocument;
using telvainn::ui::setUpLogPage;

namespace {

const QString kHeading = QStringLiteral("Telva innrapportering  -  utskrift av loggvindu");
const QString kRule = QStringLiteral("===============================================");
// 25 mm in PDF points, and A4 in PDF points.
constexpr double kMarginPoints = 25.0 / 25.4 * 72.0;
constexpr double kPageWidthPoints = 595.276;
constexpr double kPageHeightPoints = 841.89;

QStringList blockTexts(const QTextDocument& document) {
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        texts << block.text();
    }
    return texts;
}

// The output of one of poppler's tools on the PDF.
QString poppler(const char* tool, QStringList arguments) {
    const QString program = QStandardPaths::findExecutable(QLatin1String(tool));
    if (program.isEmpty()) {
        ADD_FAILURE() << tool << " (poppler-utils) is not installed";
        return {};
    }
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << tool;
    EXPECT_EQ(process.exitCode(), 0) << tool << ": " << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfText(const QString& pdf) {
    return poppler("pdftotext", {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

int pdfPages(const QString& pdf) {
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption)
            .match(poppler("pdfinfo", {pdf}));
    return pages.hasMatch() ? pages.captured(1).toInt() : -1;
}

struct WordBox {
    QString text;
    double left, top, right, bottom;
};

std::vector<WordBox> wordBoxes(const QString& pdf) {
    std::vector<WordBox> boxes;
    const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    auto matches =
        word.globalMatch(poppler("pdftotext", {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        boxes.push_back({match.captured(5), match.captured(1).toDouble(), match.captured(2).toDouble(),
                         match.captured(3).toDouble(), match.captured(4).toDouble()});
    }
    return boxes;
}

// pdftotext folds a run of spaces into one, so the text is compared word by word, and the heading's
// double spaces are measured: in a fixed-pitch font each space is as wide as the dash.
const QString kHeadingAsExtracted = QStringLiteral("Telva innrapportering - utskrift av loggvindu");

void expectHeadingWithItsSpacing(const std::vector<WordBox>& boxes) {
    const auto find = [&boxes](const QString& text) {
        return std::find_if(boxes.begin(), boxes.end(),
                            [&text](const WordBox& box) { return box.text == text; });
    };
    const auto telva = find(QStringLiteral("Telva"));
    const auto dash = find(QStringLiteral("-"));
    ASSERT_NE(telva, boxes.end());
    ASSERT_NE(dash, boxes.end());
    ASSERT_EQ(std::next(telva, 2), dash);
    const auto word = std::next(telva);
    const auto after = std::next(dash);
    EXPECT_EQ(word->text, QStringLiteral("innrapportering"));
    EXPECT_EQ(after->text, QStringLiteral("utskrift"));
    const double space = dash->right - dash->left;
    EXPECT_NEAR(word->left - telva->right, space, 0.1);
    EXPECT_NEAR(dash->left - word->right, 2 * space, 0.1);
    EXPECT_NEAR(after->left - dash->right, 2 * space, 0.1);
}

class LogPrintingTest : public testing::Test {
  protected:
    // Prints the log to a PDF on the log page and gives the file.
    QString printToPdf(const QString& logText) {
        const QString pdf = folder.filePath(QStringLiteral("logg.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        setUpLogPage(printer);
        const std::unique_ptr<QTextDocument> document = buildLogDocument(logText);
        printLogDocument(*document, printer);
        EXPECT_GT(QFileInfo(pdf).size(), 0);
        return pdf;
    }

    QTemporaryDir folder;
};

TEST(LogPrinting, DocumentHasTheHeadingAboveTheLogLines) {
    const std::unique_ptr<QTextDocument> document =
        buildLogDocument(QStringLiteral("Rapport R10 er validert.\r\nFeil i rad 12\n\nSiste linje\n"));

    EXPECT_EQ(blockTexts(*document),
              (QStringList{kHeading, kRule, QString(), QStringLiteral("Rapport R10 er validert."),
                           QStringLiteral("Feil i rad 12"), QString(), QStringLiteral("Siste linje")}));
    EXPECT_EQ(document->metaInformation(QTextDocument::DocumentTitle), QStringLiteral("Valideringslogg"));

    const QFont font = document->defaultFont();
    EXPECT_EQ(font.family(), QStringLiteral("Courier New"));
    EXPECT_EQ(font.pointSize(), 12);
    EXPECT_EQ(font.styleHint(), QFont::TypeWriter);
    // Whatever font the machine puts in its place keeps the columns.
    EXPECT_TRUE(QFontInfo(font).fixedPitch()) << QFontInfo(font).family().toStdString();
    EXPECT_EQ(document->defaultTextOption().alignment(), Qt::AlignLeft);
    EXPECT_NE(document->defaultTextOption().wrapMode(), QTextOption::NoWrap);
    EXPECT_NE(document->defaultTextOption().wrapMode(), QTextOption::ManualWrap);

    EXPECT_EQ(blockTexts(*buildLogDocument(QString())), (QStringList{kHeading, kRule, QString()}));
}

TEST(LogPrinting, PageIsA4PortraitWithMarginsOf25Millimetres) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(QPageLayout::Landscape);
    setUpLogPage(printer);

    const QPageLayout layout = printer.pageLayout();
    EXPECT_EQ(layout.pageSize().id(), QPageSize::A4);
    EXPECT_EQ(layout.orientation(), QPageLayout::Portrait);
    EXPECT_EQ(layout.margins(QPageLayout::Millimeter), QMarginsF(25, 25, 25, 25));
}

TEST_F(LogPrintingTest, PdfHoldsTheHeadingAndTheLogLines) {
    const QString pdf = printToPdf(
        QStringLiteral("Rapport R10 for regnr 1234 er validert.\nFeil: beløpet i rad 12 mangler.\nÆØÅ æøå"));

    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(kHeadingAsExtracted)) << text.toStdString();
    expectHeadingWithItsSpacing(wordBoxes(pdf));
    EXPECT_TRUE(text.contains(kRule)) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Rapport R10 for regnr 1234 er validert.")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Feil: beløpet i rad 12 mangler."))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("ÆØÅ æøå"))) << text.toStdString();
    EXPECT_LT(text.indexOf(kHeadingAsExtracted), text.indexOf(QStringLiteral("Rapport R10")));
    EXPECT_EQ(pdfPages(pdf), 1);

    const QString info = poppler("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title:\\s+Valideringslogg\\n"))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(
        QRegularExpression(QStringLiteral("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"))))
        << info.toStdString();
}

TEST_F(LogPrintingTest, LongLogsWrapInsideTheMarginsAndRunOverPages) {
    QStringList lines;
    // A line far wider than the page, once with spaces and once without.
    lines << QStringLiteral("Kontroll av koder: ").repeated(12) << QStringLiteral("/lang/sti").repeated(20);
    for (int index = 1; index <= 150; ++index) {
        lines << QStringLiteral("Linje %1 i loggen").arg(index);
    }
    const QString pdf = printToPdf(lines.join(QLatin1Char('\n')));

    const std::vector<WordBox> boxes = wordBoxes(pdf);
    ASSERT_GT(boxes.size(), 400U);
    const double tolerance = 0.5;
    double leftmost = kPageWidthPoints;
    for (const WordBox& box : boxes) {
        EXPECT_GE(box.left, kMarginPoints - tolerance);
        EXPECT_LE(box.right, kPageWidthPoints - kMarginPoints + tolerance);
        EXPECT_GE(box.top, kMarginPoints - tolerance);
        EXPECT_LE(box.bottom, kPageHeightPoints - kMarginPoints + tolerance);
        leftmost = std::min(leftmost, box.left);
    }
    // The text starts right at the left margin.
    EXPECT_NEAR(leftmost, kMarginPoints, 1.0);

    EXPECT_GE(pdfPages(pdf), 3);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Linje 1 i loggen")));
    EXPECT_TRUE(text.contains(QStringLiteral("Linje 150 i loggen")));
}

TEST_F(LogPrintingTest, EmptyLogPrintsOnePageWithTheHeading) {
    const QString pdf = printToPdf(QString());
    EXPECT_EQ(pdfPages(pdf), 1);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(kHeadingAsExtracted)) << text.toStdString();
    EXPECT_TRUE(text.contains(kRule)) << text.toStdString();
    expectHeadingWithItsSpacing(wordBoxes(pdf));
}

TEST(LogPrinting, PreviewShowsTheLogAndTellsWhenPrintingFails) {
    ScriptedPrompter prompter;
    testsupport::ScriptedDialogs dialogs;
    QTemporaryDir folder;
    int previewPages = 0;
    dialogs.then([&](QDialog& dialog) {
        auto* widget = dialog.findChild<QPrintPreviewWidget*>();
        EXPECT_NE(widget, nullptr);
        if (widget != nullptr) {
            widget->updatePreview();
            previewPages = widget->pageCount();
        }
        // The preview's printer may fail to start, as a printer that cannot write its output does.
        QPrinter broken(QPrinter::HighResolution);
        broken.setOutputFormat(QPrinter::PdfFormat);
        broken.setOutputFileName(folder.filePath(QStringLiteral("mangler/logg.pdf")));
        Q_EMIT static_cast<QPrintPreviewDialog&>(dialog).paintRequested(&broken);
        return QDialog::Rejected;
    });

    printLog(nullptr, QStringLiteral("Rapport R10 er validert."), prompter, std::ref(dialogs));

    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(dialogs.shown, QStringList{QStringLiteral("PrintPreview")});
    EXPECT_EQ(previewPages, 1);
    EXPECT_EQ(prompter.messages,
              QStringList{QStringLiteral("Noe gikk galt ved forsøk på å printe ut "
                                         "valideringloggen. (Errormelding: Klarte ikke å starte "
                                         "utskriften).")});
}

TEST(LogPrinting, PreviewOfALongLogHasSeveralPagesAndNoMessage) {
    ScriptedPrompter prompter;
    testsupport::ScriptedDialogs dialogs;
    int previewPages = 0;
    dialogs.then([&](QDialog& dialog) {
        auto* widget = dialog.findChild<QPrintPreviewWidget*>();
        EXPECT_NE(widget, nullptr);
        if (widget != nullptr) {
            widget->updatePreview();
            previewPages = widget->pageCount();
        }
        return QDialog::Accepted;
    });
    QStringList lines;
    for (int index = 1; index <= 200; ++index) {
        lines << QStringLiteral("Linje %1").arg(index);
    }

    printLog(nullptr, lines.join(QLatin1Char('\n')), prompter, std::ref(dialogs));

    EXPECT_GE(previewPages, 3);
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join(QLatin1Char('|')).toStdString();
}

}  // namespace
