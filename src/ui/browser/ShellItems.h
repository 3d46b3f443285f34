#pragma once

#include "platform/ShellNamespace.h"

#include <QString>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace tornavel::ui {

class NameCollator;

// What fillDetails reads for an entry the first time a view shows it.
struct ShellItemDetails {
    shell::IdList absoluteId; // currentFolderId joined with relativeId
    QString typeName;         // at most 80 characters
    int imageIndex = 0;       // into the browser's image list
    qint64 sizeKb = 0;        // bytes / 1000, at least 1
    quint32 attributes = 0;
    QString modifiedText;
};

// One entry of the folder shown as ShellItemList hands it out: the fields by
// value, the ID lists borrowed from the list and valid while it holds them.
struct ShellItem {
    shell::ConstIdPtr absoluteId = nullptr; // null while the details are pending
    shell::ConstIdPtr relativeId = nullptr; // as the folder's enumeration returned it
    bool detailsPending = true;
    QString displayName;
    QString typeName;
    int imageIndex = 0;
    qint64 sizeKb = 0;
    quint32 attributes = 0;
    QString modifiedText;
};

// The entries of the folder shown, in display order. Each name is stored once,
// in the entry's relative ID list inside the listing's block; the display name
// is decoded when asked for, and details are kept for the entries shown only.
class ShellItemList {
public:
    ShellItemList() = default;
    // Takes a listing that SortForDisplay has put in order.
    explicit ShellItemList(shell::FolderListing listing)
        : ids_(std::move(listing.ids)), order_(std::move(listing.entries)) {}

    std::size_t size() const { return order_.size(); }
    bool empty() const { return order_.empty(); }

    shell::ConstIdPtr relativeId(std::size_t row) const { return ids_.at(order_[row]); }
    QString displayName(std::size_t row) const;
    // The entry's details, or null while they are pending.
    const ShellItemDetails* details(std::size_t row) const;
    void setDetails(std::size_t row, ShellItemDetails details);
    // The rows whose details have been read, in no particular order.
    std::vector<std::size_t> detailedRows() const;
    // Every entry's details are pending again.
    void forgetDetails() { details_.clear(); }

    ShellItem operator[](std::size_t row) const;

private:
    shell::IdListBlock ids_;
    std::vector<std::uint32_t> order_; // offsets into ids_
    std::unordered_map<std::size_t, ShellItemDetails> details_;
};

// The display order of two entries by their one-item ID lists relative to the
// folder: folders first, then by name as the collator orders them, names it
// finds equal by their bytes. Negative, zero or positive as a comes before,
// with or after b.
int CompareForDisplay(shell::ConstIdPtr a, shell::ConstIdPtr b, const NameCollator& collator);

// Puts a listing's entries in display order (CompareForDisplay).
void SortForDisplay(shell::FolderListing& listing, const NameCollator& collator);

} // namespace tornavel::ui
