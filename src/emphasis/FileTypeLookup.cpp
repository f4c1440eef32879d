// The file-type lookup.
#include "emphasis/FileTypeLookup.h"

#include "config/ProfileFile.h"
#include "emphasis/EmphasisLoader.h"
#include "encoding/SjisBytes.h"

std::string FileNameExtension(const char* path)
{
    if (path == nullptr) return std::string();
    const char* dot = nullptr;
    for (const char* p = path; *p; ++p) {
        unsigned char b = static_cast<unsigned char>(*p);
        if (sjis::IsLeadByte(b)) {
            if (p[1] == 0) break;
            ++p;
        } else if (b == '\\' || b == '/' || b == ':') {
            dot = nullptr;  // a new name begins
        } else if (b == '.') {
            dot = p;
        }
    }
    return dot ? std::string(dot + 1) : std::string();
}

std::string FileTypeEnvironment(const EmphasisState& state, const char* path)
{
    std::string extension = FileNameExtension(path);
    if (extension.empty() || state.settings == nullptr) return std::string();
    if (!SetSection(*state.settings, "FileType")) return std::string();
    char environment[260] = {};
    GetString(*state.settings, extension.c_str(), environment, sizeof environment);
    return environment;
}

bool ApplyFileType(EmphasisState& state, int view, const char* path)
{
    std::string environment = FileTypeEnvironment(state, path);
    if (environment.empty()) {
        // A file without an environment must not keep the colours of what the view held.
        if (state.host.clearEmphasis) state.host.clearEmphasis(state.host.context, view, 1);
        return false;
    }
    LoadEmphasisFile(state, view, environment.c_str());
    return true;
}
