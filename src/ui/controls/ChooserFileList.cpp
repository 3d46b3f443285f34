#include "ui/controls/ChooserFileList.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"

#include <QFile>

namespace tornavel::ui {

ChooserFileList::ChooserFileList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
}

void ChooserFileList::reread() {
    clear();
    std::vector<std::string> names;
    try {
        names = ListEntries(QFile::encodeName(folder_).toStdString(),
                            QFile::encodeName(mask_).toStdString(), EntryFilter::VisibleFiles);
    } catch (const tornavel::Error&) {
        return; // the label shows which folder; an empty list says the rest
    }
    SortNamesIgnoringCase(names);
    for (const std::string& name : names) {
        addItem(QFile::decodeName(QByteArray::fromStdString(name)));
    }
}

QString ChooserFileList::selectedName() const {
    const auto selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.constFirst()->text();
}

} // namespace tornavel::ui
