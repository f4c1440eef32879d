// Colour files: ini files in the folder "color" beside the executable, named by
// [editor1] ColorFile. Each value is a decimal COLORREF (0x00BBGGRR); a key the file lacks
// reads as 0, black. When the file itself cannot be read, the built-in colours (those of
// the shipped default.ini) are used instead, so that text never turns black on black.
// The program only reads them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "config/ProfileFile.h"

struct EmphasisState;

// String-table message shown once when the colour file cannot be read.
constexpr int MESSAGE_COLOUR_FILE_UNREADABLE = 66;

struct ColourKey {
    const char* section;
    const char* key;
    uint32_t builtIn;  // the shipped default.ini's colour, used when no file can be read
};
// Every key a colour file may hold, section by section: [mark], [color], [emphasis].
extern const ColourKey kColourKeys[];
extern const size_t kColourKeyCount;

// programFolder + folder + the separator + name: where the program keeps its data files
// ("esf", "color"). Backslash on Windows.
std::string DataFilePath(const char* programFolder, const char* folder, const char* name);

// Opens the colour file that the settings name, with section current. False when it
// cannot be read (missing, unreadable, a name too long for a path, or no program folder to
// look in): `colours` is then left without a path and reads the built-in colours.
bool OpenColourFile(const EmphasisState& state, ProfileFile& colours, const char* section);

// The key's colour: from the file (0 when it lacks the key), or the built-in one when the
// file could not be read.
uint32_t ReadColour(const ProfileFile& colours, const char* key);
