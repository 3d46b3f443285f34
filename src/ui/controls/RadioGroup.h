#pragma once

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QRadioButton;

namespace tornavel::ui {

// A captioned group of radio buttons with one selected position, -1 meaning
// none. Only a person's choice is reported (picked()); setItemIndex reports
// nothing, so the program can show a position without it looking like an edit.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    int itemIndex() const { return index_; }
    void setItemIndex(int index);

    int count() const { return static_cast<int>(buttons_.size()); }
    QRadioButton* button(int index) const;

Q_SIGNALS:
    // A person chose the item at index, with the mouse or the keyboard (also
    // the item that was already chosen); itemIndex() is index by then.
    void picked(int index);

private:
    void buttonToggled(int id, bool checked);

    QButtonGroup* group_;
    std::vector<QRadioButton*> buttons_;
    int index_ = -1;
};

} // namespace tornavel::ui
