#pragma once

#include <QString>
#include <exception>
#include <new>

namespace telvainn {

// A failure with the Norwegian message the user is shown. Operations that add context put their own
// text in front of the inner message and raise again.
class Error : public std::exception {
  public:
    explicit Error(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

  private:
    QString m_message;
    QByteArray m_utf8;
};

inline const QString kOutOfMemoryMessage =
    QStringLiteral("Programmet fikk ikke nok minne til å fullføre. Lukk andre programmer og prøv igjen.");

// The message of any failure: an Error's own text, the lack of memory in words, otherwise what the
// library says.
inline QString errorText(const std::exception& error) {
    if (const auto* own = dynamic_cast<const Error*>(&error)) {
        return own->message();
    }
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) {
        return kOutOfMemoryMessage;
    }
    return QString::fromUtf8(error.what());
}

}  // namespace telvainn
