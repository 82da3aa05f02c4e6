#pragma once

#include "core/Prompter.h"

class QWidget;

namespace telvainn::ui {

// The Prompter of the desktop program: modal message boxes over the main window, and a password field
// for a mail server's login.
class MessageBoxPrompter : public Prompter {
  public:
    // `parent` may be null (before the main window exists) and may be set later.
    explicit MessageBoxPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    Answer ask(MessageKind kind, const QString& text, Buttons buttons) override;
    void tell(MessageKind kind, const QString& text) override;
    std::optional<QString> askPassword(const QString& text) override;

  private:
    QWidget* m_parent;
};

// The texts keep their "\n\r" and "\r\n" breaks; on screen each shows as one line break.
QString screenText(const QString& text);

}  // namespace telvainn::ui
