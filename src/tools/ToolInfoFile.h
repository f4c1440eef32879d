// The tool information file ("*.kti") that a tool ships so that users can register it:
// an ini-format file whose section [general] holds
//     name  the menu label, at most 259 bytes
//     file  the program, relative to the folder that holds the .kti file
//     type  the ToolType (0 modal when missing)
// The registered path is the folder of the .kti file (with its trailing separator)
// followed directly by "file"; it must fit in 259 bytes.
#pragma once

#include <string>
#include <string_view>

#include "tools/ToolList.h"

// Why a tool information file gives no entry. Each is shown to the user as its own
// message; nothing is registered.
enum class ToolInfoError {
    None,
    NoProgram,    // "file" is missing or empty: the entry could never start
    NameTooLong,  // "name" longer than kToolTextLimit
    PathTooLong,  // folder + "file" longer than kToolTextLimit
    BadType,      // "type" not -1, 0, 1 or 2 (or not a number)
};

// The drive and folder of path, up to and including its last "\", "/" or ":" (outside
// double-byte characters); empty when it has none.
std::string_view FolderOf(std::string_view path);

// The file name of path without its folder and without its last extension.
std::string_view StemOf(std::string_view path);

// Reads the entry that the text of a tool information file stored at ktiPath describes.
// A missing name takes the stem of the .kti file's name, so that the menu never shows an
// empty label. On an error, entry is left as it was.
ToolInfoError ParseToolInfo(std::string_view ktiText, std::string_view ktiPath, ToolEntry& entry);
