#pragma once

#include <QString>
#include <cstdint>
#include <vector>

struct UCollator;

namespace tornavel::ui {

// Names in Czech order as Explorer sorts them: letter case does not count,
// accents count after the letters ("č" after "c" as its own letter), numbers go
// by value ("soubor2" before "soubor10"). ICU's collator, used directly because
// its sort keys can be laid out in one block.
class NameCollator {
public:
    NameCollator();
    ~NameCollator();
    NameCollator(const NameCollator&) = delete;
    NameCollator& operator=(const NameCollator&) = delete;

    // Negative, zero or positive as a sorts before, with or after b.
    int compare(const QString& a, const QString& b) const;

    // Appends the name's sort key; keys compare with memcmp (a shorter key
    // that is a prefix of a longer one sorts first) as compare() orders names.
    void appendSortKey(const QString& name, std::vector<std::uint8_t>& keys) const;

private:
    UCollator* collator_ = nullptr;
};

} // namespace tornavel::ui
