#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct UCollator;

namespace tornavel::ui {

// Names in Czech order as Explorer sorts them: letter case does not count,
// accents count after the letters ("č" after "c", "ch" after "h", each its own
// letter), numbers go by value ("soubor2" before "soubor10"). Names are UTF-8
// as the file system spells them; bytes that are not UTF-8 count as U+FFFD.
//
// ICU's collator decides, used directly because its sort keys can be laid out
// in one block. Names of printable ASCII alone (the common case) are compared
// without it: the collator's order of those characters is read from the
// collator itself at construction, and a byte comparison on those ranks, with
// numbers by value and "ch" as one letter, gives exactly its result.
class NameCollator {
public:
    NameCollator();
    ~NameCollator();
    NameCollator(const NameCollator&) = delete;
    NameCollator& operator=(const NameCollator&) = delete;

    // Negative, zero or positive as a sorts before, with or after b. Names
    // that differ in letter case alone compare equal.
    int compare(std::string_view a, std::string_view b) const;

    // Whether compareAscii() orders this name: printable ASCII, and no number
    // longer than the collator takes as one.
    bool hasAsciiOrder(std::string_view name) const;
    // compare() for two names of hasAsciiOrder(), without the collator.
    int compareAscii(std::string_view a, std::string_view b) const;

    // Appends the name's sort key; keys compare with memcmp (a shorter key
    // that is a prefix of a longer one sorts first) as compare() orders names.
    void appendSortKey(std::string_view name, std::vector<std::uint8_t>& keys) const;

private:
    void learnAsciiOrder();
    std::uint8_t nextUnit(std::string_view name, std::size_t& pos, std::string_view& number) const;
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
};

} // namespace tornavel::ui
