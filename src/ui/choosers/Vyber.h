#pragma once

#include "ui/choosers/FieldBoxes.h"

#include <QDialog>
#include <QString>
#include <optional>

class QLabel;
class QPushButton;

namespace tornavel::ui {

class TChooserFileList;

// The run-file chooser: picks a file of SourceFolder for the field that the
// opener's PurposeCode names (the file an icon starts, the licence and the
// two information files) and writes its name there.
class TForm5 : public QDialog {
    Q_OBJECT

public:
    TForm5(const QString& sourceFolder, FieldBoxes fields, QWidget* parent = nullptr);

    // Set by the opener before showing the dialog, with the mask and the caption.
    int PurposeCode() const { return purposeCode_; }
    void setPurposeCode(int code) { purposeCode_ = code; }
    void setMask(const QString& mask);
    QString mask() const;

    // At creation and whenever SourceFolder changes.
    void setSourceFolder(const QString& sourceFolder);

    // The field a PurposeCode writes; nothing for a code without one.
    static std::optional<FieldId> fieldFor(int purposeCode);

    QLabel* Label1;
    TChooserFileList* OpenFile;
    QPushButton* Button1;
    QPushButton* Button2;

    void Button1Click();
    void Button2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    FieldBoxes fields_;
    int purposeCode_ = 0;
};

} // namespace tornavel::ui
