#include "ui/FileDialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace telvainn::ui {
namespace {

// Qt's save dialog asks about the name as typed; when the program then appends the required suffix, the
// file it really writes is another one. This dialog appends the suffix itself and asks about that file.
class SuffixingFileDialog : public QFileDialog {
  public:
    SuffixingFileDialog(QWidget* parent, const QString& title, const QString& requiredSuffix)
        : QFileDialog(parent, title), m_requiredSuffix(requiredSuffix) {}

    void accept() override {
        const QStringList files = selectedFiles();
        if (m_requiredSuffix.isEmpty() || acceptMode() != AcceptSave || files.isEmpty()) {
            QFileDialog::accept();
            return;
        }
        const QString typed = files.front();
        const QString final = withSuffix(typed, m_requiredSuffix);
        // Unchanged, Qt's own question is about the very file; a folder's name opens the folder.
        if (final == typed || QFileInfo(typed).isDir()) {
            QFileDialog::accept();
            return;
        }
        if (QFileInfo::exists(final) &&
            QMessageBox::warning(this, windowTitle(),
                                 QFileDialog::tr("%1 already exists.\nDo you want to replace it?")
                                     .arg(QFileInfo(final).fileName()),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
            return;
        }
        // The typed name itself is never written, so Qt must not ask about it.
        setOption(DontConfirmOverwrite, true);
        QFileDialog::accept();
        setOption(DontConfirmOverwrite, false);
    }

  private:
    QString m_requiredSuffix;
};

// The filter box shows the filters as the commands name them, while Qt filters by its own names.
void showFilterLabels(QFileDialog& dialog, const QList<NameFilter>& filters) {
    auto* box = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    if (box == nullptr) {
        return;
    }
    for (int i = 0; i < box->count() && i < filters.size(); ++i) {
        box->setItemText(i, filters[i].shown);
    }
}

}  // namespace

QList<NameFilter> nameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QList<NameFilter> filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString details = QStringLiteral(" (") + patterns + QLatin1Char(')');
        const QString description = parts[i].endsWith(details) ? parts[i].chopped(details.size()) : parts[i];
        // "*.*" would hide the files without a dot.
        const QString qtPatterns = patterns == QLatin1String("*.*") ? QStringLiteral("*") : patterns;
        filters.append(
            {description + details, description + QStringLiteral(" (") + qtPatterns + QLatin1Char(')')});
    }
    return filters;
}

QString withSuffix(const QString& path, const QString& suffix) {
    return path.endsWith(suffix, Qt::CaseInsensitive) ? path : path + suffix;
}

std::optional<QString> QtFileDialogs::run(QWidget* parent, const FileDialogRequest& request, bool save) {
    SuffixingFileDialog dialog(parent, request.title, request.requiredSuffix);
    // Qt's own dialog, so that it speaks the program's language whatever the desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QList<NameFilter> filters = nameFilters(request.filter);
    QStringList qtNames;
    for (const NameFilter& filter : filters) {
        qtNames.append(filter.qtName);
    }
    dialog.setNameFilters(qtNames);
    if (request.filterIndex >= 1 && request.filterIndex <= qtNames.size()) {
        dialog.selectNameFilter(qtNames[request.filterIndex - 1]);
    }
    showFilterLabels(dialog, filters);
    if (!QFileInfo(request.suggestedName).isAbsolute()) {
        dialog.setDirectory(m_folders.folder(request.folder));
    }
    if (!request.suggestedName.isEmpty()) {
        dialog.selectFile(request.suggestedName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString chosen = dialog.selectedFiles().front();
    m_folders.remember(request.folder, chosen);
    return QDir::toNativeSeparators(
        save && !request.requiredSuffix.isEmpty() ? withSuffix(chosen, request.requiredSuffix) : chosen);
}

std::optional<QString> QtFileDialogs::openFile(QWidget* parent, const FileDialogRequest& request) {
    return run(parent, request, /*save=*/false);
}

std::optional<QString> QtFileDialogs::saveFile(QWidget* parent, const FileDialogRequest& request) {
    return run(parent, request, /*save=*/true);
}

}  // namespace telvainn::ui
