// The environment-file reader: the rules of the format applied line by line, and the
// calls that hand each entry to the view.
#include "emphasis/EmphasisLoader.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "config/ProfileFile.h"
#include "emphasis/ColourFile.h"
#include "emphasis/LineReader.h"

namespace {

struct Setting {
    int kind = EMPHASIS_NONE;
    int second = 0;
    int colourNumber = 0;
    int fourth = 0;
    uint32_t colour = 0;
};

int KindOfKeyword(const char* keyword)
{
    if (std::strcmp(keyword, "EMP_LINE_AFTER") == 0) return EMPHASIS_LINE_AFTER;
    if (std::strcmp(keyword, "EMP_LINE_BETWEEN") == 0) return EMPHASIS_LINE_BETWEEN;
    if (std::strcmp(keyword, "EMP_MULTI_BETWEEN") == 0) return EMPHASIS_MULTI_BETWEEN;
    return EMPHASIS_WORD;  // EMP_WORD, and any keyword the program does not know
}

// Drops the first byte of the current line (the doubled apostrophe's first half).
void DropFirstByte(LineReader& reader)
{
    std::memmove(reader.line, reader.line + 1, reader.length);  // the terminator moves too
    --reader.length;
}

// One setting line; false when its numbers are out of range.
bool ReadSetting(const LineReader& reader, const ProfileFile* colours, Setting& setting)
{
    std::string keyword;
    GetField(reader, 1, keyword);
    Setting next;
    next.kind = KindOfKeyword(keyword.c_str());
    next.second = GetFieldInt(reader, 2);
    next.colourNumber = GetFieldInt(reader, 3);
    next.fourth = GetFieldInt(reader, 4);
    if (next.colourNumber < 1 || next.colourNumber > 6 || next.fourth < 0) return false;
    char key[16];
    if (next.colourNumber == 6) {
        std::snprintf(key, sizeof key, "cComment");
    } else {
        std::snprintf(key, sizeof key, "cEmphasis%d", next.colourNumber);
    }
    next.colour = colours ? ReadColour(*colours, key) : 0;
    setting = next;
    return true;
}

// One entry line of the current setting; false when the view refused it.
bool AddEntry(const EmphasisState& state, int view, const LineReader& reader, const Setting& setting)
{
    std::string text, endText;
    GetField(reader, 1, text);
    const char* end = nullptr;
    if (setting.kind == EMPHASIS_LINE_BETWEEN || setting.kind == EMPHASIS_MULTI_BETWEEN) {
        GetField(reader, 2, endText);  // empty when there is no field 2
        end = endText.c_str();
    }
    const EmphasisHost& host = state.host;
    if (host.addEmphasis == nullptr) return false;
    return host.addEmphasis(host.context, view, text.c_str(), end, setting.kind, setting.colour, setting.second,
                            setting.colourNumber, setting.fourth) == -1;
}

}  // namespace

int ReadEmphasisDefinitions(const EmphasisState& state, int view, LineReader& reader, const ProfileFile* colours,
                            int& rejectedLine)
{
    Setting setting;
    rejectedLine = 0;
    for (int line = 1; ReadLine(reader); ++line) {
        if (reader.length == 0) continue;
        if (reader.line[0] == '\'') {
            if (reader.length < 2 || reader.line[1] != '\'') continue;
            DropFirstByte(reader);
        }
        if (FieldCount(reader) == 4) {
            if (!ReadSetting(reader, colours, setting)) {
                rejectedLine = line;
                return MESSAGE_BAD_SETTING_LINE;
            }
            continue;
        }
        if (setting.kind == EMPHASIS_NONE) continue;
        if (!AddEntry(state, view, reader, setting)) {
            rejectedLine = line;
            return MESSAGE_ENTRY_REFUSED;
        }
    }
    return 0;
}

bool LoadEmphasisFile(EmphasisState& state, int view, const char* name)
{
    const EmphasisHost& host = state.host;
    // Always this view's own rules first: another view's load may be what set `active`.
    if (host.clearEmphasis) host.clearEmphasis(host.context, view, 1);

    LineReader reader;
    std::string path = DataFilePath(state.programFolder, "esf", name);
    if (!OpenLineReader(reader, path.c_str())) {
        if (host.showMessage) host.showMessage(host.context, MESSAGE_ENVIRONMENT_OPEN_FAILED);
        return false;
    }
    ProfileFile colours;
    OpenColourFile(state, colours, "emphasis");

    int rejectedLine = 0;
    int rejection = ReadEmphasisDefinitions(state, view, reader, &colours, rejectedLine);
    if (rejection != 0 && host.showParseError) host.showParseError(host.context, rejection, rejectedLine, name);
    state.active = true;
    if (host.redrawView) host.redrawView(host.context, view);
    CloseLineReader(reader);
    return rejection == 0;
}
