#pragma once

#include <QValidator>

namespace tornavel::ui {

// Refuses, as they are typed or pasted, characters that the project file's
// code page cannot hold and control characters (a line break cannot live in an
// INI value). With a maximum length it also refuses text beyond it; unlike
// QLineEdit::setMaxLength, a longer text set by the program is kept whole.
class Cp1250Validator : public QValidator {
    Q_OBJECT
public:
    explicit Cp1250Validator(QObject* parent = nullptr, int maxLength = -1);

    State validate(QString& input, int& pos) const override;
    int maxLength() const { return maxLength_; }

private:
    int maxLength_;
};

} // namespace tornavel::ui
