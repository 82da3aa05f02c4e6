#pragma once

#include <QString>
#include <functional>

#include "core/Error.h"

namespace telvainn {

// The message `call` raises, or a text that says it raised none.
inline QString raisedMessage(const std::function<void()>& call) {
    try {
        call();
    } catch (const Error& error) {
        return error.message();
    }
    return QStringLiteral("<nothing raised>");
}

}  // namespace telvainn
