#pragma once

#include "ui/choosers/ChooserDialog.h"

namespace tornavel::ui {

class IconGrid;

// An icon as the icon chooser gives it back: the file's name, without folder,
// and the icon's position in the file.
struct ChosenIcon {
    QString file;
    int index = -1;
};

// The icon chooser: lists the files of SourceFolder that hold icons, shows
// the icons of the clicked file in a grid, and gives the chosen file and
// icon back to the opener. Shown modally with exec(): Accepted when an icon
// was chosen (chosenIcon()).
class IconChooser : public ChooserDialog {
    Q_OBJECT

public:
    explicit IconChooser(QWidget* parent = nullptr);

    // The icon OK took last.
    const ChosenIcon& chosenIcon() const { return chosen_; }

    IconGrid* iconGrid() const { return grid_; }

    // Fills the grid with the icons of the file selected in the list.
    void showIconsOfSelectedFile();
    void confirm() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    IconGrid* grid_;
    ChosenIcon chosen_;
};

} // namespace tornavel::ui
