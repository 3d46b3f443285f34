#include "ui/controls/ChooserFileList.h"

#include "installer/SourceScan.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

#include <QFile>

namespace tornavel::ui {

ChooserFileList::ChooserFileList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
}

void ChooserFileList::reread() {
    clear();
    std::vector<std::string> names;
    const std::string folder = withTrailingSeparator(QFile::encodeName(folder_).toStdString());
    const std::string mask = QFile::encodeName(mask_).toStdString();
    try {
        // The build's own files (the script, a killed build's temporary
        // file) are no program or text to install, as the scan leaves them out.
        ForEachEntry(folder, [&](const FolderEntryView& e) {
            if (PassesFilter(e, EntryFilter::VisibleFiles) && MatchesWildcard(e.name, mask) &&
                !IsOwnWorkingEntry(folder, e)) {
                names.emplace_back(e.name);
            }
        });
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
