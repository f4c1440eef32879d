// The manifest file: its fixed text and its place beside the executable.
#include "options/win32/Manifest.h"

#include <windows.h>


#include "files/FileAccess.h"

const char kManifestText[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
    "\r\n"
    "<description></description>\r\n"
    "<dependency>\r\n"
    "    <dependentAssembly>\r\n"
    "        <assemblyIdentity\r\n"
    "            type=\"win32\"\r\n"
    "            name=\"Microsoft.Windows.Common-Controls\"\r\n"
    "            version=\"6.0.0.0\"\r\n"
    "            processorArchitecture=\"X86\"\r\n"
    "            publicKeyToken=\"6595b64144ccf1df\"\r\n"
    "            language=\"*\"\r\n"
    "        />\r\n"
    "    </dependentAssembly>\r\n"
    "</dependency>\r\n"
    "</assembly>\r\n";

static_assert(sizeof kManifestText - 1 == kManifestLength, "the manifest is 520 bytes");

std::wstring ProgramManifestPath()
{
    // Long paths are allowed here: the module's path is not limited to 260 characters.
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) return std::wstring();
    path.resize(length);
    return path + L".manifest";
}

bool ManifestExists(const std::wstring& path)
{
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteManifest(const std::wstring& path)
{
    return !path.empty() && ReplaceWholeFile(path.c_str(), kManifestText, kManifestLength).Ok();
}

bool DeleteManifest(const std::wstring& path) { return !path.empty() && DeleteFileW(path.c_str()) != 0; }
