#include "ui/FileDialogs.h"

#include <QDir>
#include <QFileDialog>

namespace telvainn::ui {
namespace {

std::optional<QString> run(QWidget* parent, const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList filters = qtNameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size()) {
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    }
    if (!request.suggestedName.isEmpty()) {
        dialog.selectFile(request.suggestedName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(dialog.selectedFiles().front());
}

}  // namespace

QStringList qtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the last parentheses of the name; "*.*" there would hide files
        // without a dot, so every file matches "*".
        const QString qtPatterns = patterns == QLatin1String("*.*") ? QStringLiteral("*") : patterns;
        const QString suffix = QStringLiteral(" (") + qtPatterns + QLatin1Char(')');
        filters.append(parts[i].endsWith(suffix) ? parts[i] : parts[i] + suffix);
    }
    return filters;
}

std::optional<QString> QtFileDialogs::openFile(QWidget* parent, const FileDialogRequest& request) {
    return run(parent, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtFileDialogs::saveFile(QWidget* parent, const FileDialogRequest& request) {
    return run(parent, request, QFileDialog::AcceptSave);
}

}  // namespace telvainn::ui
