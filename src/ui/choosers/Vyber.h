#pragma once

#include "ui/choosers/ChooserDialog.h"

#include <optional>

namespace tornavel::ui {

// The run-file chooser: picks a file of SourceFolder for the field that the
// opener's PurposeCode names (the file an icon starts, the licence and the
// two information files) and writes its name there.
class TForm5 : public ChooserDialog {
    Q_OBJECT

public:
    TForm5(const QString& sourceFolder, FieldBoxes fields, QWidget* parent = nullptr);

    // Set by the opener before showing the dialog, with the PurposeCode and the caption.
    void setMask(const QString& mask);
    QString mask() const;

    // The field a PurposeCode writes; nothing for a code without one.
    static std::optional<FieldId> fieldFor(int purposeCode);

    TChooserFileList* const OpenFile;

    void Button1Click() override;
};

} // namespace tornavel::ui
