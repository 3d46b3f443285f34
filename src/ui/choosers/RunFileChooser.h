#pragma once

#include "ui/choosers/ChooserDialog.h"

namespace tornavel::ui {

// The run-file chooser: picks a file of SourceFolder (the file an icon
// starts, the licence and the two information files) and gives its name back
// to the opener.
class RunFileChooser : public ChooserDialog {
    Q_OBJECT

public:
    explicit RunFileChooser(QWidget* parent = nullptr);

    // Shows the dialog modally with the opener's mask and caption, which stay
    // until the next opener. Accepted when a file was chosen (chosenName()).
    int choose(const QString& mask, const QString& caption);

    // The name, without folder, of the file OK took last.
    const QString& chosenName() const { return chosenName_; }

    void setMask(const QString& mask);
    QString mask() const;

    void confirm() override;

private:
    QString chosenName_;
};

} // namespace tornavel::ui
