#include "ui/LogHighlight.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace telvainn::ui {

void highlightValidationFindings(QPlainTextEdit& log, const QString& heading) {
    QTextDocument* document = log.document();
    const int lines = document->blockCount();
    if (lines <= 10) {
        return;
    }
    QString lastLine;
    for (int i = lines - 1; i >= lines - 10 && lastLine.isEmpty(); --i) {
        const QString line = document->findBlockByNumber(i).text();
        if (!line.trimmed().isEmpty()) {
            lastLine = line;
        }
    }
    if (lastLine.isEmpty()) {
        return;
    }
    for (const QString& target : {lastLine, heading}) {
        const QTextCursor found = document->find(target);
        if (!found.isNull()) {
            log.setTextCursor(found);
            log.ensureCursorVisible();
        }
    }
}

}  // namespace telvainn::ui
