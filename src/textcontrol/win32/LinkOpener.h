// The seam in front of the shell that opens a double-clicked link: tests replace it to
// see what would be opened instead of starting a browser or a mailer.
#pragma once

#include <windows.h>

namespace kvte::textcontrol {

// Opens target ("http://...", "mailto:name@host") with the shell; true when it started.
using LinkOpener = bool (*)(HWND owner, const wchar_t* target);
// Installs an opener (null restores the shell); returns the previous one.
LinkOpener ReplaceLinkOpener(LinkOpener opener);

}  // namespace kvte::textcontrol
