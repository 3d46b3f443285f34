#include "ui/controls/Cp1250Validator.h"

#include "platform/Cp1250.h"

#include <QHash>
#include <QLineEdit>
#include <algorithm>

namespace tornavel::ui {
namespace {

bool isRefused(QChar c) {
    return c.category() == QChar::Other_Control || !isCp1250Character(c.unicode());
}

bool isRefusedCodePoint(char32_t c) {
    return c > 0xFFFF || isRefused(QChar(static_cast<char16_t>(c)));
}

// The refused characters of text that earlier does not hold, each once.
QString newlyRefused(const QString& text, const QString& earlier) {
    QString found;
    for (const char32_t c : text.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        if (isRefusedCodePoint(c) && !earlier.contains(character) && !found.contains(character)) {
            found += character;
        }
    }
    return found;
}

// How often each refused character occurs; surrogate halves count as refused
// on their own, so a character outside the basic plane is refused whole.
QHash<QChar, int> refusedCharacters(const QString& text) {
    QHash<QChar, int> counts;
    for (QChar c : text) {
        if (isRefused(c)) {
            ++counts[c];
        }
    }
    return counts;
}

} // namespace

Cp1250Validator::Cp1250Validator(QObject* parent, int maxLength)
    : QValidator(parent), maxLength_(maxLength), box_(qobject_cast<const QLineEdit*>(parent)) {
    if (box_) {
        before_ = box_->text();
    }
}

bool Cp1250Validator::withinLimits(const QString& text) const {
    return (maxLength_ < 0 || text.size() <= maxLength_) &&
           std::none_of(text.cbegin(), text.cend(), isRefused);
}

bool Cp1250Validator::noWorseThanBefore(const QString& text) const {
    if (maxLength_ >= 0 && text.size() > maxLength_ && text.size() > before_.size()) {
        return false;
    }
    const QHash<QChar, int> now = refusedCharacters(text);
    const QHash<QChar, int> earlier = refusedCharacters(before_);
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (it.value() > earlier.value(it.key())) {
            return false;
        }
    }
    return true;
}

QValidator::State Cp1250Validator::validate(QString& input, int& /*pos*/) const {
    const State state = judge(input);
    if (state != Invalid) {
        before_ = input;
    } else {
        refused_ = newlyRefused(input, before_);
    }
    return state;
}

QValidator::State Cp1250Validator::judge(const QString& input) const {
    if (withinLimits(input)) {
        return Acceptable;
    }
    // The box clears its undo history whenever the program sets its text, so
    // a change without history is the program's own: it is shown whole. Such
    // a text, and an edit that does not make it worse, count as intermediate
    // rather than invalid, so that the box goes on undoing the edits that do.
    if (!box_) {
        return Invalid;
    }
    if (!box_->isUndoAvailable() || noWorseThanBefore(input)) {
        return Intermediate;
    }
    return Invalid;
}

} // namespace tornavel::ui
