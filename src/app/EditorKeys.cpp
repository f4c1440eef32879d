// Enter that keeps the indentation and Home that alternates, on the bytes of one line.
#include "app/EditorKeys.h"

namespace {

bool IsIndentByte(char byte) { return byte == ' ' || byte == '\t'; }

// Index of the first byte that is neither blank nor tab; length when there is none.
// Callers pass a length of 0 for a missing line and never a negative one.
int IndentEnd(const char* line, int length)
{
    int index = 0;
    while (index < length && IsIndentByte(line[index])) ++index;
    return index;
}

}  // namespace

bool IndentedLineBreak(const char* line, int length, int column, std::string& text)
{
    if (line == nullptr || length < 0) length = 0;
    const int end = IndentEnd(line, length);
    // A caret before the first character of the text keeps the plain line break, so that
    // Enter there pushes the whole line down with its indentation.
    if (end < length && column <= end) return false;
    text.assign("\r\n");
    text.append(line ? line : "", static_cast<std::size_t>(end));
    return true;
}

int AlternatingHomeColumn(const char* line, int length, int caretColumn)
{
    if (line == nullptr || length < 0) return 0;
    const int end = IndentEnd(line, length);
    if (end == length) return 0;
    return caretColumn - 1 == end ? 1 : end + 1;
}
