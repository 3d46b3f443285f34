#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct UCollator;

namespace tornavel::ui {

// Negative, zero or positive as key a sorts before, with or after key b: the
// bytes, and a key that is the beginning of a longer one first.
int CompareSortKeys(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b);

// Names in Czech order as Explorer sorts them: letter case does not count,
// accents count after the letters ("č" after "c", "ch" after "h", each its own
// letter), numbers go by value ("soubor2" before "soubor10"). Names are UTF-8
// as the file system spells them; bytes that are not UTF-8 count as U+FFFD.
//
// ICU's collator decides, used directly because its sort keys can be laid out
// in one block. Names of printable ASCII alone (the common case) need no
// collator: the collator's order of those characters is read from the collator
// itself at construction, and a key of those ranks, with numbers by value and
// "ch" as one letter, orders them exactly as the collator would, at a small
// part of the cost.
class NameCollator {
public:
    NameCollator();
    ~NameCollator();
    NameCollator(const NameCollator&) = delete;
    NameCollator& operator=(const NameCollator&) = delete;

    // Negative, zero or positive as a sorts before, with or after b. Names
    // that differ in letter case alone compare equal.
    int compare(std::string_view a, std::string_view b) const;

    // Whether appendAsciiKey() can take this name: printable ASCII, and no
    // number longer than the collator takes as one.
    bool hasAsciiOrder(std::string_view name) const;
    // Appends the key of a name of hasAsciiOrder(). Such keys compare with
    // CompareSortKeys as compare() orders the names; they are no collator
    // keys. Like those they hold no zero byte. With a limit, the key may stop
    // once it has that many bytes.
    void appendAsciiKey(std::string_view name, std::vector<std::uint8_t>& keys,
                        std::size_t limit = SIZE_MAX) const;

    // Appends the collator's key of any name, without a zero byte. Such keys
    // compare with CompareSortKeys as compare() orders the names.
    void appendSortKey(std::string_view name, std::vector<std::uint8_t>& keys) const;

private:
    void learnAsciiOrder();
    // The name in UTF-16 in `buffer`, for the collator.
    static std::int32_t toUtf16(std::string_view name, std::u16string& buffer);

    UCollator* collator_ = nullptr;
    bool asciiOrderKnown_ = false;
    // The collator's rank of each printable ASCII character (equal for the
    // two cases of a letter); digits are consecutive.
    std::array<std::uint8_t, 128> rank_{};
    std::uint8_t chRank_ = 0; // the rank of "ch"; 0 when it is not one letter
    mutable std::u16string bufferA_;
    mutable std::u16string bufferB_;
    mutable std::vector<std::uint8_t> keyA_;
    mutable std::vector<std::uint8_t> keyB_;
};

} // namespace tornavel::ui
