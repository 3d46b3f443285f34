#pragma once

#include <string>

namespace tornavel {

// wine links a new prefix's profile folders (Desktop, Documents, Music, ...)
// to the user's home folder, so a test installation would put its shortcuts
// and files there. Each such link that leads out of the prefix becomes an
// empty folder of the prefix instead; links inside it and real folders stay.
// Nothing when the prefix has no profiles yet. Throws InOutError naming the
// link that cannot be replaced.
void KeepProfileFoldersInPrefix(const std::string& prefix);

// Moves a prefix that wine cannot start out of the way, so that the next
// start makes a new one; nothing of it is deleted. It is renamed in its own
// folder to "<prefix>.poskozene-YYYYMMDD-HHMMSS" (a number added when that
// exists). Returns the new name, or empty when there was no prefix. Throws
// InOutError naming the prefix when it cannot be renamed.
std::string SetWinePrefixAside(const std::string& prefix);

} // namespace tornavel
