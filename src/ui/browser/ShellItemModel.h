#pragma once

#include "ui/browser/ShellItems.h"

#include <QAbstractTableModel>

namespace tornavel::ui {

class ShellBrowser;

// The list's rows: the entries of the folder shown (the browser's ShellItems),
// handed over whole with each listing. Details are read for a row, through the
// browser's fillDetails, only when a view asks for something that needs them,
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

    const ShellItemList& items() const { return items_; }
    // Shows a new listing in place of the old one (a reset of the model).
    void setItems(ShellItemList items);
    // Stores what fillDetails read for a row.
    void setDetails(std::size_t row, ShellItemDetails details);
    // Every row's details are to be read again; the views ask anew.
    void forgetDetails();

private:
    ShellBrowser& browser_;
    ShellItemList items_;
};

} // namespace tornavel::ui
