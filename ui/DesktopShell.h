#pragma once

#include <QString>
#include <chrono>
#include <optional>

namespace telvainn::ui {

// The desktop's "open" (a file or a web address, in the program that belongs to it) and "explore" (a
// folder, in the file manager). Each gives nothing on success, else the failure in the desktop's own
// terms, which the windows put inside their Norwegian wording.
class DesktopShell {
  public:
    virtual ~DesktopShell() = default;
    virtual std::optional<QString> open(const QString& fileOrUrl) = 0;
    virtual std::optional<QString> explore(const QString& folder) = 0;
};

// Through the desktop's opener (xdg-open), whose answer is awaited: it ends at once when it finds no
// program for the target or the program fails to start, while a generic desktop keeps it running as
// long as the program it started runs. So an opener still running after `answerTime` has started the
// program, and is left to run on.
class QtDesktopShell : public DesktopShell {
  public:
    explicit QtDesktopShell(QString opener = QStringLiteral("xdg-open"),
                            std::chrono::milliseconds answerTime = std::chrono::milliseconds(3000));
    std::optional<QString> open(const QString& fileOrUrl) override;
    std::optional<QString> explore(const QString& folder) override;

  private:
    std::optional<QString> launch(const QString& target);

    QString m_opener;
    std::chrono::milliseconds m_answerTime;
};

// The message when a web link could not be opened: the address and the desktop's reason.
QString linkFailureText(const QString& url, const QString& reason);

}  // namespace telvainn::ui
