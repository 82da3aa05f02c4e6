#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <deque>

#include "core/Prompter.h"

// Answers questions from a script and remembers every text it was shown.
class ScriptedPrompter : public telvainn::Prompter {
  public:
    explicit ScriptedPrompter(std::deque<telvainn::Answer> answers = {}) : m_answers(std::move(answers)) {}

    telvainn::Answer ask(telvainn::MessageKind, const QString& text, telvainn::Buttons) override {
        questions.append(text);
        if (m_answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return telvainn::Answer::No;
        }
        const telvainn::Answer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    void tell(telvainn::MessageKind, const QString& text) override { messages.append(text); }
    // The next scripted password; cancelled when none is left.
    std::optional<QString> askPassword(const QString& text) override {
        passwordQuestions.append(text);
        if (passwords.empty()) {
            return std::nullopt;
        }
        const QString password = passwords.front();
        passwords.pop_front();
        return password;
    }

    QStringList questions;
    QStringList messages;
    QStringList passwordQuestions;
    std::deque<QString> passwords;

  private:
    std::deque<telvainn::Answer> m_answers;
};
