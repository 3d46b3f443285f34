#pragma once

#include "ui/choosers/FieldBoxes.h"

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace tornavel::ui {

class TChooserFileList;

// What the two choosers share: the label with SourceFolder above the list of
// its files, OK and "Storno", the PurposeCode that the opener sets, and the
// main window's fields that receive the result. The list is read again at
// each showing, so files added meanwhile appear.
class ChooserDialog : public QDialog {
    Q_OBJECT

public:
    int PurposeCode() const { return purposeCode_; }
    void setPurposeCode(int code) { purposeCode_ = code; }

    // At creation and whenever SourceFolder changes.
    void setSourceFolder(const QString& sourceFolder);

    QLabel* Label1;
    QPushButton* Button1; // OK, the default button
    QPushButton* Button2; // "Storno"

    // OK: writes the result into the fields of the PurposeCode and closes.
    virtual void Button1Click() = 0;
    void Button2Click();

protected:
    // The list stands under the label, listHeight high, with the buttons below it.
    ChooserDialog(const QString& sourceFolder, FieldBoxes fields, const QString& listName,
                  int listHeight, QWidget* parent);

    void showEvent(QShowEvent* event) override;

    // The name of the file selected in the list; empty when none is. A name
    // that the project file could not hold is refused here (EncodingError),
    // before it reaches a field, rather than when the project is saved.
    QString chosenFileName() const;
    // Writes text into the main window's box of the field, if it has one.
    void writeField(FieldId field, const QString& text) const;

    TChooserFileList* const fileList_;

private:
    FieldBoxes fields_;
    int purposeCode_ = 0;
};

} // namespace tornavel::ui
