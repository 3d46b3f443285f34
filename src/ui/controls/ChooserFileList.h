#pragma once

#include <QListWidget>
#include <QString>

namespace tornavel::ui {

// The file list of the chooser dialogs: the files of one folder that match a
// mask ("*.txt;*.rtf"), without folders, without hidden or system files and
// without the build's own files (IsOwnWorkingEntry), names only, sorted
// without regard to letter case. It reads the folder only
// when told to, so a list stays as it was until the next reread().
class ChooserFileList : public QListWidget {
    Q_OBJECT

public:
    explicit ChooserFileList(QWidget* parent = nullptr);

    // A native path, with or without the trailing separator.
    void setFolder(const QString& folder) { folder_ = folder; }
    const QString& folder() const { return folder_; }
    void setMask(const QString& mask) { mask_ = mask; }
    const QString& mask() const { return mask_; }

    // Reads the folder again. The selection goes with the old list. A folder
    // that cannot be read gives an empty list.
    void reread();

    // The name of the selected file; empty when none is selected.
    QString selectedName() const;

private:
    QString folder_;
    QString mask_ = QStringLiteral("*.*");
};

} // namespace tornavel::ui
