// The colour-file reader and the paths of the program's data folders.
#include "emphasis/ColourFile.h"

#include <cstring>

#include "emphasis/EmphasisState.h"
#include "files/FileAccess.h"

namespace {

// The colours of the shipped default.ini: dark text on white.
struct BuiltInColour {
    const char* key;
    uint32_t colour;
};
const BuiltInColour kBuiltInColours[] = {
    {"cTab", 12615808},     {"cHalfSpace", 12615808}, {"cNormalSpace", 8421568}, {"cUnderLine", 16711680},
    {"cCrlf", 12615680},    {"cEOF", 12615680},       {"cLetter", 0},           {"cLineNumText", 8421376},
    {"cLineNumBorder", 8421504}, {"cCaretLine", 255}, {"cRulerText", 0},        {"cRulerBk", 14737632},
    {"cRulerLine", 8421504}, {"cCaretPos", 255},      {"cURL", 16711680},       {"cMail", 16711680},
    {"cFindText", 16777215}, {"cFindBk", 10485760},   {"cBackGround", 16777215}, {"cEmphasis1", 12582912},
    {"cEmphasis2", 2970272}, {"cEmphasis3", 8388736}, {"cEmphasis4", 8421376},  {"cEmphasis5", 24768},
    {"cComment", 32768},
};

}  // namespace

const ColourKey kColourKeys[] = {
    {"mark", "cTab"},           {"mark", "cHalfSpace"},      {"mark", "cNormalSpace"},   {"mark", "cUnderLine"},
    {"mark", "cCrlf"},          {"mark", "cEOF"},            {"color", "cLetter"},       {"color", "cLineNumText"},
    {"color", "cLineNumBorder"}, {"color", "cCaretLine"},    {"color", "cRulerText"},    {"color", "cRulerBk"},
    {"color", "cRulerLine"},    {"color", "cCaretPos"},      {"color", "cURL"},          {"color", "cMail"},
    {"color", "cFindText"},     {"color", "cFindBk"},        {"color", "cBackGround"},   {"emphasis", "cEmphasis1"},
    {"emphasis", "cEmphasis2"}, {"emphasis", "cEmphasis3"},  {"emphasis", "cEmphasis4"}, {"emphasis", "cEmphasis5"},
    {"emphasis", "cComment"},
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
    for (const BuiltInColour& builtIn : kBuiltInColours)
        if (std::strcmp(builtIn.key, key) == 0) return builtIn.colour;
    return 0;
}
