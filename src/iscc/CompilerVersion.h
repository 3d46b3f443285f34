#pragma once

#include "wine/AdapterProtocol.h"

#include <string>

namespace tornavel::iscc {

// The compiler a build chose, found: where its ISCC.exe is and which Inno
// Setup it is.
struct ChosenCompiler {
    std::string program; // ISCC.exe
    InnoSetup version = InnoSetup::Five;
    std::string versionText; // "6.2.0"; empty when its folder does not say
};

// The compiler of the adapter whose program file lies in adapterFolder: the
// folder "compiler" (5.5.9) or "compiler-6" (platform/ProgramLayout), or
// $TORNAVEL_COMPILER_DIR for either. Which Inno Setup it is comes from the
// file ".version" that scripts/install-compiler writes beside ISCC.exe; a
// folder without one (a compiler of the user's own) holds a 5.5. Throws
// AdapterFailure with a Czech message when ISCC.exe is missing, the version
// file cannot be read or names no 5.x or 6.x, or the folder holds another
// compiler than the one chosen.
ChosenCompiler FindChosenCompiler(const std::string& adapterFolder, InnoSetup chosen);

} // namespace tornavel::iscc
