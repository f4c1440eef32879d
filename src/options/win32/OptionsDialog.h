// The options dialog "KelvaraTextEditorの設定": a tree of page names on the left and one
// page at a time on the right. Each page is a modeless child dialog with its own procedure,
// registered once at start-up in tree order. The pages read their keys when the dialog
// opens and write them only when it closes with "完了" (OK): every page, visited or not,
// receives WM_OPTION_APPLY in registration order. Cancel writes nothing.
//
// The page protocol (ids in resources/options_ids.h, so that a page living in a lower
// folder can answer it without including this header):
//   WM_OPTION_HELP  (3124): show the page's help topic; a page without one ignores it.
//   WM_OPTION_APPLY (3125): write the page's controls into the settings, as one batch.
// Both are sent, never posted, with both parameters 0.
//
// Every page's WM_INITDIALOG receives the settings (a ProfileFile*) as its lParam; a page
// keeps it for its apply. Pages of this folder reach the rest of what they need through
// OptionsOfPage (the dialog is the page's parent), and leave there what the open windows
// take at once (OptionsDialog::chosen).
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

#include "options/PageTable.h"
#include "resources/options_ids.h"

struct ProfileFile;

static_assert(WM_OPTION_HELP == WM_USER + 2100 && WM_OPTION_APPLY == WM_USER + 2101,
              "the page messages are fixed numbers");

// One entry of the page table.
struct OptionPage {
    int dialogId = 0;
    bool topLevel = true;  // a root of the tree; otherwise a child of the latest root
    DLGPROC procedure = nullptr;
    wchar_t label[64] = {};  // up to 63 characters; a longer label is cut
    HWND pageWindow = nullptr;  // while the dialog is open
    HTREEITEM treeItem = nullptr;
};

// What the pages reach besides the settings. The application fills it at start-up; a test
// fills it with its own records.
struct OptionsHost {
    ProfileFile* settings = nullptr;
    const char* programFolder = "";  // InternalText, ends with a backslash (or is empty)
    // The manifest beside the executable; empty means the running module's path followed
    // by ".manifest".
    std::wstring manifestPath;
    // Shows a help page (InternalText, e.g. "_RESOURCE\全般設定.html"); null: no help.
    HWND (*showHelpPage)(HWND owner, const char* page) = nullptr;
};

struct OptionsDialog {
    HWND window = nullptr;  // while open
    std::unique_ptr<OptionPage[]> pages;
    int count = 0;
    int capacity = 0;
    int current = 0;  // the page shown; the first whenever the dialog opens
    HINSTANCE instance = nullptr;
    OptionsHost host;
    // The tools page's procedure, set by the tools' start-up before the pages are
    // registered; without it the tools page is left out of the tree.
    DLGPROC toolsPage = nullptr;
    bool writeFailureShown = false;  // one message per OK when a page cannot write
    // The settings file was there but could not be read when the dialog opened: the pages
    // show defaults, so OK must not write them over the stored values.
    bool settingsUnread = false;
    // What the last OK chose for the open windows; emptied whenever the dialog opens.
    OptionsChoices chosen;
};

// Makes room for capacity pages (the program uses 9). False when memory runs out.
bool CreatePageTable(OptionsDialog& options, int capacity);
// Copies the four values into the next free entry. False when the table is full or the
// procedure is null; the table is then unchanged.
bool RegisterPage(OptionsDialog& options, int dialogId, bool topLevel, DLGPROC procedure, const wchar_t* label);
// Creates the table with room for nine and registers the program's pages in tree order:
// 全般, 確認設定, ツール設定 (only when toolsPage is set), 保存, エディタ, マーク設定,
// クリッカブル設定, 拡張子設定, タブの設定. False when the table cannot be made.
bool RegisterOptionPages(OptionsDialog& options);
void ReleasePageTable(OptionsDialog& options);

// Runs dialog 120 modally (through the modal-UI seam) with owner as its owner; the dialog
// finds its record through its creation parameter. 1 when it was closed with OK (every
// page has then written its keys and options.chosen holds what they chose), 0 otherwise.
int ShowOptionsDialog(OptionsDialog& options, HINSTANCE instance, HWND owner);

// The main loop's step: offers message to IsDialogMessage of every open page, in
// registration order. True when one took it.
bool OfferToOptionPages(const OptionsDialog& options, MSG* message);

// The options dialog that a page (a child of it) belongs to, or null.
OptionsDialog* OptionsOfPage(HWND page);
