#include "ui/LogPrinting.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPalette>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStringList>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>

#include "core/Error.h"

namespace telvainn::ui {
namespace {

const QString kLogFontFamily = QStringLiteral("Courier New");
constexpr int kLogFontPoints = 12;
constexpr int kRuleLength = 47;
constexpr qreal kMarginMillimetres = 25.0;

const QString kPrintFailed =
    QStringLiteral("Noe gikk galt ved forsøk på å printe ut valideringloggen. (Errormelding: ");
const QString kPrintFailedEnd = QStringLiteral(").");
// Ends without a full stop: the message is shown inside parentheses that end with one.
const QString kPrinterNotStarted = QStringLiteral("Klarte ikke å starte utskriften");
const QString kPrinterNotFinished = QStringLiteral("Klarte ikke å fullføre utskriften");

// The log window's lines; a final line break ends the last line rather than starting an empty one.
QStringList logLines(const QString& logText) {
    if (logText.isEmpty()) {
        return {};
    }
    QString text = logText;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n'))) {
        lines.removeLast();
    }
    return lines;
}

}  // namespace

std::unique_ptr<QTextDocument> buildLogDocument(const QString& logText) {
    auto document = std::make_unique<QTextDocument>();

    // Courier New where the machine has it, otherwise whichever fixed-pitch font it has, so that the
    // columns of the log stay aligned.
    QFont font(kLogFontFamily, kLogFontPoints);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    document->setDefaultFont(font);

    QTextOption option(Qt::AlignLeft);
    // A long path without spaces is broken anywhere rather than running off the paper.
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document->setDefaultTextOption(option);
    // The page margins are the only margins.
    document->setDocumentMargin(0);

    QStringList lines{kLogPrintHeading, QString(kRuleLength, QLatin1Char('=')), QString()};
    lines += logLines(logText);
    document->setPlainText(lines.join(QLatin1Char('\n')));
    // After the text: setting the text clears the title.
    document->setMetaInformation(QTextDocument::DocumentTitle, kLogPrintTitle);
    return document;
}

void setUpLogPage(QPrinter& printer) {
    const QMarginsF margins(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres);
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins, QPageLayout::Millimeter));
}

void printLogDocument(QTextDocument& document, QPrinter& printer) {
    printer.setDocName(document.metaInformation(QTextDocument::DocumentTitle));
    QPainter painter;
    if (!painter.begin(&printer)) {
        throw Error(kPrinterNotStarted);
    }
    // Laid out in the printer's own resolution, so that 12 points are 12 points on paper; the document
    // lets go of the printer again when done, since it may outlive it.
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    layout->setPaintDevice(&printer);
    const std::unique_ptr<QAbstractTextDocumentLayout, void (*)(QAbstractTextDocumentLayout*)> release(
        layout, [](QAbstractTextDocumentLayout* used) { used->setPaintDevice(nullptr); });
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    document.setPageSize(page.size());

    const int pages = std::max(1, document.pageCount());
    for (int index = 0; index < pages; ++index) {
        if (index > 0) {
            printer.newPage();
        }
        const qreal top = index * page.height();
        QAbstractTextDocumentLayout::PaintContext context;
        // The first line of the next page starts right on this page's lower edge, so the edge itself is
        // left out; otherwise that line would also go, clipped, onto this page.
        context.clip = QRectF(0, top, page.width(), page.height() - 1);
        // Black on paper whatever the colours of the desktop.
        context.palette.setColor(QPalette::Text, Qt::black);
        painter.save();
        painter.translate(0, -top);
        painter.setClipRect(context.clip);
        layout->draw(&painter, context);
        painter.restore();
    }
    if (!painter.end()) {
        throw Error(kPrinterNotFinished);
    }
}

void printLog(QWidget* parent, const QString& logText, Prompter& prompter, const DialogRunner& run) {
    const auto tellFailure = [&prompter](const std::exception& failure) {
        prompter.tell(MessageKind::Error, kPrintFailed + errorText(failure) + kPrintFailedEnd);
    };
    try {
        QPrinter printer(QPrinter::HighResolution);
        setUpLogPage(printer);
        const std::unique_ptr<QTextDocument> document = buildLogDocument(logText);

        QPrintPreviewDialog preview(&printer, parent);
        preview.setObjectName(QStringLiteral("PrintPreview"));
        preview.setWindowTitle(kLogPrintTitle);
        // A failure must not pass through the preview's own code, so it is told where it happens.
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&document, &tellFailure](QPrinter* target) {
                             try {
                                 printLogDocument(*document, *target);
                             } catch (const std::exception& failure) {
                                 tellFailure(failure);
                             }
                         });
        run(preview);
    } catch (const std::exception& failure) {
        tellFailure(failure);
    }
}

}  // namespace telvainn::ui
