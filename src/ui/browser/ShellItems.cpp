#include "ui/browser/ShellItems.h"

#include "ui/browser/NameCollator.h"

#include <QFile>
#include <algorithm>
#include <cstring>

namespace tornavel::ui {

QString ShellItemList::DisplayName(std::size_t row) const {
    const std::string_view name = shell::IdName(RelativeID(row));
    return QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
}

const ShellItemDetails* ShellItemList::Details(std::size_t row) const {
    const auto it = details_.find(row);
    return it == details_.end() ? nullptr : &it->second;
}

void ShellItemList::SetDetails(std::size_t row, ShellItemDetails details) {
    details_.insert_or_assign(row, std::move(details));
}

TShellItem ShellItemList::operator[](std::size_t row) const {
    TShellItem item;
    item.RelativeID = RelativeID(row);
    item.DisplayName = DisplayName(row);
    if (const ShellItemDetails* details = Details(row)) {
        item.AbsoluteID = details->AbsoluteID.get();
        item.DetailsPending = false;
        item.TypeName = details->TypeName;
        item.ImageIndex = details->ImageIndex;
        item.SizeKB = details->SizeKB;
        item.Attributes = details->Attributes;
        item.ModifiedText = details->ModifiedText;
    }
    return item;
}

namespace {

// Sorts the entries whose names the collator alone can order by their sort
// keys, each made once into one block that lives for this sort only.
void sortByKeys(const shell::IdListBlock& ids, std::vector<std::uint32_t>::iterator first,
                std::vector<std::uint32_t>::iterator last, const NameCollator& collator) {
    struct SortEntry {
        std::uint32_t keyOffset;
        std::uint32_t keyLength;
        std::uint32_t id;
        bool folder;
    };
    std::vector<std::uint8_t> keys;
    std::vector<SortEntry> entries;
    entries.reserve(static_cast<std::size_t>(last - first));
    for (auto it = first; it != last; ++it) {
        const shell::ConstIdPtr id = ids.At(*it);
        const std::size_t offset = keys.size();
        collator.appendSortKey(shell::IdName(id), keys);
        entries.push_back({static_cast<std::uint32_t>(offset),
                           static_cast<std::uint32_t>(keys.size() - offset), *it,
                           shell::IdIsFolder(id)});
    }
    const std::uint8_t* keyBytes = keys.data();
    std::sort(entries.begin(), entries.end(), [&](const SortEntry& a, const SortEntry& b) {
        if (a.folder != b.folder) {
            return a.folder;
        }
        const int c = std::memcmp(keyBytes + a.keyOffset, keyBytes + b.keyOffset,
                                  std::min(a.keyLength, b.keyLength));
        if (c != 0 || a.keyLength != b.keyLength) {
            return c != 0 ? c < 0 : a.keyLength < b.keyLength;
        }
        return shell::IdName(ids.At(a.id)) < shell::IdName(ids.At(b.id));
    });
    for (const SortEntry& entry : entries) {
        *first++ = entry.id;
    }
}

// Folders first, then names as compareNames orders them, names it finds equal
// by their bytes.
template <typename CompareNames>
auto displayOrder(const shell::IdListBlock& ids, CompareNames compareNames) {
    return [&ids, compareNames](std::uint32_t a, std::uint32_t b) {
        const shell::ConstIdPtr idA = ids.At(a);
        const shell::ConstIdPtr idB = ids.At(b);
        if (shell::IdIsFolder(idA) != shell::IdIsFolder(idB)) {
            return shell::IdIsFolder(idA);
        }
        const std::string_view nameA = shell::IdName(idA);
        const std::string_view nameB = shell::IdName(idB);
        const int c = compareNames(nameA, nameB);
        return c != 0 ? c < 0 : nameA < nameB;
    };
}

} // namespace

void SortForDisplay(shell::FolderListing& listing, const NameCollator& collator) {
    const shell::IdListBlock& ids = listing.ids;
    std::vector<std::uint32_t>& entries = listing.entries;
    // Printable ASCII names sort by the collator's ranks of their bytes, with
    // no sort keys; the others by their keys; then the two runs are merged.
    const auto asciiEnd = std::partition(entries.begin(), entries.end(), [&](std::uint32_t e) {
        return collator.hasAsciiOrder(shell::IdName(ids.At(e)));
    });
    std::sort(entries.begin(), asciiEnd,
              displayOrder(ids, [&collator](std::string_view a, std::string_view b) {
                  return collator.compareAscii(a, b);
              }));
    sortByKeys(ids, asciiEnd, entries.end(), collator);
    std::inplace_merge(entries.begin(), asciiEnd, entries.end(),
                       displayOrder(ids, [&collator](std::string_view a, std::string_view b) {
                           return collator.compare(a, b);
                       }));
}

} // namespace tornavel::ui
