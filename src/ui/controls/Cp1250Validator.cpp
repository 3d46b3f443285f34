#include "ui/controls/Cp1250Validator.h"

#include "platform/Cp1250.h"

namespace tornavel::ui {

Cp1250Validator::Cp1250Validator(QObject* parent, int maxLength)
    : QValidator(parent), maxLength_(maxLength) {}

QValidator::State Cp1250Validator::validate(QString& input, int& /*pos*/) const {
    if (maxLength_ >= 0 && input.size() > maxLength_) {
        return Invalid;
    }
    for (QChar c : input) {
        if (c.category() == QChar::Other_Control) {
            return Invalid;
        }
    }
    return isCp1250Encodable(input.toStdString()) ? Acceptable : Invalid;
}

} // namespace tornavel::ui
