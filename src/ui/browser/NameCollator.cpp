#include "ui/browser/NameCollator.h"

#include <algorithm>
#include <cstring>
#include <unicode/ucol.h>
#include <unicode/ustring.h>

namespace tornavel::ui {
namespace {

// ICU reads a longer run of digits as several numbers.
constexpr std::size_t kLongestNumber = 254;

unsigned char byteOf(char c) {
    return static_cast<unsigned char>(c);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

// Two runs of digits by value; leading zeros count for nothing.
int compareNumbers(std::string_view x, std::string_view y) {
    x.remove_prefix(std::min(x.find_first_not_of('0'), x.size()));
    y.remove_prefix(std::min(y.find_first_not_of('0'), y.size()));
    if (x.size() != y.size()) {
        return x.size() < y.size() ? -1 : 1;
    }
    return sign(x.compare(y));
}

// Without collation data: bytes with ASCII letters folded.
int compareFolded(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char x = lowerAscii(a[i]);
        const char y = lowerAscii(b[i]);
        if (x != y) {
            return byteOf(x) < byteOf(y) ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

NameCollator::NameCollator() {
    UErrorCode status = U_ZERO_ERROR;
    collator_ = ucol_open("cs_CZ", &status);
    if (U_FAILURE(status)) {
        collator_ = nullptr; // no collation data: folded bytes instead
        return;
    }
    ucol_setStrength(collator_, UCOL_SECONDARY);
    ucol_setAttribute(collator_, UCOL_NUMERIC_COLLATION, UCOL_ON, &status);
    if (U_SUCCESS(status)) {
        learnAsciiOrder();
    }
}

NameCollator::~NameCollator() {
    if (collator_) {
        ucol_close(collator_);
    }
}

// Ranks the printable ASCII characters (and "ch" when the collator takes it as
// one letter) as the collator orders them. The fast comparison relies on what
// is checked here; should a collator differ, every name goes to the collator.
void NameCollator::learnAsciiOrder() {
    const auto collate = [this](std::u16string_view a, std::u16string_view b) {
        return ucol_strcoll(collator_, a.data(), static_cast<std::int32_t>(a.size()), b.data(),
                            static_cast<std::int32_t>(b.size()));
    };
    int chSpellings = 0;
    for (const std::u16string_view ch : {u"ch", u"cH", u"Ch", u"CH"}) {
        chSpellings += collate(ch, u"cz") == UCOL_GREATER ? 1 : 0;
    }
    if (chSpellings != 0 && chSpellings != 4) {
        return;
    }
    std::vector<std::u16string> units;
    for (char16_t c = 0x20; c < 0x7F; ++c) {
        units.emplace_back(1, c);
    }
    if (chSpellings == 4) {
        units.emplace_back(u"ch");
    }
    std::stable_sort(units.begin(), units.end(),
                     [&](const auto& a, const auto& b) { return collate(a, b) == UCOL_LESS; });
    std::uint8_t rank = 0;
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (collate(units[i], u"") == UCOL_EQUAL) {
            return; // an ignored character would vanish from names
        }
        if (i == 0 || collate(units[i - 1], units[i]) == UCOL_LESS) {
            ++rank;
        }
        (units[i].size() == 1 ? rank_[units[i][0]] : chRank_) = rank;
    }
    // A number is one unit that sorts where the digits do: they must be ten
    // consecutive ranks of their own.
    const auto inDigitRanks = [this](std::uint8_t r) { return r >= rank_['0'] && r <= rank_['9']; };
    if (rank_['9'] != rank_['0'] + 9 ||
        std::count_if(rank_.begin(), rank_.end(), inDigitRanks) != 10 || inDigitRanks(chRank_)) {
        return;
    }
    asciiOrderKnown_ = true;
}

bool NameCollator::hasAsciiOrder(std::string_view name) const {
    if (!asciiOrderKnown_) {
        return false;
    }
    std::size_t digits = 0;
    for (const char c : name) {
        if (byteOf(c) < 0x20 || byteOf(c) > 0x7E) {
            return false;
        }
        digits = isDigit(c) ? digits + 1 : 0;
        if (digits > kLongestNumber) {
            return false;
        }
    }
    return true;
}

// One unit of an ASCII name from pos on: a number (its digits go to `number`),
// "ch" when that is a letter, or one character. Returns its rank.
std::uint8_t NameCollator::nextUnit(std::string_view name, std::size_t& pos,
                                    std::string_view& number) const {
    const char c = name[pos];
    if (isDigit(c)) {
        const std::size_t begin = pos;
        while (pos < name.size() && isDigit(name[pos])) {
            ++pos;
        }
        number = name.substr(begin, pos - begin);
        return rank_['0'];
    }
    if (chRank_ != 0 && lowerAscii(c) == 'c' && pos + 1 < name.size() &&
        lowerAscii(name[pos + 1]) == 'h') {
        pos += 2;
        return chRank_;
    }
    ++pos;
    return rank_[byteOf(c)];
}

int NameCollator::compareAscii(std::string_view a, std::string_view b) const {
    // Skip what both names share, eight equal bytes at a time, then letters
    // of either case alike.
    const std::size_t common = std::min(a.size(), b.size());
    std::size_t p = 0;
    while (p + 8 <= common && std::memcmp(a.data() + p, b.data() + p, 8) == 0) {
        p += 8;
    }
    while (p < common && rank_[byteOf(a[p])] == rank_[byteOf(b[p])]) {
        ++p;
    }
    if (p == common && a.size() == b.size()) {
        return 0;
    }
    // The names part inside a number, or after a "c" that begins "ch" in one
    // of them: compare from the start of that unit. Up to p the names agree
    // (digits exactly), so the unit starts at the same place in both.
    std::size_t start = p;
    while (start > 0 && isDigit(a[start - 1])) {
        --start;
    }
    if (start == p && chRank_ != 0 && start > 0 && lowerAscii(a[start - 1]) == 'c') {
        --start;
    }
    std::size_t i = start;
    std::size_t j = start;
    while (i < a.size() && j < b.size()) {
        std::string_view numberA;
        std::string_view numberB;
        const std::uint8_t rankA = nextUnit(a, i, numberA);
        const std::uint8_t rankB = nextUnit(b, j, numberB);
        if (rankA != rankB) {
            return rankA < rankB ? -1 : 1;
        }
        if (!numberA.empty()) {
            if (const int c = compareNumbers(numberA, numberB); c != 0) {
                return c;
            }
        }
    }
    return i < a.size() ? 1 : (j < b.size() ? -1 : 0);
}

int NameCollator::compare(std::string_view a, std::string_view b) const {
    if (hasAsciiOrder(a) && hasAsciiOrder(b)) {
        return compareAscii(a, b);
    }
    if (!collator_) {
        return compareFolded(a, b);
    }
    const std::int32_t lengthA = toUtf16(a, bufferA_);
    const std::int32_t lengthB = toUtf16(b, bufferB_);
    return static_cast<int>(
        ucol_strcoll(collator_, bufferA_.data(), lengthA, bufferB_.data(), lengthB));
}

void NameCollator::appendSortKey(std::string_view name, std::vector<std::uint8_t>& keys) const {
    if (!collator_) {
        for (const char c : name) {
            keys.push_back(byteOf(lowerAscii(c)));
        }
        return;
    }
    const std::int32_t length = toUtf16(name, bufferA_);
    const std::size_t offset = keys.size();
    keys.resize(offset + 64);
    int32_t needed = ucol_getSortKey(collator_, bufferA_.data(), length, keys.data() + offset, 64);
    if (needed > 64) {
        keys.resize(offset + static_cast<std::size_t>(needed));
        needed = ucol_getSortKey(collator_, bufferA_.data(), length, keys.data() + offset, needed);
    }
    // The key ends with a zero byte, which adds nothing to the order.
    keys.resize(offset + static_cast<std::size_t>(needed > 0 ? needed - 1 : 0));
}

std::int32_t NameCollator::toUtf16(std::string_view name, std::u16string& buffer) {
    // UTF-16 takes no more units than UTF-8 takes bytes, also with each
    // malformed sequence replaced by one U+FFFD.
    buffer.resize(name.size() + 1);
    std::int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(buffer.data(), static_cast<std::int32_t>(buffer.size()), &length,
                         name.data(), static_cast<std::int32_t>(name.size()), 0xFFFD, nullptr,
                         &status);
    return U_SUCCESS(status) ? length : 0;
}

} // namespace tornavel::ui
