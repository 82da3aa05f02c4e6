#pragma once

#include "core/Prompter.h"

namespace telvainn::cli {

// Asks on the terminal. With `assumeYes` (--ja) every question is answered Yes; without a terminal to
// ask on, the answer is No, so a script never goes on by accident. A password is taken from the
// environment variable TELVAINN_SMTP_PASSORD when it is set, else read from the terminal without
// echo; without either the login counts as cancelled.
class TerminalPrompter : public Prompter {
  public:
    explicit TerminalPrompter(bool assumeYes) : m_assumeYes(assumeYes) {}
    Answer ask(MessageKind kind, const QString& text, Buttons buttons) override;
    void tell(MessageKind kind, const QString& text) override;
    std::optional<QString> askPassword(const QString& text) override;

  private:
    bool m_assumeYes;
};

}  // namespace telvainn::cli
