#pragma once

#include <QString>
#include <optional>

namespace telvainn {

enum class MessageKind { Warning, Error, Information, Confirmation, Notice };
enum class Buttons { Ok, YesNo, OkCancel };
enum class Answer { Yes, No, Ok, Cancel };

// What the user is told when a choice or a login they cancelled ended an operation.
inline const QString kCancelledByUserMessage = QStringLiteral("Operasjonen ble avbrutt av brukeren!");

// Everything below the windows that must ask the user something goes through this: the desktop
// program answers with message boxes, the command-line tool on the terminal, tests with scripts.
class Prompter {
  public:
    virtual ~Prompter() = default;
    virtual Answer ask(MessageKind kind, const QString& text, Buttons buttons) = 0;
    virtual void tell(MessageKind kind, const QString& text) = 0;

    // The password of a mail server login, asked the way a mail client's logon dialog asks it; nothing
    // when the user cancels. The answer is kept in memory only. A front end that has no way to ask for
    // secret text keeps this answer, so such a login always counts as cancelled.
    virtual std::optional<QString> askPassword(const QString& text) {
        static_cast<void>(text);
        return std::nullopt;
    }
};

}  // namespace telvainn
