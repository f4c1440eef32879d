// ApplyEditorSettings and the font command, through the host's control operations.
#include "emphasis/EditorAppearance.h"

#include "config/ProfileFile.h"
#include "emphasis/ColourFile.h"

namespace {

// The control's option numbers.
enum : int {
    OPTION_TAB_WIDTH = 0,
    OPTION_RULER_HEIGHT = 1,
    OPTION_LINE_NUMBER_WIDTH = 2,
    OPTION_LINE_SPACING = 6,
    OPTION_CLICKABLE = 7,
    OPTION_OLE = 8,
    OPTION_OWNER_DRAW = 14,
    OPTION_UNDO_LIMIT = 16,
    OPTION_WORD_NUM_ALPHA = 18,
};

// Colour keys in the order of the control's colour indices; cURL and cMail also colour
// the underlines of their links (indices 19 and 20).
const char* const kMarkColours[] = {"cTab", "cHalfSpace", "cNormalSpace", "cUnderLine", "cCrlf", "cEOF"};
const char* const kTextColours[] = {"cLetter",    "cLineNumText", "cLineNumBorder", "cCaretLine",
                                    "cRulerText", "cRulerBk",     "cRulerLine",     "cCaretPos"};
const char* const kMarkSwitches[] = {"vTab", "vHalfSpace", "vNormalSpace", "vUnderLine", "vCrlf", "vEOF"};

struct Apply {
    const EmphasisHost& host;
    int view;

    void Option(int option, int value, int redraw) const
    {
        if (host.setOption) host.setOption(host.context, view, option, value, redraw);
    }
    void Colour(int index, uint32_t colour) const
    {
        if (host.setViewColor) host.setViewColor(host.context, view, index, colour, 0);
    }
};

int Read(ProfileFile* settings, const char* key) { return settings ? GetInt(*settings, key) : 0; }

}  // namespace

void ApplyEditorSettings(EmphasisState& state, int view)
{
    const EmphasisHost& host = state.host;
    const Apply apply{host, view};
    ProfileFile* settings = state.settings;
    if (settings && !SetSection(*settings, "editor1")) settings = nullptr;

    apply.Option(OPTION_TAB_WIDTH, Read(settings, "nTab"), 0);
    apply.Option(OPTION_CLICKABLE, Read(settings, "clickable"), 0);
    apply.Option(OPTION_OLE, Read(settings, "ole"), 0);
    apply.Option(OPTION_OWNER_DRAW, Read(settings, "owndraw") != 0 ? 8 : 0, 1);
    apply.Option(OPTION_WORD_NUM_ALPHA, Read(settings, "sel_numalpha") == 1 ? 1 : 0, 1);
    char fontName[260] = {};
    if (settings) GetString(*settings, "FontName", fontName, sizeof fontName);
    int fontSize = Read(settings, "FontSize");
    if (host.setFont) host.setFont(host.context, view, fontName, fontSize, 1);
    apply.Option(OPTION_RULER_HEIGHT, Read(settings, "Ruler") == 1 ? 10 : 0, 0);
    apply.Option(OPTION_LINE_NUMBER_WIDTH, Read(settings, "LineNum") == 1 ? 50 : 4, 0);
    apply.Option(OPTION_LINE_SPACING, Read(settings, "linespace"), 1);
    apply.Option(OPTION_UNDO_LIMIT, Read(settings, "undo") == 1 ? -1 : 256, 1);

    ProfileFile colours;
    if (!OpenColourFile(state, colours, "mark") && !state.colourFileReported) {
        state.colourFileReported = true;
        if (host.showMessage) host.showMessage(host.context, MESSAGE_COLOUR_FILE_UNREADABLE);
    }
    int index = 0;
    for (const char* key : kMarkColours) apply.Colour(index++, ReadColour(colours, key));
    SetSection(colours, "color");
    for (const char* key : kTextColours) apply.Colour(index++, ReadColour(colours, key));
    uint32_t url = ReadColour(colours, "cURL");
    apply.Colour(14, url);
    apply.Colour(19, url);
    uint32_t mail = ReadColour(colours, "cMail");
    apply.Colour(15, mail);
    apply.Colour(20, mail);
    apply.Colour(16, ReadColour(colours, "cFindText"));
    apply.Colour(17, ReadColour(colours, "cFindBk"));
    apply.Colour(18, ReadColour(colours, "cBackGround"));

    if (settings && !SetSection(*settings, "editor2")) settings = nullptr;
    index = 0;
    for (const char* key : kMarkSwitches) {
        if (host.showMark) host.showMark(host.context, view, index, Read(settings, key) == 1 ? 1 : 0, 0);
        ++index;
    }
}

bool ChooseEditorFont(EmphasisState& state, int view)
{
    const EmphasisHost& host = state.host;
    char name[264] = {};
    int size = host.chooseFontDialog ? host.chooseFontDialog(host.context, view, name) : -1;
    if (size < 0) return false;
    name[sizeof name - 1] = 0;
    if (state.settings && SetSection(*state.settings, "editor1")) {
        WriteString(*state.settings, "FontName", name);
        WriteInt(*state.settings, "FontSize", size);
    }
    return true;
}

void LineEndMarkStroke(int left, int top, int bottom, int w, int h, MarkPoint points[4])
{
    points[0] = {left + 2 * w - 2, top + 2};
    points[1] = {left + 2 * w - 2, bottom - 2};
    points[2] = {left + 2, bottom - 2};
    points[3] = {left + w / 2 + 2, top + h / 2};
}
