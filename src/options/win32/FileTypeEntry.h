// The extension dialog "拡張子設定" (151): one extension and the environment that files
// with it open in.
#pragma once

#include <windows.h>

#include "options/FileTypeSection.h"

// Shows the dialog over owner with entry's texts; the environments offered are the
// "*.esf" files of programFolder's "esf" folder. On OK (1) entry holds the typed extension
// (blanks around it dropped) and the chosen environment (kept as it was when the folder
// holds none); on Cancel (0) entry is unchanged. An extension that the settings could not
// hold as a key is refused with a message and the dialog stays open.
int RunExtensionDialog(HINSTANCE instance, HWND owner, const char* programFolder, FileTypeRow& entry);
