// One open text: its file, its flags and its place in the tab order. Every document is
// shown by one view of the editing control whose id is the document's slot.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "encoding/EncodingTypes.h"
#include "files/FolderAccess.h"

// Paths and names are InternalText of at most this many bytes.
constexpr std::size_t kMaxPathBytes = 260;

// "無題" in InternalText: the label, tooltip and question text of an untitled document.
constexpr char kUntitledName[] = "\x96\xb3\x91\xe8";

struct Document {
    std::string fileName;  // name and extension without folders; empty: untitled
    std::string filePath;  // full path; empty: untitled
    bool modified = false;
    bool writable = true;  // false: write-protected
    bool wrapped = false;  // lines wrap at the window edge
    // The results of find in files: made by the program, never saved, asked about or kept
    // for another run.
    bool findResults = false;
    int tabPosition = 0;
    EncodingCode encoding = EncodingCode::ShiftJis;  // as recognised when the file was read
    // The user chose encoding (opening, reopening or saving as it): saving writes it
    // instead of what [main] kanji says.
    bool encodingChosen = false;
    // The line ending chosen in Save As (Crlf, Cr or Lf), which saving writes instead of
    // what [main] retline says; Automatic: none chosen.
    LineEndingCode lineEnding = LineEndingCode::Automatic;
    // The code points its file used for 〜 and its kin (UTF-8, UTF-16), which saving writes.
    UnicodeForm unicodeForm = UnicodeForm::Windows;
    // The view window's own procedure, kept when the program subclassed it; opaque here.
    std::uintptr_t savedWindowProc = 0;
    // The loaded text is not the file's content (characters the conversion had to
    // replace): writing it back to the same file would lose data, so saving there asks
    // first. A save or a new load clears it.
    bool loadedLossily = false;
    // The file as this document last read or wrote it: another program's change shows as
    // a different stamp.
    FileStamp stamp;
};

// filePath becomes path, fileName its last component (after the last '\' or '/' that is
// not the trail byte of a double-byte character), and modified false.
void SetPath(Document& document, std::string_view path);

// The folder of path without a closing separator, except a drive's root ("C:\"); empty
// when path names no folder.
std::string FolderOfPath(std::string_view path);

// Untitled, unchanged and writable: a file may be opened into it instead of a new tab.
bool IsReusable(const Document& document);
