// The colour-file reader and the paths of the program's data folders.
#include "emphasis/ColourFile.h"

#include <cstring>

#include "emphasis/EmphasisState.h"
#include "files/FileAccess.h"

// The built-in colours are those of the shipped default.ini: dark text on white.
const ColourKey kColourKeys[] = {
    {"mark", "cTab", 12615808},          {"mark", "cHalfSpace", 12615808},      {"mark", "cNormalSpace", 8421568},
    {"mark", "cUnderLine", 16711680},    {"mark", "cCrlf", 12615680},           {"mark", "cEOF", 12615680},
    {"color", "cLetter", 0},             {"color", "cLineNumText", 8421376},    {"color", "cLineNumBorder", 8421504},
    {"color", "cCaretLine", 255},        {"color", "cRulerText", 0},            {"color", "cRulerBk", 14737632},
    {"color", "cRulerLine", 8421504},    {"color", "cCaretPos", 255},           {"color", "cURL", 16711680},
    {"color", "cMail", 16711680},        {"color", "cFindText", 16777215},      {"color", "cFindBk", 10485760},
    {"color", "cBackGround", 16777215},  {"emphasis", "cEmphasis1", 12582912}, {"emphasis", "cEmphasis2", 2970272},
    {"emphasis", "cEmphasis3", 8388736}, {"emphasis", "cEmphasis4", 8421376},  {"emphasis", "cEmphasis5", 24768},
    {"emphasis", "cComment", 32768},
};
const size_t kColourKeyCount = sizeof kColourKeys / sizeof kColourKeys[0];

std::string DataFilePath(const char* programFolder, const char* folder, const char* name)
{
#ifdef _WIN32
    const char separator = '\\';
#else
    const char separator = '/';
#endif
    std::string path = programFolder ? programFolder : "";
    path += folder;
    path += separator;
    path += name ? name : "";
    return path;
}

bool OpenColourFile(const EmphasisState& state, ProfileFile& colours, const char* section)
{
    char name[1024] = {};
    if (state.settings && SetSection(*state.settings, "editor1")) GetString(*state.settings, "ColorFile", name, 1024);
    std::string path = DataFilePath(state.programFolder, "color", name);
    std::string bytes;
    // Without a program folder the path would be taken from the current folder, where any
    // file of that name could stand.
    const bool readable = state.programFolder != nullptr && state.programFolder[0] != '\0' && name[0] != '\0' &&
                          ReadWholeFile(path.c_str(), bytes).Ok();
    if (!OpenProfile(colours, readable ? path.c_str() : "", section)) colours.path[0] = '\0';
    return readable && colours.path[0] != '\0';
}

uint32_t ReadColour(const ProfileFile& colours, const char* key)
{
    if (colours.path[0] != '\0') return static_cast<uint32_t>(GetInt(colours, key));
    for (const ColourKey& entry : kColourKeys)
        if (std::strcmp(entry.key, key) == 0) return entry.builtIn;
    return 0;
}
