#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "ui/LogHighlight.h"

using telvainn::ui::highlightValidationFindings;

namespace {

QString lines(int count, const QString& heading) {
    QStringList text;
    for (int i = 1; i < count; ++i) {
        text.append(QStringLiteral("linje %1").arg(i));
    }
    text.insert(count / 2, heading);
    return text.join(QLatin1Char('\n'));
}

}  // namespace

TEST(LogHighlightTest, OnlyALogOfMoreThanTenLinesIsScrolledToTheHeading) {
    const QString heading = QStringLiteral("Valideringsrapport nr. 2:");
    QPlainTextEdit shortLog(lines(10, heading));
    highlightValidationFindings(shortLog, heading);
    EXPECT_FALSE(shortLog.textCursor().hasSelection());

    QPlainTextEdit longLog(lines(11, QStringLiteral("VALIDERINGSRAPPORT NR. 2:")));
    highlightValidationFindings(longLog, heading);
    EXPECT_EQ(longLog.textCursor().selectedText(), QStringLiteral("VALIDERINGSRAPPORT NR. 2:"));

    // Without any text in its last ten lines nothing is selected.
    QPlainTextEdit blankEnd(heading + QString(11, QLatin1Char('\n')));
    highlightValidationFindings(blankEnd, heading);
    EXPECT_FALSE(blankEnd.textCursor().hasSelection());
}
