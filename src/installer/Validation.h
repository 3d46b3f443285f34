#pragma once

#include "installer/Prompts.h"
#include "project/ProjectSettings.h"

#include <string>

namespace tornavel {

// The checks before a build: the three required names, the text files and the
// files the icons start and show, and the icons that are to be placed on the
// desktop or in the Startup folder but have no name. Every check runs, in
// order, whatever the earlier ones found; each problem is reported at once
// through prompts (the required names with the error dialog and a request to
// focus their edit box, the file checks with the plain message box).
//
// Then what the compiler, Windows or the installer would refuse, each with
// the error dialog naming the field and a focus request: a named icon's index
// that is no 32-bit integer; in the names of installed folders, shortcuts and
// the INI file a character Windows forbids (: * ? " < > |) or a device name
// (CON, NUL, COM1 ...), likewise in the installer's name (OutputBaseFilename,
// else AppVerName, else AppName), where "/" and "\" are forbidden too; a
// wildcard in the names of the licence, information and icons' files; in the
// texts whose constants the compiler expands a "{" that no "}" closes ("{{"
// is a literal brace), a constant the compiler does not know or the
// installer cannot expand where the text stands, and any constant in AppName
// and AppPublisher; an installer name or installation folder too long to
// start or install; an INI line without a section or with a key or section
// its readers would cut; with disk spanning a slice over the compiler's
// largest and a reserve that is negative or leaves the first slice no room;
// a password with outer blanks. Of the section "Vydání": a setup icon that
// is no icon file (.ico) of the working folder; a program to offer at the
// end, or the icon of the list of programs, from an icon without a name or a
// file; a per-user install with a font in the working folder (Windows adds
// fonts for administrators only), an INI file in a Windows folder or a
// folder too long under the user's programs folder. Only texts that the
// script really carries are looked at, except for the last check: a
// control character other than the tab (a line break, a NUL), which no field
// can hold, in any text of the project.
//
// An icon that starts a file but names no icon file gets the started file as
// its icon file; that stays in the project (logged in log) whatever the result.
//
// sourceFolder is native and ends with the separator. Returns true when the
// build may go on.
bool ValidateProject(ProjectSettings& project, const std::string& sourceFolder, Prompts& prompts,
                     ChangeLog* log = nullptr);

// Whether a name from the project ("readme.txt", "bin\app.exe", "*.hlp") names
// a file (not a folder) under sourceFolder: "\" (or "/") leads into
// sub-folders, wildcards in the last part match any file, and names compare
// without regard to case, as on Windows. A file counts whatever its dates; one
// that cannot be examined counts as not present.
bool IsFilePresent(const std::string& sourceFolder, const std::string& name);

} // namespace tornavel
