// Texts in the system ANSI code page, as other processes send them (WM_COPYDATA) and
// read them. Inside the program every text is InternalText; these only cross the door.
#pragma once

#include <string>
#include <string_view>

// Empty for an empty text, a failed conversion or when memory runs out.
std::wstring WideFromAnsi(std::string_view ansi);
// Characters the code page lacks become its default character; see AnsiPathOf
// (HeldPath.h) for paths, where that would name another file.
std::string AnsiFromWide(std::wstring_view wide);
