// The two keys the program adds to the editing control, as plain decisions on the bytes of
// one line: what Enter inserts when it keeps the indentation, and where Home goes when it
// alternates between the first non-blank character and the start of the line. Lines and
// columns count from 1; a column is a byte position (a double-byte character counts two).
// Portable: the window side (EditorKeyProc.cpp) reads the line and acts on the answer.
#pragma once

#include <string>

// The text Enter inserts at `column` of a line of `length` bytes to keep its indentation:
// "\r\n" followed by the line's leading blanks and tabs. False when the control's own
// Enter should run instead: the caret stands inside the leading blanks, before their end.
// A line made only of blanks and tabs (or empty) is copied whole wherever the caret is.
// A null line reads as empty.
bool IndentedLineBreak(const char* line, int length, int column, std::string& text);

// The column Home moves the caret to from `caretColumn`: the first character that is
// neither blank nor tab, or column 1 when the caret already stands on it. 0 when the line
// has no such character (blank or empty): the control's own Home should run.
int AlternatingHomeColumn(const char* line, int length, int caretColumn);
