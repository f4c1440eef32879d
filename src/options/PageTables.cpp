// The control-to-key tables of the options pages. Rows are written in the order listed,
// which is also the order of the messages about refused numbers.
#include "options/PageTable.h"

#include "resources/options_ids.h"
#include "resources/resource.h"
#include "textcontrol/model/OleModes.h"

namespace {

constexpr PageRow Check(int control, const char* key, int other = 0)
{
    PageRow row{RowKind::Check, key};
    row.control = control;
    row.other = other;
    return row;
}

template <std::size_t N>
constexpr PageRow Group(RowKind kind, const char* key, const Choice (&choices)[N])
{
    PageRow row{kind, key};
    row.choices = choices;
    row.choiceCount = N;
    return row;
}

constexpr PageRow Number(int edit, int spin, const char* key, int low, int high, int complaint = 0)
{
    PageRow row{RowKind::Number, key};
    row.control = edit;
    row.other = spin;
    row.low = low;
    row.high = high;
    row.complaint = complaint;
    return row;
}

constexpr PageRow Chosen(PageRow row, std::optional<int> OptionsChoices::*chosen)
{
    row.chosen = chosen;
    return row;
}

template <std::size_t N>
constexpr PageTable Table(const char* section, const PageRow (&rows)[N])
{
    return PageTable{section, rows, N};
}

// The window's start place: the four numbers are only for a place of the program's own
// choosing, and keep the spin's last valid position when their box holds no number.
constexpr int kPlaceLimit = 2000;
constexpr PageRow kGeneralRows[] = {
    Check(IDC_GENERAL_ACTIVATE, "FileWindowActive"),
    Check(IDC_GENERAL_AUTO_KANJI, "auto_kanji"),
    Check(IDC_GENERAL_SYSTEM_PLACE, "windows", IDC_GENERAL_OWN_PLACE),
    Number(IDC_GENERAL_X_EDIT, IDC_GENERAL_X_SPIN, "x", 0, kPlaceLimit),
    Number(IDC_GENERAL_Y_EDIT, IDC_GENERAL_Y_SPIN, "y", 0, kPlaceLimit),
    Number(IDC_GENERAL_WIDTH_EDIT, IDC_GENERAL_WIDTH_SPIN, "width", 0, kPlaceLimit),
    Number(IDC_GENERAL_HEIGHT_EDIT, IDC_GENERAL_HEIGHT_SPIN, "height", 0, kPlaceLimit),
};

constexpr PageRow kConfirmRows[] = {
    Check(IDC_CONFIRM_ON_END, "OnEnd"),
    Check(IDC_CONFIRM_ON_CLOSE_ALL, "OnCloseAll"),
};

constexpr Choice kReload[] = {
    {IDC_SAFETY_RELOAD_ASK, 0},
    {IDC_SAFETY_RELOAD_ALWAYS, 1},
    {IDC_SAFETY_RELOAD_NEVER, 2},
};
constexpr PageRow kSafetyRows[] = {
    Check(IDC_SAFETY_SESSION, "session"),
    Check(IDC_SAFETY_KEEP_PLACEMENT, "keep_placement"),
    Group(RowKind::Radio, "reload", kReload),
};

constexpr Choice kRetline[] = {
    {IDC_SAVE_RETLINE_AUTO, 4},
    {IDC_SAVE_RETLINE_CRLF, 1},
    {IDC_SAVE_RETLINE_CR, 2},
    {IDC_SAVE_RETLINE_LF, 3},
};
constexpr Choice kKanji[] = {
    {IDC_SAVE_KANJI_AUTO, 0},  {IDC_SAVE_KANJI_SJIS, 1},  {IDC_SAVE_KANJI_EUC, 2},
    {IDC_SAVE_KANJI_JIS, 3},   {IDC_SAVE_KANJI_UTF16, 4}, {IDC_SAVE_KANJI_UTF8, 5},
};
constexpr PageRow kSaveRows[] = {
    Group(RowKind::Radio, "retline", kRetline),
    Group(RowKind::Radio, "kanji", kKanji),
    Check(IDC_SAVE_UTF16_BOM, "utf16_bom"),
    Check(IDC_SAVE_UTF8_BOM, "utf8_bom"),
};

// [editor1] ole: one drag-and-drop mode, plus the two refusals (the views' own bits).
constexpr Choice kOleModes[] = {
    {IDC_EDITOR_OLE_CUT, kvte::textcontrol::kOleMove},
    {IDC_EDITOR_OLE_COPY, kvte::textcontrol::kOleCopy},
    {IDC_EDITOR_OLE_CONTROL, kvte::textcontrol::kOleByCtrlKey},
};
constexpr Choice kOleRefusals[] = {
    {IDC_EDITOR_OLE_ACCEPT, kvte::textcontrol::kOleRefuseDrops},
    {IDC_EDITOR_OLE_OFFER, kvte::textcontrol::kOleRefuseDrags},
};
constexpr PageRow Ole()
{
    PageRow row = Group(RowKind::Packed, "ole", kOleModes);
    row.clearBits = kOleRefusals;
    row.clearCount = 2;
    return row;
}
constexpr PageRow ColourFiles()
{
    PageRow row{RowKind::Names, "ColorFile"};
    row.control = IDC_EDITOR_COLOR_FILE;
    row.folder = "color";
    row.pattern = "*.ini";
    return row;
}
constexpr PageRow kEditorRows[] = {
    Number(IDC_EDITOR_TAB_EDIT, IDC_EDITOR_TAB_SPIN, "nTab", 1, 8, IDS_MSG_BAD_TAB_SIZE),
    Number(IDC_EDITOR_SPACE_EDIT, IDC_EDITOR_SPACE_SPIN, "linespace", 0, 5, IDS_MSG_BAD_LINE_SPACE),
    ColourFiles(),
    Check(IDC_EDITOR_RULER, "Ruler"),
    Check(IDC_EDITOR_LINE_NUMBERS, "LineNum"),
    Check(IDC_EDITOR_OWN_LINE_END, "owndraw"),
    Chosen(Check(IDC_EDITOR_INDENT, "indent"), &OptionsChoices::autoIndent),
    Chosen(Check(IDC_EDITOR_END_HOME, "endhome"), &OptionsChoices::vsHome),
    Check(IDC_EDITOR_UNDO, "undo"),
    Check(IDC_EDITOR_SELECT_NUMBERS, "sel_numalpha"),
    Ole(),
};

constexpr PageRow kMarksRows[] = {
    Check(IDC_MARKS_LINE_END, "vCrlf"),         Check(IDC_MARKS_LINE_END + 1, "vNormalSpace"),
    Check(IDC_MARKS_LINE_END + 2, "vHalfSpace"), Check(IDC_MARKS_LINE_END + 3, "vTab"),
    Check(IDC_MARKS_LINE_END + 4, "vEOF"),       Check(IDC_MARKS_LINE_END + 5, "vUnderLine"),
};

// Mail address, http:, https://, ftp://. Only these four bits are written back, so a
// stored value with other bits set (the default 65535) becomes 15 at the first OK.
constexpr Choice kClickableKinds[] = {
    {IDC_CLICKABLE_FIRST, 1},
    {IDC_CLICKABLE_FIRST + 1, 2},
    {IDC_CLICKABLE_FIRST + 2, 4},
    {IDC_CLICKABLE_FIRST + 3, 8},
};
constexpr PageRow kClickableRows[] = {Group(RowKind::Bits, "clickable", kClickableKinds)};

constexpr Choice kOnOpen[] = {
    {IDC_TABS_OPEN_CLOSE, 0},
    {IDC_TABS_OPEN_UNTITLED, 1},
    {IDC_TABS_OPEN_NEW, 2},
};
constexpr Choice kOnDrag[] = {
    {IDC_TABS_DRAG_CLOSE, 0},
    {IDC_TABS_DRAG_UNTITLED, 1},
    {IDC_TABS_DRAG_NEW, 2},
};
constexpr PageRow kTabsRows[] = {
    Group(RowKind::Radio, "OnOpen", kOnOpen),
    Group(RowKind::Radio, "OnDrag", kOnDrag),
    Check(IDC_TABS_ON_NEW, "OnNew"),
    Chosen(Number(IDC_TABS_WIDTH_EDIT, IDC_TABS_WIDTH_SPIN, "width", 50, 300, IDS_MSG_BAD_TAB_WIDTH),
           &OptionsChoices::tabBarWidth),
};

}  // namespace

const PageTable kGeneralTable = Table("main", kGeneralRows);
const PageTable kConfirmTable = Table("notice", kConfirmRows);
const PageTable kSaveTable = Table("main", kSaveRows);
const PageTable kEditorTable = Table("editor1", kEditorRows);
const PageTable kMarksTable = Table("editor2", kMarksRows);
const PageTable kClickableTable = Table("editor1", kClickableRows);
const PageTable kTabsTable = Table("tab", kTabsRows);
const PageTable kSafetyTable = Table("main", kSafetyRows);
