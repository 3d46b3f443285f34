#include "ui/browser/ShellItemModel.h"

#include "ui/browser/ShellBrowser.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPalette>

namespace tornavel::ui {

ShellItemModel::ShellItemModel(ShellBrowser& browser)
    : QAbstractTableModel(&browser), browser_(browser) {}

int ShellItemModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int ShellItemModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

void ShellItemModel::setRowCount(int rows) {
    beginResetModel();
    rows_ = rows;
    endResetModel();
}

QVariant ShellItemModel::data(const QModelIndex& index, int role) const {
    const int row = index.row();
    if (!index.isValid() || row < 0 || row >= rows_ ||
        static_cast<std::size_t>(row) >= browser_.ShellItems().size()) {
        return {};
    }
    const int column = index.column();
    if (role == Qt::TextAlignmentRole) {
        return (column == ColSize || column == ColAttributes)
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role == Qt::ForegroundRole) {
        // Sub-items in the system's window-text colour; the name keeps the
        // list's own colours.
        return column == ColName ? QVariant() : QVariant(QGuiApplication::palette().windowText());
    }
    if (role == Qt::DisplayRole && column == ColName) {
        return browser_.ShellItems()[static_cast<std::size_t>(row)].DisplayName;
    }
    if (role != Qt::DisplayRole && !(role == Qt::DecorationRole && column == ColName)) {
        return {};
    }
    browser_.FillDetails(row, row);
    const TShellItem& item = browser_.ShellItems()[static_cast<std::size_t>(row)];
    switch (column) {
    case ColName:
        return browser_.ImageList().value(item.ImageIndex);
    case ColSize:
        if (browser_.IsFolderItem(browser_.CurrentFolder(), item.RelativeID.get())) {
            return QString();
        }
        return QString::fromStdString(shell::SizeText(item.SizeKB));
    case ColType:
        return item.TypeName;
    case ColDate:
        return item.ModifiedText;
    case ColAttributes:
        return QString::fromStdString(shell::AttributeLetters(item.Attributes));
    default:
        return {};
    }
}

QVariant ShellItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        static const char* const titles[ColumnCount] = {"Jméno", "Velikost", "Typ", "Datum",
                                                        "Atributy"};
        return QString::fromUtf8(titles[section]);
    }
    if (role == Qt::TextAlignmentRole) {
        return (section == ColSize || section == ColAttributes)
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

Qt::ItemFlags ShellItemModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace tornavel::ui
