#pragma once

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QRadioButton;

namespace tornavel::ui {

// A captioned group of radio buttons with one selected position, -1 meaning
// none. Every change of the position reports clicked(), whether the user or
// the program made it; setting the present position reports nothing.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    int itemIndex() const { return index_; }
    void setItemIndex(int index);
    // The position before the latest change, so a handler can tell what the
    // user moved away from.
    int previousItemIndex() const { return previous_; }

    int count() const { return static_cast<int>(buttons_.size()); }
    QRadioButton* button(int index) const;

Q_SIGNALS:
    void clicked();

private:
    void buttonToggled(int id, bool checked);

    QButtonGroup* group_;
    std::vector<QRadioButton*> buttons_;
    int index_ = -1;
    int previous_ = -1;
    bool clearing_ = false;
};

} // namespace tornavel::ui
