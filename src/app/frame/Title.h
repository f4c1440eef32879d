// The main window's title and the status parts that describe the current document: its
// name, modified mark and write protection in the title; wrap, write protection, line
// ends, encoding and caret position in the status bar.
#pragma once

#include <windows.h>

#include <string>

#include "app/frame/StatusBar.h"
#include "documents/Document.h"

// "<path><(書込禁止)> <*> - KelvaraTextEditorVer3.36", or "無題..." without a path.
std::wstring MainWindowTitle(const Document& document);

// The status label of a line-end style of the editing control (1 CRLF, 2 CR, 3 LF);
// null for any other value, which leaves the part as it was.
const wchar_t* LineEndingLabel(int lineEnding);

// "12行：5桁" for line 12 and the display column 4 (counted from 0).
std::wstring CaretStatusText(int line, int column);

// Part 1 from the caret of `view`.
void ShowCaretStatus(const StatusBar& bar, int view);

// Parts 1-5 from the document and its view, then the title of mainWindow.
void ShowDocumentTitle(HWND mainWindow, const StatusBar& bar, const Document& document, int view);
