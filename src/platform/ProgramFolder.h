// The folder of the running executable.
#pragma once

#include <string>
#include <string_view>

// Drive and folder of the running executable as InternalText, ending with a backslash,
// at most 260 bytes: the folder's own name when InternalText holds it, else its short form
// (HeldPath.h). False, with folder empty, when neither is held, when it is longer, or
// when the executable's path cannot be had.
bool GetProgramFolder(std::string& folder);

// Tests only: the executable path to use instead of the real one; empty restores the
// real one.
void SetProgramPathForTesting(std::wstring_view path);
