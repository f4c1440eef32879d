// Each options page as a table from its controls to the keys of "kvte.ini": LoadPage shows
// the stored values when the dialog opens, SavePage writes the controls back at OK. The
// controls are reached through PageView, by plain control id, so that the tables run
// without windows; the page procedure of win32/ implements the view over the page.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

struct ProfileFile;
struct ProfileBatch;

// What an OK chose that the open windows take at once, for this session, whether or not
// "kvte.ini" could be written. Empty when the page did not choose it.
struct OptionsChoices {
    std::optional<int> tabBarWidth;  // pixels, [tab] width
    std::optional<int> autoIndent;   // 1 or 0, [editor1] indent
    std::optional<int> vsHome;       // 1 or 0, [editor1] endhome
};

// The page's controls, by control id. Texts are InternalText.
struct PageView {
    virtual ~PageView() = default;
    virtual bool IsTicked(int control) const = 0;
    virtual void SetTicked(int control, bool ticked) = 0;
    // Attaches the spin to its edit box with the range low..high and shows position.
    virtual void SetUpNumber(int edit, int spin, int low, int high, int position) = 0;
    virtual std::string Text(int edit) const = 0;
    // The spin's position: the last valid one when its box holds something else.
    virtual int SpinPosition(int spin) const = 0;
    // Fills the list with the names of the files of the program's data folder that match
    // pattern, and selects the one equal byte for byte to chosen (or the first).
    virtual void FillNames(int list, const char* folder, const char* pattern, const std::string& chosen) = 0;
    // The selected entry's text; false when nothing is selected.
    virtual bool Selection(int list, std::string& text) const = 0;
};

// One button or box that stands for a value (a radio button) or a bit (a box).
struct Choice {
    int control;
    int value;
};

enum class RowKind {
    Check,   // ticked when the key reads exactly 1; written as 1 or 0. "other", when set, is
             // the radio button ticked whenever the box is not.
    Radio,   // the button whose value the key holds is ticked; with none ticked nothing is
             // written, so a value that has no button stays
    Bits,    // a box per bit; written as the bits of the ticked boxes, so unknown bits go
    Packed,  // radio buttons of bits (the first whose bit is set is ticked, the last when
             // none is) plus boxes ticked when their bit is clear; written as the ticked
             // button's bit plus the bits of the boxes that are not ticked
    Number,  // an edit box with its spin ("other") in low..high, showing the low 16 bits
    Names,   // a drop-down list of the names of a data folder's files
};

struct PageRow {
    RowKind kind;
    const char* key;
    int control = 0;  // Check: the box; Number: the edit box; Names: the list
    int other = 0;    // Check: the button of "not ticked"; Number: the spin
    const Choice* choices = nullptr;  // Radio, Bits, Packed (its radio buttons)
    std::size_t choiceCount = 0;
    const Choice* clearBits = nullptr;  // Packed: boxes ticked when their bit is clear
    std::size_t clearCount = 0;
    int low = 0, high = 0;  // Number
    // Number: the message shown, instead of a write, for a box that holds no number of the
    // range; 0 writes the spin's last valid position instead.
    int complaint = 0;
    const char* folder = nullptr;  // Names: the data folder and the pattern of its files
    const char* pattern = nullptr;
    // Where a written value is also chosen for the session (Check and Number only).
    std::optional<int> OptionsChoices::*chosen = nullptr;
};

struct PageTable {
    const char* section;
    const PageRow* rows;
    std::size_t count;
};

// The tables of the pages, in tree order (the file-type page and the tools page keep their
// lists their own way).
extern const PageTable kGeneralTable;    // [main]: activation, encoding, the start place
extern const PageTable kConfirmTable;    // [notice]
extern const PageTable kSaveTable;       // [main]: line end, encoding, byte-order marks
extern const PageTable kEditorTable;     // [editor1]
extern const PageTable kMarksTable;      // [editor2]
extern const PageTable kClickableTable;  // [editor1] clickable
extern const PageTable kTabsTable;       // [tab]
extern const PageTable kSafetyTable;     // [main]: session, kept placement, reload

// Sets the settings' section to the table's and shows every row.
void LoadPage(const PageTable& table, ProfileFile& settings, PageView& view);
// Writes every row, in table order, into the batch's section of the table; the values of
// rows with a "chosen" place also go there. Returns the messages of the refused numbers,
// in row order.
std::vector<int> SavePage(const PageTable& table, const PageView& view, ProfileBatch& batch, OptionsChoices& chosen);

// The whole number that text holds when it is one within low..high, with blanks around it
// allowed; false otherwise (also for a text of 31 characters or more).
bool ParseWholeNumber(const std::string& text, int low, int high, int& value);
