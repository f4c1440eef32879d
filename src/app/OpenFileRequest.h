// OpenFileRequest: the fixed 272-byte record that another process sends with WM_COPYDATA
// code 100 to have the running editor open a file. Its layout crosses process boundaries
// and never changes: bytes 0-263 the zero-terminated path in the system ANSI code page,
// 264-267 the open mode (32-bit signed, little-endian), 268 the show-errors flag (0 or 1),
// 269-271 reserved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

constexpr unsigned long COPYDATA_OPEN_FILE = 100;
constexpr unsigned long COPYDATA_INSERT_TEXT = 101;
constexpr unsigned long COPYDATA_REPLACE_TEXT = 102;

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
