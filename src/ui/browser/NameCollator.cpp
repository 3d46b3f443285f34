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

// Where the run of digits that goes on at pos ends.
std::size_t digitsEnd(std::string_view s, std::size_t pos) {
    while (pos < s.size() && isDigit(s[pos])) {
        ++pos;
    }
    return pos;
}

} // namespace

int CompareSortKeys(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    const int c = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    if (c != 0) {
        return c < 0 ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

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
// one letter) as the collator orders them. The ASCII keys rely on what is
// checked here; should a collator differ, every name goes to the collator.
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

void NameCollator::appendAsciiKey(std::string_view name, std::vector<std::uint8_t>& keys,
                                  std::size_t limit) const {
    // A character gives at most three bytes (a one-digit number).
    const std::size_t start = keys.size();
    keys.resize(start + 3 * name.size());
    std::uint8_t* const begin = keys.data() + start;
    std::uint8_t* out = begin;
    for (std::size_t pos = 0; pos < name.size() && static_cast<std::size_t>(out - begin) < limit;) {
        const char c = name[pos];
        if (isDigit(c)) {
            // A number: the digits' rank, then the count of its digits without
            // leading zeros (plus one), then those digits; so a longer number
            // sorts after a shorter one, and numbers as long by their digits.
            const std::size_t end = digitsEnd(name, pos);
            while (pos < end && name[pos] == '0') {
                ++pos;
            }
            *out++ = rank_['0'];
            *out++ = static_cast<std::uint8_t>(end - pos + 1); // never zero
            out = std::copy(name.data() + pos, name.data() + end, out);
            pos = end;
        } else if (chRank_ != 0 && lowerAscii(c) == 'c' && pos + 1 < name.size() &&
                   lowerAscii(name[pos + 1]) == 'h') {
            *out++ = chRank_;
            pos += 2;
        } else {
            *out++ = rank_[byteOf(c)];
            ++pos;
        }
    }
    keys.resize(start + static_cast<std::size_t>(out - begin));
}

int NameCollator::compare(std::string_view a, std::string_view b) const {
    if (hasAsciiOrder(a) && hasAsciiOrder(b)) {
        keyA_.clear();
        keyB_.clear();
        appendAsciiKey(a, keyA_);
        appendAsciiKey(b, keyB_);
        return CompareSortKeys(keyA_, keyB_);
    }
    if (!collator_) {
        // Without collation data the keys are the bytes with ASCII letters folded.
        keyA_.clear();
        keyB_.clear();
        appendSortKey(a, keyA_);
        appendSortKey(b, keyB_);
        return CompareSortKeys(keyA_, keyB_);
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
