#include "core/TemplateVersion.h"

namespace telvainn {
namespace {

QString& current() {
    static QString text = kNoTemplateVersion;
    return text;
}

}  // namespace

QString templateVersionText() {
    return current();
}

void setTemplateVersionText(const QString& text) {
    current() = text;
}

}  // namespace telvainn
