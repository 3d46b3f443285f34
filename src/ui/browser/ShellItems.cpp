#include "ui/browser/ShellItems.h"

#include "ui/browser/NameCollator.h"

#include <QFile>
#include <algorithm>
#include <cstring>

namespace tornavel::ui {

QString ShellItemList::displayName(std::size_t row) const {
    const std::string_view name = shell::IdName(relativeId(row));
    return QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
}

const ShellItemDetails* ShellItemList::details(std::size_t row) const {
    const auto it = details_.find(row);
    return it == details_.end() ? nullptr : &it->second;
}

void ShellItemList::setDetails(std::size_t row, ShellItemDetails details) {
    details_.insert_or_assign(row, std::move(details));
}

std::vector<std::size_t> ShellItemList::detailedRows() const {
    std::vector<std::size_t> rows;
    rows.reserve(details_.size());
    for (const auto& entry : details_) {
        rows.push_back(entry.first);
    }
    return rows;
}

ShellItem ShellItemList::operator[](std::size_t row) const {
    ShellItem item;
    item.relativeId = relativeId(row);
    item.displayName = displayName(row);
    if (const ShellItemDetails* found = details(row)) {
        item.absoluteId = found->absoluteId.get();
        item.detailsPending = false;
        item.typeName = found->typeName;
        item.imageIndex = found->imageIndex;
        item.sizeKb = found->sizeKb;
        item.attributes = found->attributes;
        item.modifiedText = found->modifiedText;
    }
    return item;
}

namespace {

// Sorts a run of entries by the collator's keys, each made once into one
// block that lives for this sort only: folders first, then the keys, then
// the names' bytes. A key holds no zero byte, so each ends with one and keys
// compare as C strings; its first byte puts folders first.
void sortByKeys(const shell::IdListBlock& ids, std::vector<std::uint32_t>::iterator first,
                std::vector<std::uint32_t>::iterator last, const NameCollator& collator) {
    struct SortEntry {
        std::uint32_t keyOffset;
        std::uint32_t id;
    };
    std::size_t nameBytes = 0;
    for (auto it = first; it != last; ++it) {
        nameBytes += shell::IdName(ids.at(*it)).size() + 2;
    }
    std::vector<std::uint8_t> keys;
    keys.reserve(nameBytes); // a key is about as long as its name
    std::vector<SortEntry> entries;
    entries.reserve(static_cast<std::size_t>(last - first));
    for (auto it = first; it != last; ++it) {
        const shell::ConstIdPtr id = ids.at(*it);
        entries.push_back({static_cast<std::uint32_t>(keys.size()), *it});
        keys.push_back(shell::IdIsFolder(id) ? 1 : 2);
        collator.appendSortKey(shell::IdName(id), keys);
        keys.push_back(0);
    }
    const auto* keyText = reinterpret_cast<const char*>(keys.data());
    std::sort(entries.begin(), entries.end(), [&](const SortEntry& a, const SortEntry& b) {
        const int c = std::strcmp(keyText + a.keyOffset, keyText + b.keyOffset);
        return c != 0 ? c < 0 : shell::IdName(ids.at(a.id)) < shell::IdName(ids.at(b.id));
    });
    for (const SortEntry& entry : entries) {
        *first++ = entry.id;
    }
}

// Sorts entries of printable ASCII names by their ASCII keys eight bytes at a
// time, a radix sort that holds each entry's current eight key bytes beside
// it: the keys are made again for each round instead of being kept, so the
// sort needs twelve bytes per entry besides the names. A round first skips
// what all keys of its run share, so long common beginnings cost one round.
class AsciiKeySort {
public:
    AsciiKeySort(const shell::IdListBlock& ids, const NameCollator& collator)
        : ids_(ids), collator_(collator) {}

    void sort(std::vector<std::uint32_t>::iterator first,
              std::vector<std::uint32_t>::iterator last) {
        std::vector<Entry> entries;
        entries.reserve(static_cast<std::size_t>(last - first));
        for (auto it = first; it != last; ++it) {
            entries.push_back({0, 0, *it});
        }
        sortRun(entries.data(), entries.data() + entries.size(), 0);
        for (const Entry& entry : entries) {
            *first++ = entry.id;
        }
    }

private:
    struct Entry {
        std::uint32_t high; // key bytes depth .. depth + 3
        std::uint32_t low;  // key bytes depth + 4 .. depth + 7
        std::uint32_t id;
    };

    // The entry's key, 1 for a folder and 2 for a file, then the name's key;
    // it may stop once it has `limit` bytes.
    const std::vector<std::uint8_t>& keyOf(std::uint32_t id, std::size_t limit) {
        const shell::ConstIdPtr list = ids_.at(id);
        key_.clear();
        key_.push_back(shell::IdIsFolder(list) ? 1 : 2);
        collator_.appendAsciiKey(shell::IdName(list), key_, limit - 1);
        return key_;
    }

    void setWindow(Entry& entry, const std::vector<std::uint8_t>& key, std::size_t depth) {
        std::uint8_t window[8] = {};
        for (std::size_t i = 0; i < 8 && depth + i < key.size(); ++i) {
            window[i] = key[depth + i];
        }
        entry.high = bigEndian(window);
        entry.low = bigEndian(window + 4);
    }

    // Sorts a run whose keys agree in their first `depth` bytes.
    void sortRun(Entry* first, Entry* last, std::size_t depth) {
        if (last - first < 2) {
            return;
        }
        // Each entry's window at depth, and how far all keys agree.
        const std::vector<std::uint8_t> firstKey = keyOf(first->id, SIZE_MAX);
        std::size_t common = firstKey.size();
        for (Entry* e = first; e != last; ++e) {
            const std::vector<std::uint8_t>& key = keyOf(e->id, std::max(common, depth + 8));
            std::size_t p = depth;
            while (p < common && p < key.size() && key[p] == firstKey[p]) {
                ++p;
            }
            common = p;
            setWindow(*e, key, depth);
        }
        if (common >= depth + 8) {
            // The windows are all alike: look where the keys part.
            depth = common;
            for (Entry* e = first; e != last; ++e) {
                setWindow(*e, keyOf(e->id, depth + 8), depth);
            }
        }
        sortByWindows(first, last, 0);
        for (Entry* run = first; run != last;) {
            Entry* runEnd = run + 1;
            while (runEnd != last && run->high == runEnd->high && run->low == runEnd->low) {
                ++runEnd;
            }
            if (runEnd - run > 1) {
                if ((run->low & 0xFF) == 0) {
                    // The keys ended within the window, so they are equal.
                    std::sort(run, runEnd, [this](const Entry& a, const Entry& b) {
                        return shell::IdName(ids_.at(a.id)) < shell::IdName(ids_.at(b.id));
                    });
                } else {
                    sortRun(run, runEnd, depth + 8);
                }
            }
            run = runEnd;
        }
    }

    static bool windowLess(const Entry& a, const Entry& b) {
        return a.high != b.high ? a.high < b.high : a.low < b.low;
    }

    static unsigned windowByte(const Entry& e, int byte) {
        const std::uint32_t half = byte < 4 ? e.high : e.low;
        return (half >> (24 - 8 * (byte % 4))) & 0xFFu;
    }

    // Sorts by the windows' bytes from `byte` on, in place, most significant
    // first (an American flag sort); a few entries by insertion.
    static void sortByWindows(Entry* first, Entry* last, int byte) {
        for (; byte < 8; ++byte) {
            const auto n = static_cast<std::size_t>(last - first);
            if (n < 32) {
                for (Entry* e = first + 1; e < last; ++e) {
                    const Entry moving = *e;
                    Entry* to = e;
                    for (; to != first && windowLess(moving, *(to - 1)); --to) {
                        *to = *(to - 1);
                    }
                    *to = moving;
                }
                return;
            }
            std::size_t count[256] = {};
            for (const Entry* e = first; e != last; ++e) {
                ++count[windowByte(*e, byte)];
            }
            if (count[windowByte(*first, byte)] == n) {
                continue; // all alike in this byte
            }
            std::size_t next[256];
            std::size_t end[256];
            std::size_t sum = 0;
            for (int b = 0; b < 256; ++b) {
                next[b] = sum;
                sum += count[b];
                end[b] = sum;
            }
            for (unsigned b = 0; b < 256; ++b) {
                while (next[b] < end[b]) {
                    Entry moving = first[next[b]];
                    for (unsigned d = windowByte(moving, byte); d != b;
                         d = windowByte(moving, byte)) {
                        std::swap(moving, first[next[d]++]);
                    }
                    first[next[b]++] = moving;
                }
            }
            for (unsigned b = 0; b < 256; ++b) {
                if (count[b] > 1) {
                    sortByWindows(first + (end[b] - count[b]), first + end[b], byte + 1);
                }
            }
            return;
        }
    }

    static std::uint32_t bigEndian(const std::uint8_t* bytes) {
        return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
               (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
    }

    const shell::IdListBlock& ids_;
    const NameCollator& collator_;
    std::vector<std::uint8_t> key_;
};

} // namespace

int CompareForDisplay(shell::ConstIdPtr a, shell::ConstIdPtr b, const NameCollator& collator) {
    if (shell::IdIsFolder(a) != shell::IdIsFolder(b)) {
        return shell::IdIsFolder(a) ? -1 : 1;
    }
    const std::string_view nameA = shell::IdName(a);
    const std::string_view nameB = shell::IdName(b);
    if (const int c = collator.compare(nameA, nameB); c != 0) {
        return c;
    }
    return nameA.compare(nameB);
}

void SortForDisplay(shell::FolderListing& listing, const NameCollator& collator) {
    const shell::IdListBlock& ids = listing.ids;
    std::vector<std::uint32_t>& entries = listing.entries;
    // Printable ASCII names sort by keys of the collator's ranks of their
    // characters, which take little time to make and are made again rather
    // than kept; the others by the collator's own keys, made once into a
    // block. The two runs are then merged.
    const auto asciiEnd = std::partition(entries.begin(), entries.end(), [&](std::uint32_t e) {
        return collator.hasAsciiOrder(shell::IdName(ids.at(e)));
    });
    AsciiKeySort(ids, collator).sort(entries.begin(), asciiEnd);
    sortByKeys(ids, asciiEnd, entries.end(), collator);
    std::inplace_merge(entries.begin(), asciiEnd, entries.end(),
                       [&](std::uint32_t a, std::uint32_t b) {
                           return CompareForDisplay(ids.at(a), ids.at(b), collator) < 0;
                       });
}

} // namespace tornavel::ui
