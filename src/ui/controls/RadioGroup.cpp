#include "ui/controls/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tornavel::ui {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        group_->addButton(button, i);
        layout->addWidget(button);
        buttons_.push_back(button);
    }
    layout->addStretch(1);
    connect(group_, &QButtonGroup::idToggled, this, &RadioGroup::buttonToggled);
    // A button reports clicked() for a person's click or key only, after it
    // is checked.
    connect(group_, &QButtonGroup::idClicked, this, &RadioGroup::picked);
}

QRadioButton* RadioGroup::button(int index) const {
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    return buttons_[static_cast<std::size_t>(index)];
}

void RadioGroup::setItemIndex(int index) {
    if (index < 0 || index >= count()) {
        index = -1;
    }
    if (index == index_) {
        return;
    }
    if (index >= 0) {
        buttons_[static_cast<std::size_t>(index)]->setChecked(true);
        return;
    }
    // An exclusive group cannot uncheck its last button.
    group_->setExclusive(false);
    buttons_[static_cast<std::size_t>(index_)]->setChecked(false);
    group_->setExclusive(true);
    index_ = -1;
}

void RadioGroup::buttonToggled(int id, bool checked) {
    if (checked) {
        index_ = id;
    }
}

} // namespace tornavel::ui
