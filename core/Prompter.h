#pragma once

#include <QString>

namespace telvainn {

enum class MessageKind { Warning, Error, Information, Confirmation, Notice };
enum class Buttons { Ok, YesNo, OkCancel };
enum class Answer { Yes, No, Ok, Cancel };

// Everything below the windows that must ask the user something goes through this: the desktop
// program answers with message boxes, the command-line tool on the terminal, tests with scripts.
class Prompter {
  public:
    virtual ~Prompter() = default;
    virtual Answer ask(MessageKind kind, const QString& text, Buttons buttons) = 0;
    virtual void tell(MessageKind kind, const QString& text) = 0;
};

}  // namespace telvainn
