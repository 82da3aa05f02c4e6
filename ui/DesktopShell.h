#pragma once

#include <QString>
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

// Through xdg-open (QDesktopServices).
class QtDesktopShell : public DesktopShell {
  public:
    std::optional<QString> open(const QString& fileOrUrl) override;
    std::optional<QString> explore(const QString& folder) override;
};

}  // namespace telvainn::ui
