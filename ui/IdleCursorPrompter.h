#pragma once

#include "core/Prompter.h"
#include "ui/BusyCursor.h"

namespace telvainn::ui {

// Passes every question on, with the ordinary pointer while it is open, so that questions asked in the
// middle of work under the wait cursor do not look busy.
class IdleCursorPrompter : public Prompter {
  public:
    explicit IdleCursorPrompter(Prompter& target) : m_target(target) {}

    Answer ask(MessageKind kind, const QString& text, Buttons buttons) override {
        const IdleCursor idle;
        return m_target.ask(kind, text, buttons);
    }
    void tell(MessageKind kind, const QString& text) override {
        const IdleCursor idle;
        m_target.tell(kind, text);
    }
    std::optional<QString> askPassword(const QString& text) override {
        const IdleCursor idle;
        return m_target.askPassword(text);
    }

  private:
    Prompter& m_target;
};

}  // namespace telvainn::ui
