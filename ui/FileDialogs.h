#pragma once

#include <QString>
#include <optional>

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
    std::optional<QString> openFile(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> saveFile(QWidget* parent, const FileDialogRequest& request) override;
};

// "Alle filer (*.*)|*.*|Microsft Excel filer (*.xls)|*.xls" as Qt's name filters, one per pair.
QStringList qtNameFilters(const QString& filter);

}  // namespace telvainn::ui
