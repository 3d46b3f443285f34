// The browser's name order: the keys of ASCII names must order them exactly
// as the collator does, alone and mixed with names only the collator can order.
#include "ui/browser/NameCollator.h"

#include "platform/ShellNamespace.h"
#include "ui/browser/ShellItems.h"

#include <QTest>
#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using tornavel::shell::FolderListing;
using tornavel::shell::IdName;
using tornavel::ui::NameCollator;

namespace {

// The collator's own verdict: its sort keys compared bytewise.
int collatorOrder(const NameCollator& collator, std::string_view a, std::string_view b) {
    std::vector<std::uint8_t> keyA;
    std::vector<std::uint8_t> keyB;
    collator.appendSortKey(a, keyA);
    collator.appendSortKey(b, keyB);
    return tornavel::ui::CompareSortKeys(keyA, keyB);
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

// Names that try the comparison where it could go wrong: numbers with and
// without leading zeros, "c" next to "h" in every case, every punctuation
// mark, letters differing in case only.
class NameMaker {
public:
    std::string ascii() {
        static const std::string pieces[] = {
            "0", "00", "1", "2",  "9", "10", "007", "c", "C", "h", "H", "ch", "Ch", "cH", "CH",
            "a", "A",  "b", "i",  "I", "z",  "Z",   "x", " ", "_", "-", ",",  ";",  ":",  "!",
            "?", ".",  "'", "\"", "(", ")",  "[",   "]", "{", "}", "@", "*",  "\\", "&",  "#",
            "%", "`",  "^", "+",  "<", "=",  ">",   "|", "~", "$", "s", "ou", "bor"};
        std::string name;
        const int count = 1 + static_cast<int>(random_() % 7);
        for (int i = 0; i < count; ++i) {
            name += pieces[random_() % std::size(pieces)];
        }
        return name;
    }
    // Czech letters, bytes that are no UTF-8, and long names.
    std::string other() {
        static const char* const pieces[] = {"č",    "Č", "ř",  "š", "á", "ch", "\xff",
                                             "\xc3", "1", "01", "c", "h", "z"};
        std::string name = ascii();
        name.insert(random_() % (name.size() + 1), pieces[random_() % std::size(pieces)]);
        if (random_() % 10 == 0) {
            name.resize(255, 'x');
        }
        return name;
    }

private:
    std::mt19937 random_{20240601};
};

} // namespace

class NameCollatorTest : public QObject {
    Q_OBJECT

private slots:
    void asciiKeysGiveTheCollatorsOrder();
    void sortOfMixedNamesIsTheCollatorsOrder();
};

void NameCollatorTest::asciiKeysGiveTheCollatorsOrder() {
    const NameCollator collator;
    NameMaker maker;
    // The pairs the rules are about, then many made at random.
    std::vector<std::pair<std::string, std::string>> pairs = {
        {"soubor2", "soubor10"},
        {"a01", "a1"},
        {"a0", "a"},
        {"chata", "hrad"},
        {"ch", "cz"},
        {"cH", "ci"},
        {"cch", "cci"},
        {"Ahoj", "ahoj"},
        {"a_b", "a-b"},
        {"a b", "a_b"},
        {"1x", "x"},
        {"$", "0"},
        {"x9", "x10y"},
        {"x12", "x1b"},
        {"c1", "ch1"},
        {"ach", "aci"},
        {std::string(250, '1'), std::string(251, '1')}};
    for (int i = 0; i < 100000; ++i) {
        pairs.emplace_back(maker.ascii(), maker.ascii());
    }
    int asciiPairs = 0;
    for (const auto& [a, b] : pairs) {
        if (!collator.hasAsciiOrder(a) || !collator.hasAsciiOrder(b)) {
            continue;
        }
        ++asciiPairs;
        const int expected = collatorOrder(collator, a, b);
        if (sign(collator.compare(a, b)) != expected || sign(collator.compare(b, a)) != -expected) {
            QFAIL(qPrintable(QStringLiteral("\"%1\" and \"%2\": the collator says %3")
                                 .arg(QString::fromStdString(a), QString::fromStdString(b))
                                 .arg(expected)));
        }
    }
    // Nearly every pair takes the fast way, so the check above means something.
    QVERIFY2(asciiPairs > 99000, qPrintable(QString::number(asciiPairs)));
    QVERIFY(!collator.hasAsciiOrder("tab\there"));
    QVERIFY(!collator.hasAsciiOrder("čaj"));
    QVERIFY(!collator.hasAsciiOrder(std::string(255, '7')));
}

void NameCollatorTest::sortOfMixedNamesIsTheCollatorsOrder() {
    const NameCollator collator;
    NameMaker maker;
    std::vector<std::pair<std::string, bool>> names;
    for (int i = 0; i < 20000; ++i) {
        names.emplace_back(i % 3 == 0 ? maker.other() : maker.ascii(), i % 17 == 0);
    }
    FolderListing listing;
    for (const auto& [name, folder] : names) {
        listing.entries.push_back(listing.ids.append(name, folder));
    }
    tornavel::ui::SortForDisplay(listing, collator);

    // The order wanted: folders first, then the collator's keys, then bytes.
    std::sort(names.begin(), names.end(), [&](const auto& a, const auto& b) {
        if (a.second != b.second) {
            return a.second;
        }
        const int c = collatorOrder(collator, a.first, b.first);
        return c != 0 ? c < 0 : a.first < b.first;
    });
    QCOMPARE(listing.entries.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string_view shown = IdName(listing.ids.at(listing.entries[i]));
        if (shown != names[i].first) {
            QFAIL(qPrintable(QStringLiteral("row %1 shows \"%2\", expected \"%3\"")
                                 .arg(i)
                                 .arg(QString::fromUtf8(shown.data(), shown.size()),
                                      QString::fromStdString(names[i].first))));
        }
    }
}

QTEST_MAIN(NameCollatorTest)
#include "NameCollatorTest.moc"
