#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QPushButton;
class QTreeView;

namespace tornavel::ui {

class FolderTreeModel;

// The output-directory dialog: a folder tree, the list of drives (the roots of
// the mounted volumes where there are no drive letters) and "OK". The folder
// chosen is the one opened by a double-click, not the one merely highlighted.
// OK asks before it stores the folder as the program's SourceFolder setting;
// exec() returns Accepted exactly when it stored it.
class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(const QString& programFolder, QWidget* parent = nullptr);

    QTreeView* Directory;
    QComboBox* DriveComboBox1;
    QPushButton* Button1;

    // The folder the tree has open (absolute, Qt separators).
    QString openedFolder() const { return opened_; }
    // Opens a folder as a double-click does.
    void openFolder(const QString& path);
    // The opened folder as the setting stores it: native, with a trailing separator.
    QString chosenFolder() const;

public slots:
    void Button1Click();
    void DriveComboBox1Change(int index);

signals:
    // The setting now names this folder (the file browser forgets its path list).
    void sourceFolderChosen(const QString& folder);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void selectDriveOf(const QString& path);

    QString programFolder_;
    FolderTreeModel* model_;
    QString opened_;
};

} // namespace tornavel::ui
