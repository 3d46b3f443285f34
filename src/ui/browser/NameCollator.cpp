#include "ui/browser/NameCollator.h"

#include <QByteArray>
#include <unicode/ucol.h>

namespace tornavel::ui {
namespace {

const UChar* utf16(const QString& s) {
    return reinterpret_cast<const UChar*>(s.utf16());
}

int32_t length(const QString& s) {
    return static_cast<int32_t>(s.size());
}

} // namespace

NameCollator::NameCollator() {
    UErrorCode status = U_ZERO_ERROR;
    collator_ = ucol_open("cs_CZ", &status);
    if (U_FAILURE(status)) {
        collator_ = nullptr; // no collation data: case-folded code units instead
        return;
    }
    ucol_setStrength(collator_, UCOL_SECONDARY);
    ucol_setAttribute(collator_, UCOL_NUMERIC_COLLATION, UCOL_ON, &status);
}

NameCollator::~NameCollator() {
    if (collator_) {
        ucol_close(collator_);
    }
}

int NameCollator::compare(const QString& a, const QString& b) const {
    if (!collator_) {
        return a.compare(b, Qt::CaseInsensitive);
    }
    return static_cast<int>(ucol_strcoll(collator_, utf16(a), length(a), utf16(b), length(b)));
}

void NameCollator::appendSortKey(const QString& name, std::vector<std::uint8_t>& keys) const {
    if (!collator_) {
        const QByteArray folded = name.toCaseFolded().toUtf8();
        keys.insert(keys.end(), folded.begin(), folded.end());
        return;
    }
    const std::size_t offset = keys.size();
    keys.resize(offset + 64);
    int32_t needed =
        ucol_getSortKey(collator_, utf16(name), length(name), keys.data() + offset, 64);
    if (needed > 64) {
        keys.resize(offset + static_cast<std::size_t>(needed));
        needed =
            ucol_getSortKey(collator_, utf16(name), length(name), keys.data() + offset, needed);
    }
    // The key ends with a zero byte, which adds nothing to the order.
    keys.resize(offset + static_cast<std::size_t>(needed > 0 ? needed - 1 : 0));
}

} // namespace tornavel::ui
