#include "ui/browser/ShellItemModel.h"

#include "ui/browser/ShellBrowser.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPalette>
#include <algorithm>
#include <vector>

namespace tornavel::ui {

ShellItemModel::ShellItemModel(ShellBrowser& browser)
    : QAbstractTableModel(&browser), browser_(browser) {}

int ShellItemModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(items_.size());
}

int ShellItemModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

void ShellItemModel::setItems(ShellItemList items) {
    beginResetModel();
    items_ = std::move(items);
    endResetModel();
}

void ShellItemModel::setDetails(std::size_t row, ShellItemDetails details) {
    items_.setDetails(row, std::move(details));
}

void ShellItemModel::forgetDetails() {
    // Only rows that were shown have details; announcing those alone spares
    // views that keep something per row (large icons) a pass over them all.
    std::vector<std::size_t> rows = items_.detailedRows();
    items_.forgetDetails();
    std::sort(rows.begin(), rows.end());
    for (std::size_t first = 0; first < rows.size();) {
        std::size_t last = first;
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1) {
            ++last;
        }
        Q_EMIT dataChanged(index(static_cast<int>(rows[first]), 0),
                           index(static_cast<int>(rows[last]), ColumnCount - 1));
        first = last + 1;
    }
}

QVariant ShellItemModel::data(const QModelIndex& index, int role) const {
    const int row = index.row();
    if (!index.isValid() || row < 0 || static_cast<std::size_t>(row) >= items_.size()) {
        return {};
    }
    const auto entry = static_cast<std::size_t>(row);
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
    // A name or type too long for its column is shown whole as the tooltip.
    const bool wholeText = role == Qt::ToolTipRole && (column == ColName || column == ColType);
    if ((role == Qt::DisplayRole || wholeText) && column == ColName) {
        return items_.displayName(entry);
    }
    if (role != Qt::DisplayRole && !wholeText &&
        !(role == Qt::DecorationRole && column == ColName)) {
        return {};
    }
    browser_.fillDetails(row, row);
    const ShellItemDetails* details = items_.details(entry);
    if (!details) {
        return {};
    }
    switch (column) {
    case ColName:
        return browser_.imageList().value(details->imageIndex);
    case ColSize:
        if (browser_.isFolderItem(browser_.currentFolder(), items_.relativeId(entry))) {
            return QString();
        }
        return QString::fromStdString(shell::SizeText(details->sizeKb));
    case ColType:
        return details->typeName;
    case ColDate:
        return details->modifiedText;
    case ColAttributes:
        return QString::fromStdString(shell::AttributeLetters(details->attributes));
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
