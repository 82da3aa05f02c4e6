#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "ui/LastFolders.h"

class QWidget;

namespace telvainn::ui {

inline const QString kAllFilesFilter = QStringLiteral("Alle filer (*.*)|*.*");
inline const QString kExcelFilesFilter =
    QStringLiteral("Alle filer (*.*)|*.*|Microsft Excel filer (*.xls)|*.xls");

// One use of the open or save dialog. The filter is written as pairs "description|pattern|…" and the
// index counts from 1, as the commands state them.
struct FileDialogRequest {
    QString title;
    QString filter;
    int filterIndex = 1;
    QString suggestedName;  // a file name or a full path; empty: none
    // Where the dialog opens when no full path is suggested: where the user last chose this kind of file.
    FolderKind folder = FolderKind::Reports;
    // When set (".xls"), a chosen name that does not end in it (letter case ignored) gets it appended, and
    // the question before overwriting is about that final path.
    QString requiredSuffix = {};
};

// Every file choice of the windows goes through this, so that tests can script the answers.
class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // The chosen path; nothing when the user cancelled.
    virtual std::optional<QString> openFile(QWidget* parent, const FileDialogRequest& request) = 0;
    // As openFile; the dialog asks before an existing file is overwritten.
    virtual std::optional<QString> saveFile(QWidget* parent, const FileDialogRequest& request) = 0;
};

// The desktop's own file dialogs.
class QtFileDialogs : public FileDialogs {
  public:
    // The last folders kept in the user's own settings.
    QtFileDialogs() = default;
    // The last folders kept in the given settings file.
    explicit QtFileDialogs(const QString& settingsFile) : m_folders(settingsFile) {}

    std::optional<QString> openFile(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> saveFile(QWidget* parent, const FileDialogRequest& request) override;

  private:
    std::optional<QString> run(QWidget* parent, const FileDialogRequest& request, bool save);

    LastFolders m_folders;
};

// A filter pair as the dialog shows it ("Alle filer (*.*)") and as Qt reads its patterns from the last
// parentheses ("Alle filer (*)": every file, also those without a dot).
struct NameFilter {
    QString shown;
    QString qtName;
    bool operator==(const NameFilter&) const = default;
};
QList<NameFilter> nameFilters(const QString& filter);

// `path` with `suffix` appended unless it already ends in it, letter case ignored.
QString withSuffix(const QString& path, const QString& suffix);

}  // namespace telvainn::ui
