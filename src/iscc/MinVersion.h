#pragma once

#include "wine/AdapterProtocol.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tornavel::iscc {

// The one place where scripts written for Inno Setup 5.1.12 meet a compiler of
// version 5.5 or later: the MinVersion directive of [Setup]. 5.5 accepts no
// Windows 95/98/Me version (the 9x part must be 0) and no NT version below 5.0
// (Windows 2000); 6 none below 6.0 (Vista), and its own programs need Windows
// 7 with Service Pack 1 ("6.1sp1", 6's own default).
//
// The value is "9x,NT" or a single version that counts for both families, as
// the compilers read it; "0" in a part refuses that family.

// One MinVersion line as it was and as the compiler gets it (line texts
// without their line end; line numbers from 1).
struct MinVersionLine {
    std::size_t number = 0;
    std::string original;
    std::string adapted;
    InnoSetup compiler = InnoSetup::Five; // the one the line was adapted for
};

struct MinVersionBridge {
    enum class Verdict {
        Unchanged,          // nothing to adapt: script is the input
        Adapted,            // script is the input with line.number replaced
        NoSupportedVersion, // the line allows only versions the compiler does not support
    };
    Verdict verdict = Verdict::Unchanged;
    std::string script;
    MinVersionLine line;
};

// Adapts the MinVersion lines of the [Setup] sections for the compiler: for
// 5.5.9 the 9x part becomes 0 and an NT part below 5.0 becomes 5.0; for 6 a
// value whose NT part is below 6.1 becomes "6.1sp1" (every value a project
// can write). Everything else of the script stays byte for byte, so the line
// count and every other line are as they were. A line whose value is not
// made of version numbers is left to the compiler to judge. An NT part of 0
// allows no version either compiler supports.
MinVersionBridge BridgeMinVersion(std::string_view script, InnoSetup compiler = InnoSetup::Five);

// The Czech words that tell what was adapted (UTF-8), for the adapter's notice.
std::string AdaptedLine(const MinVersionLine& line);

// The Czech message that refuses a script whose versions are all unsupported.
std::string RefusalMessage(const MinVersionLine& line);

} // namespace tornavel::iscc
