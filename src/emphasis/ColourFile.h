// Colour files: ini files in the folder "color" beside the executable, named by
// [editor1] ColorFile. Each value is a decimal COLORREF (0x00BBGGRR); a missing file,
// section or key reads as 0, black. The program only reads them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "config/ProfileFile.h"

struct EmphasisState;

struct ColourKey {
    const char* section;
    const char* key;
};
// Every key a colour file may hold, section by section: [mark], [color], [emphasis].
extern const ColourKey kColourKeys[];
extern const size_t kColourKeyCount;

// programFolder + folder + the separator + name: where the program keeps its data files
// ("esf", "color"). Backslash on Windows.
std::string DataFilePath(const char* programFolder, const char* folder, const char* name);

// Opens the colour file that the settings name, with section current. A name the
// profile refuses (too long for a path) leaves colours reading 0.
void OpenColourFile(const EmphasisState& state, ProfileFile& colours, const char* section);

// The key's colour; 0 when missing.
uint32_t ReadColour(const ProfileFile& colours, const char* key);
