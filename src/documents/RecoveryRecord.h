// The recovery copy of one modified document: everything needed to give it back after a
// crash or a power cut, as one byte record that is either read whole or refused.
//
// Layout (integers little-endian):
//   8 bytes  "KVTERCV\x1a"
//   u32      layout version (kRecoveryVersion)
//   u32      n, the number of properties, then n times: u32 length, key; u32 length, value
//   the text (the view's own line ending), up to the trailer
//   u64      the text's length
//   u32      CRC-32 of every byte before it
// Properties are text (numbers in decimal), so a later program may add keys without a new
// layout version: a reader keeps keys it does not know in `extra` and writes them back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "encoding/EncodingTypes.h"
#include "files/FolderAccess.h"

constexpr std::uint32_t kRecoveryVersion = 1;

struct RecoveryRecord {
    std::string path;  // InternalText; empty: untitled
    EncodingCode encoding = EncodingCode::ShiftJis;  // as the file was read
    bool loadedLossily = false;
    bool writable = true;
    int caretLine = 1;    // from 1
    int caretColumn = 1;  // byte column from 1
    FileStamp stamp;      // of the file when it was last read or saved
    std::vector<std::pair<std::string, std::string>> extra;  // properties kept as read
    std::string text;
};

enum class RecoveryReadResult { Ok, Damaged, UnknownVersion };

// Everything before the text. The text follows it, then AppendRecoveryTrailer, so a large
// text is copied once, straight into the record.
std::string RecoveryHeader(const RecoveryRecord& record);
// Appends the trailer to bytes, which holds a header and then textLength bytes of text.
void AppendRecoveryTrailer(std::string& bytes, std::uint64_t textLength);
// The whole record of record (header, its text, trailer).
std::string WriteRecoveryRecord(const RecoveryRecord& record);

// Reads a record. Anything short, inconsistent or failing the check is Damaged and a
// layout this program does not know is UnknownVersion; record is then left as it was.
RecoveryReadResult ReadRecoveryRecord(std::string_view bytes, RecoveryRecord& record);

std::uint32_t Crc32(const char* data, std::size_t length, std::uint32_t crc = 0);
