#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

namespace tornavel::ui {

// Refuses, as they are typed or pasted, characters that the project file's
// code page cannot hold and control characters (a line break cannot live in an
// INI value). With a maximum length it also refuses text beyond it; unlike
// QLineEdit::setMaxLength, a longer text set by the program is kept whole.
//
// A text the program put into the box (an opened project, a fill-in) may break
// those limits; it is shown as it is, and from then on an edit that makes it
// longer or adds a refused character is refused, while an edit that shortens
// it or removes such a character is taken.
class Cp1250Validator : public QValidator {
    Q_OBJECT
public:
    // The validator serves its parent box (when the parent is a QLineEdit)
    // and remembers the text an edit starts from.
    explicit Cp1250Validator(QObject* parent = nullptr, int maxLength = -1);

    State validate(QString& input, int& pos) const override;
    int maxLength() const { return maxLength_; }
    // The characters the last refused edit would have added that the file
    // cannot hold, each once; empty when it was refused for its length.
    const QString& lastRefusedCharacters() const { return refused_; }

private:
    // The answer to validate, without remembering the text.
    State judge(const QString& input) const;
    // True when every character can be held and the length is within the limit.
    bool withinLimits(const QString& text) const;
    // True when the text is not longer than before (or within the limit) and
    // holds no refused character that the text before it did not hold.
    bool noWorseThanBefore(const QString& text) const;

    int maxLength_;
    const QLineEdit* box_ = nullptr;
    // The text the box took last. The box asks about every text before it
    // takes it (the program's too, whose signals may be blocked) and keeps
    // exactly those not called invalid, so that answer tells it.
    mutable QString before_;
    mutable QString refused_;
};

} // namespace tornavel::ui
