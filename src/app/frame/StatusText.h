// Text of one part of the main window's status bar. Callers that run before the status
// bar exists (or while it is being rebuilt) lose nothing that matters: the text is
// rewritten on the next change.
#pragma once

// Puts text into part `part` of the status bar; does nothing when there is no status bar.
void SetStatusText(int part, const wchar_t* text);
