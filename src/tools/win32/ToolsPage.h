// The options page "ツール設定" (dialog 149): the tool list as rows of name, type text and
// path, in menu order, with add (from a tool information file), up, down, delete and
// separator. It reads [tool] when it is created and writes the whole list, as one batch,
// when the options dialog sends it WM_OPTION_APPLY (resources/options_ids.h). It has no
// help topic: WM_OPTION_HELP is ignored.
#pragma once

#include <windows.h>

#include <string>

#include "config/ProfileFile.h"

// The page's dialog procedure, for the options dialog to create dialog 149 with; its
// WM_INITDIALOG takes the settings (a ProfileFile*) that the page reads and writes.
INT_PTR CALLBACK ToolsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The text of the type column: "区切り線", "モーダル", "モードレス", "内蔵"; a type that
// is none of these shows its number (and keeps it when the list is written).
std::wstring ToolTypeText(int type);
