// Whole-file reading and atomic writing for the command-line tools, in the platform's own
// path type (UTF-16 on Windows, bytes elsewhere), over the program's one writer
// (files/FileAccess.h) with its failures told as text.
#pragma once

#include <string>
#include <string_view>

#ifdef _WIN32
using ToolPath = std::wstring;
#else
using ToolPath = std::string;
#endif

// Reads the whole file into bytes. On failure returns false with a reason in error.
bool ReadWholeFile(const ToolPath& path, std::string& bytes, std::string& error);

// Writes bytes to path so that path holds either its old content or all of the new one,
// as ReplaceWholeFile does: an existing file keeps its permissions or attributes, a
// symbolic link keeps pointing at its target, a read-only file is refused. On failure path
// is untouched and error says why.
bool WriteFileAtomically(const ToolPath& path, std::string_view bytes, std::string& error);

// The path as UTF-8 for messages.
std::string PathForMessage(const ToolPath& path);
