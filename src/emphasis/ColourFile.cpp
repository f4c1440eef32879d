// The colour-file reader and the paths of the program's data folders.
#include "emphasis/ColourFile.h"

#include "emphasis/EmphasisState.h"

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

void OpenColourFile(const EmphasisState& state, ProfileFile& colours, const char* section)
{
    char name[1024] = {};
    if (state.settings && SetSection(*state.settings, "editor1")) GetString(*state.settings, "ColorFile", name, 1024);
    std::string path = DataFilePath(state.programFolder, "color", name);
    OpenProfile(colours, path.c_str(), section);
}

uint32_t ReadColour(const ProfileFile& colours, const char* key)
{
    return static_cast<uint32_t>(GetInt(colours, key));
}
