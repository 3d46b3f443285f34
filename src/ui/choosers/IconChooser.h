#pragma once

#include "ui/choosers/ChooserDialog.h"

namespace tornavel::ui {

class IconGrid;

// The icon chooser: lists the files of SourceFolder that hold icons, shows
// the icons of the clicked file in a grid, and writes the file's name and the
// chosen icon's position into the two fields the opener names.
class IconChooser : public ChooserDialog {
    Q_OBJECT

public:
    explicit IconChooser(FieldBoxes fields, QWidget* parent = nullptr);

    // Prepares the dialog for one opener and shows it modally.
    int chooseFor(FieldId iconFile, FieldId iconIndex);

    // The fields OK writes: the file's name and the icon's position.
    FieldId fileTarget() const { return fileTarget_; }
    FieldId indexTarget() const { return indexTarget_; }
    void setTargets(FieldId iconFile, FieldId iconIndex);

    IconGrid* iconGrid() const { return grid_; }

    // Fills the grid with the icons of the file selected in the list.
    void showIconsOfSelectedFile();
    void confirm() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    IconGrid* grid_;
    FieldId fileTarget_ = iconField(0, IconPart::IconFile);
    FieldId indexTarget_ = iconField(0, IconPart::IconIndex);
};

} // namespace tornavel::ui
