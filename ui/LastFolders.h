#pragma once

#include <QString>
#include <memory>

class QSettings;

namespace telvainn::ui {

// The kinds of file the dialogs choose; each kind opens where the user last was for it.
enum class FolderKind { Reports, DataFiles, EncryptedFiles };

// The folder last used in each kind of file dialog, kept per user (not in the program folder's
// telvainn.ini, which several users may share).
class LastFolders {
  public:
    // The user's own settings of this program.
    LastFolders();
    // Settings in the given file: tests keep them apart from the user's.
    explicit LastFolders(const QString& settingsFile);
    ~LastFolders();
    LastFolders(const LastFolders&) = delete;
    LastFolders& operator=(const LastFolders&) = delete;

    // The folder last used for `kind` while it still exists; else the user's documents folder (or the
    // home folder when there is none).
    QString folder(FolderKind kind) const;
    // The folder of `chosenPath` becomes the one `kind` opens in next time.
    void remember(FolderKind kind, const QString& chosenPath);

  private:
    std::unique_ptr<QSettings> m_settings;
};

}  // namespace telvainn::ui
