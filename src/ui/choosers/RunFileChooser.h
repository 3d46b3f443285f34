#pragma once

#include "ui/choosers/ChooserDialog.h"

namespace tornavel::ui {

// The run-file chooser: picks a file of SourceFolder for the field the opener
// names (the file an icon starts, the licence and the two information files)
// and writes its name there.
class RunFileChooser : public ChooserDialog {
    Q_OBJECT

public:
    explicit RunFileChooser(FieldBoxes fields, QWidget* parent = nullptr);

    // Prepares the dialog for one opener and shows it modally.
    int chooseFor(FieldId target, const QString& mask, const QString& caption);

    // The field OK writes; the opener's choice stays until the next opener.
    FieldId target() const { return target_; }
    void setTarget(FieldId target) { target_ = target; }
    void setMask(const QString& mask);
    QString mask() const;

    void confirm() override;

private:
    FieldId target_ = FieldId::LicenceFile;
};

} // namespace tornavel::ui
