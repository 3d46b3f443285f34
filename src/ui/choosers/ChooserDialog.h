#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace tornavel::ui {

class ChooserFileList;

// What the two choosers share: the label with SourceFolder above the list of
// its files, OK and "Storno". OK keeps the choice and closes the dialog as
// accepted; the opener reads the choice and stores it where it belongs. The
// list is read again at each showing, so files added meanwhile appear.
class ChooserDialog : public QDialog {
    Q_OBJECT

public:
    // Whenever the main window settles SourceFolder.
    void setSourceFolder(const QString& sourceFolder);

    ChooserFileList* fileList() const { return fileList_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    // OK: keeps the choice and closes.
    virtual void confirm() = 0;

protected:
    // The list stands under the label, listHeight high, with the buttons below
    // it; listName is its object name.
    ChooserDialog(const QString& listName, int listHeight, QWidget* parent);

    void showEvent(QShowEvent* event) override;

    // The name of the file selected in the list; empty when none is. A name
    // that the project file could not hold is refused here (EncodingError),
    // before it reaches a field, rather than when the project is saved.
    QString selectedFileName() const;

private:
    QLabel* folderLabel_;
    ChooserFileList* fileList_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

} // namespace tornavel::ui
