// Building and checking the records that other processes send.
#include "app/OpenFileRequest.h"

#include <cstring>

bool MakeOpenFileRequest(std::string_view ansiPath, std::int32_t mode, bool showErrors, OpenFileRequest& request)
{
    std::memset(&request, 0, sizeof request);
    if (ansiPath.size() >= sizeof request.path || ansiPath.find('\0') != std::string_view::npos) return false;
    std::memcpy(request.path, ansiPath.data(), ansiPath.size());
    // The record is little-endian on the wire whatever the host is.
    auto m = static_cast<std::uint32_t>(mode);
    unsigned char bytes[4] = {static_cast<unsigned char>(m), static_cast<unsigned char>(m >> 8),
                              static_cast<unsigned char>(m >> 16), static_cast<unsigned char>(m >> 24)};
    std::memcpy(&request.mode, bytes, 4);
    request.showErrors = showErrors ? 1 : 0;
    return true;
}

bool ReadOpenFileRequest(const void* data, std::size_t size, OpenFileRequest& request)
{
    if (data == nullptr || size < sizeof(OpenFileRequest)) return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (std::memchr(bytes, 0, sizeof request.path) == nullptr) return false;
    std::memcpy(&request, bytes, sizeof request);
    std::uint32_t m = std::uint32_t(bytes[264]) | std::uint32_t(bytes[265]) << 8 | std::uint32_t(bytes[266]) << 16 |
                      std::uint32_t(bytes[267]) << 24;
    request.mode = static_cast<std::int32_t>(m);
    request.showErrors = bytes[268] != 0 ? 1 : 0;
    return true;
}

bool ReadCopyDataText(const void* data, std::size_t size, std::string_view& text)
{
    if (data == nullptr) return false;
    const char* bytes = static_cast<const char*>(data);
    const void* zero = std::memchr(bytes, 0, size);
    if (zero == nullptr) return false;
    text = std::string_view(bytes, static_cast<std::size_t>(static_cast<const char*>(zero) - bytes));
    return true;
}

bool MakeOpenFileAsRequest(std::string_view ansiPath, std::int32_t mode, bool showErrors, std::string_view code,
                           OpenFileAsRequest& request)
{
    std::memset(&request, 0, sizeof request);
    EncodingCode named;
    if (code.size() >= sizeof request.code || !EncodingForName(code, false, named)) return false;
    std::memcpy(request.code, code.data(), code.size());
    return MakeOpenFileRequest(ansiPath, mode, showErrors, request.file);
}

bool ReadOpenFileAsRequest(const void* data, std::size_t size, OpenFileAsRequest& request, EncodingCode& code)
{
    if (data == nullptr || size < sizeof(OpenFileAsRequest)) return false;
    const char* name = static_cast<const char*>(data) + sizeof(OpenFileRequest);
    const void* end = std::memchr(name, 0, sizeof request.code);
    if (end == nullptr || !EncodingForName(std::string_view(name, static_cast<std::size_t>(static_cast<const char*>(end) - name)), false, code))
        return false;
    std::memcpy(request.code, name, sizeof request.code);
    return ReadOpenFileRequest(data, sizeof(OpenFileRequest), request.file);
}
