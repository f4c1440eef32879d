// The manifest beside the executable that asks for version 6 of the common controls, so
// that the program's windows take the system's visual style from the next start on.
#pragma once

#include <cstddef>
#include <string>

extern const char kManifestText[];
constexpr size_t kManifestLength = 520;

// The running module's full path followed by ".manifest"; empty when the path cannot be
// named.
std::wstring ProgramManifestPath();

bool ManifestExists(const std::wstring& path);
// Writes the text through the atomic writer; true when all of it is on disk.
bool WriteManifest(const std::wstring& path);
bool DeleteManifest(const std::wstring& path);
