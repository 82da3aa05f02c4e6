#pragma once

#include "core/Prompter.h"

namespace telvainn::cli {

// Asks on the terminal. With `assumeYes` (--ja) every question is answered Yes; without a terminal to
// ask on, the answer is No, so a script never goes on by accident.
class TerminalPrompter : public Prompter {
  public:
    explicit TerminalPrompter(bool assumeYes) : m_assumeYes(assumeYes) {}
    Answer ask(MessageKind kind, const QString& text, Buttons buttons) override;
    void tell(MessageKind kind, const QString& text) override;

  private:
    bool m_assumeYes;
};

}  // namespace telvainn::cli
