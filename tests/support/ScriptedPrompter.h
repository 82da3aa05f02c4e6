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

    QStringList questions;
    QStringList messages;

  private:
    std::deque<telvainn::Answer> m_answers;
};
