#pragma once

#include "platform/ShellNamespace.h"

#include <QAbstractTableModel>
#include <QString>

namespace tornavel::ui {

// One entry of the folder shown. Names, ID lists and the pending mark are set
// at enumeration; the rest is read by FillDetails when the entry is first shown.
struct TShellItem {
    shell::IdList AbsoluteID; // CurrentFolderID joined with RelativeID; set with the details
    shell::IdList RelativeID; // as the folder's enumeration returned it
    bool DetailsPending = true;
    QString DisplayName;
    QString TypeName;   // at most 80 characters
    int ImageIndex = 0; // into the browser's image list
    qint64 SizeKB = 0;  // bytes / 1000, at least 1
    quint32 Attributes = 0;
    QString ModifiedText;
};

class ShellBrowser;

// The list's rows, supplied on demand from the browser's ShellItems. Details
// are read for a row only when a view asks for something that needs them,
// that is for the rows it is about to show.
class ShellItemModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColName, ColSize, ColType, ColDate, ColAttributes, ColumnCount };

    explicit ShellItemModel(ShellBrowser& browser);
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The list view's row count, set by FillFolder and ClearItems.
    void setRowCount(int rows);

private:
    ShellBrowser& browser_;
    int rows_ = 0;
};

} // namespace tornavel::ui
