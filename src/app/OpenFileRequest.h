// OpenFileRequest: the fixed 272-byte record that another process sends with WM_COPYDATA
// code 100 to have the running editor open a file. Its layout crosses process boundaries
// and never changes: bytes 0-263 the zero-terminated path in the system ANSI code page,
// 264-267 the open mode (32-bit signed, little-endian), 268 the show-errors flag (0 or 1),
// 269-271 reserved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "encoding/EncodingTypes.h"

constexpr unsigned long COPYDATA_OPEN_FILE = 100;
constexpr unsigned long COPYDATA_INSERT_TEXT = 101;
constexpr unsigned long COPYDATA_REPLACE_TEXT = 102;
constexpr unsigned long COPYDATA_OPEN_FILE_AS = 103;

#pragma pack(push, 1)
struct OpenFileRequest {
    char path[264];
    std::int32_t mode;
    std::uint8_t showErrors;
    std::uint8_t reserved[3];
};
#pragma pack(pop)

static_assert(sizeof(OpenFileRequest) == 272, "OpenFileRequest is 272 bytes on the wire");
static_assert(offsetof(OpenFileRequest, mode) == 264, "mode at byte 264");
static_assert(offsetof(OpenFileRequest, showErrors) == 268, "show-errors flag at byte 268");

// OpenFileAsRequest: WM_COPYDATA code 103, an open request that names the encoding to read
// the file in (a second copy started with `-code=NAME`). Bytes 0-271 are code 100's record,
// 272-287 the encoding's name as `-code=` takes it, ASCII and zero-terminated.
#pragma pack(push, 1)
struct OpenFileAsRequest {
    OpenFileRequest file;
    char code[16];
};
#pragma pack(pop)

static_assert(sizeof(OpenFileAsRequest) == 288, "OpenFileAsRequest is 288 bytes on the wire");

// Fills a request; false when the path does not fit or code is no encoding's name.
bool MakeOpenFileAsRequest(std::string_view ansiPath, std::int32_t mode, bool showErrors, std::string_view code,
                           OpenFileAsRequest& request);
// Reads a received one as ReadOpenFileRequest does; false also when the name has no
// terminator in its 16 bytes or names no encoding. code receives the encoding named.
bool ReadOpenFileAsRequest(const void* data, std::size_t size, OpenFileAsRequest& request, EncodingCode& code);

// Fills a request; false when the path (ANSI bytes) does not fit with its terminator.
bool MakeOpenFileRequest(std::string_view ansiPath, std::int32_t mode, bool showErrors, OpenFileRequest& request);

// Reads a received request from size bytes of data. False, without reading past the
// data, when it is shorter than the record or its path has no terminator in its 264
// bytes. A show-errors byte other than 0 counts as 1.
bool ReadOpenFileRequest(const void* data, std::size_t size, OpenFileRequest& request);

// The text of a COPYDATA_INSERT_TEXT / COPYDATA_REPLACE_TEXT message: the bytes up to the
// first zero within size. False when there is no zero within the data (a sender's text
// must be terminated; reading on would pass the end of its buffer).
bool ReadCopyDataText(const void* data, std::size_t size, std::string_view& text);
