#include "headless_controls.h"

#include <stdexcept>

namespace rt {

void HeadlessComboBox::setListIndex(Integer index) {
    if (index.value() < -1 || index.value() >= rows_.size()) {
        throw std::out_of_range("list index out of range");
    }
    index_ = index.value();
    if (onClick) {
        onClick();
    }
}

QString HeadlessComboBox::text() const {
    return index_ < 0 ? QString() : rows_.at(index_);
}

void RememberingMessageBox::show(const QString& prompt, int /*style*/, const QString& /*title*/) {
    prompts_.append(prompt);
}

}  // namespace rt
