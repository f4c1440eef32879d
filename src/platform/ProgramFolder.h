// The folder of the running executable.
#pragma once

#include <string>

// Drive and folder of the running executable as InternalText, ending with a backslash;
// at most 260 bytes. Empty when the path cannot be had.
std::string GetProgramFolder();
