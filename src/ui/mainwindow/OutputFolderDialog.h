#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;
class QTreeView;

namespace tornavel::ui {

class FolderTreeModel;

// The output-directory dialog: a folder tree, the list of drives (the roots of
// the mounted volumes where there are no drive letters), the folder OK takes
// and "OK". The folder chosen is the one opened by a double-click, or by
// Enter or Space on the highlighted folder, not the one merely highlighted;
// Enter on the opened folder presses OK. OK warns that the project will be
// reset; exec() returns Accepted exactly when the user agreed, and
// chosenFolder() is then the folder to use.
class OutputFolderDialog : public QDialog {
    Q_OBJECT
public:
    explicit OutputFolderDialog(QWidget* parent = nullptr);

    // The folder the tree has open (absolute, Qt separators).
    QString openedFolder() const { return opened_; }
    // Opens a folder as a double-click does.
    void openFolder(const QString& path);
    // The opened folder as the setting stores it: native, with a trailing separator.
    QString chosenFolder() const;

    QTreeView* folderTree() const { return folderTree_; }
    QComboBox* driveList() const { return driveList_; }
    QPushButton* okButton() const { return okButton_; }
    QLabel* openedLabel() const { return openedLabel_; }

public Q_SLOTS:
    // OK: asks whether to go on; Yes accepts, No rejects.
    void confirm();
    // Opens the root of the drive at this position of the drive list.
    void openDrive(int index);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void selectDriveOf(const QString& path);

    FolderTreeModel* model_;
    QTreeView* folderTree_;
    QComboBox* driveList_;
    QLabel* openedLabel_;
    QPushButton* okButton_;
    QString opened_;
};

} // namespace tornavel::ui
