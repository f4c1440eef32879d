// Paths that InternalText can hold. Inside the program every path is InternalText; a path
// that comes from the system (the program's own, the command line's, a file dialog's, a
// dropped file's) can be used only when it crosses back unchanged (IsNameHeld): a Korean
// folder name, or "a¥b", would come back as another name. For such a path the system's
// short form often is held ("C:\한국어\a.txt" may be "C:\A1B2~1\a.txt"), and it names the
// same file. The program folder, opening and saving all take their paths through here.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

enum class PathHold {
    Held,       // the path itself
    ShortForm,  // the system's short form of the path, or of its folder followed by the leaf
    NotHeld,    // neither: the path cannot be named inside the program
};

// Puts into internal the InternalText path that names path (empty when NotHeld). For a
// file that does not exist yet, the short form of its folder is followed by the leaf as
// it was given, when that leaf is held. A path holding a zero unit is never held.
PathHold HoldPath(std::wstring_view path, std::string& internal);

// The path in the system ANSI code page, for another process that reads it so (the
// hand-over to a running copy): the path itself when the code page spells it, else its
// short form when that is spelled. False when neither is: sending a path the code page
// cannot spell would name another file ("?" in place of each character it lacks).
bool AnsiPathOf(std::wstring_view path, std::string& ansi);

// The system's short-path lookup, shaped like GetShortPathNameW: the units written
// without the terminator, the size needed when the buffer is too small, 0 on failure.
using ShortPathLookup = DWORD(WINAPI*)(const wchar_t* longPath, wchar_t* shortPath, DWORD size);

// Replaces the lookup (tests deny it or make up short names) and returns the previous
// one; null restores the system's.
ShortPathLookup SetShortPathLookup(ShortPathLookup lookup);
