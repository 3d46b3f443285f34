#pragma once

#include "iscc/Console.h"

#include <string>

namespace tornavel::iscc {

// Makes sure the wine prefix exists and is set up, creating it quietly
// (wineboot, no Mono or Gecko prompts) on first use. Several adapters started
// at once wait for each other: the set-up runs under a lock inside the
// prefix, and a marker file written after a successful set-up tells the next
// one that nothing is left to do. wine's own messages of the set-up go to a
// log file in the prefix and are quoted when it fails.
//
// Throws AdapterFailure when the prefix cannot be made.
void EnsureWinePrefix(const std::string& wine, const std::string& prefix, Console& console);

} // namespace tornavel::iscc
