#pragma once

#include "ui/choosers/ChooserDialog.h"

#include <optional>
#include <utility>

namespace tornavel::ui {

class TXIconListBox;

// The icon chooser: lists the files of SourceFolder that hold icons, shows
// the icons of the clicked file in a grid, and writes the file's name and the
// chosen icon's position into the icon page that the PurposeCode names.
class TForm6 : public ChooserDialog {
    Q_OBJECT

public:
    TForm6(const QString& sourceFolder, FieldBoxes fields, QWidget* parent = nullptr);

    // The icon-file and index fields a PurposeCode writes.
    static std::optional<std::pair<FieldId, FieldId>> fieldsFor(int purposeCode);

    TChooserFileList* const IconBox;
    TXIconListBox* IconList;

    void IconBoxClick();
    void Button1Click() override;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace tornavel::ui
