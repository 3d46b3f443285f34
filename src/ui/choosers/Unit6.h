#pragma once

#include "ui/choosers/FieldBoxes.h"

#include <QDialog>
#include <QString>
#include <optional>
#include <utility>

class QLabel;
class QPushButton;

namespace tornavel::ui {

class TChooserFileList;
class TXIconListBox;

// The icon chooser: lists the files of SourceFolder that hold icons, shows
// the icons of the clicked file in a grid, and writes the file's name and the
// chosen icon's position into the icon page that the PurposeCode names.
class TForm6 : public QDialog {
    Q_OBJECT

public:
    TForm6(const QString& sourceFolder, FieldBoxes fields, QWidget* parent = nullptr);

    int PurposeCode() const { return purposeCode_; }
    void setPurposeCode(int code) { purposeCode_ = code; }

    // At creation and whenever SourceFolder changes.
    void setSourceFolder(const QString& sourceFolder);

    // The icon-file and index fields a PurposeCode writes.
    static std::optional<std::pair<FieldId, FieldId>> fieldsFor(int purposeCode);

    QLabel* Label1;
    TChooserFileList* IconBox;
    TXIconListBox* IconList;
    QPushButton* Button1;
    QPushButton* Button2;

    void IconBoxClick();
    void Button1Click();
    void Button2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    FieldBoxes fields_;
    int purposeCode_ = 0;
};

} // namespace tornavel::ui
