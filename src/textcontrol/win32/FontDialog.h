// The seam in front of the system font dialog: tests replace it to script an answer.
#pragma once

#include <windows.h>

namespace kvte::textcontrol {

// Shows a font dialog for `font` (in: the current font, out: the chosen one) and
// `pointSize`; false when the user cancelled.
using FontDialogRunner = bool (*)(HWND owner, LOGFONTW* font, int* pointSize);
// Installs a runner (null restores the system dialog); returns the previous one.
FontDialogRunner ReplaceFontDialogRunner(FontDialogRunner runner);

}  // namespace kvte::textcontrol
