// Times the settings file's two costly moments: the first start (the default text and the
// whole upgrade chain written into a folder without "kvte.ini") and a caller writing 20
// keys. Built natively and as a Windows console program; run the latter under Wine.
//   settings_timing FOLDER [ROUNDS]
// FOLDER must exist; its kvte.ini is created and removed again.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/ProfileBatch.h"
#include "config/SettingsFile.h"
#include "files/FileAccess.h"

namespace {

using Clock = std::chrono::steady_clock;

template <typename Step>
void Report(const char* what, int rounds, Step step)
{
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        Clock::time_point start = Clock::now();
        step();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-34s median %8.2f ms   min %8.2f ms   (%d rounds)\n", what, ms[ms.size() / 2], ms.front(), rounds);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs("usage: settings_timing FOLDER [ROUNDS]\n", stderr);
        return 2;
    }
    std::string folder = argv[1];
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    const std::string path = folder + "kvte.ini";

    ProfileFile settings;
    Report("first start (create + upgrade)", rounds, [&] {
        std::remove(path.c_str());
        PrepareSettingsFile(settings, path.c_str(), nullptr, nullptr);
    });
    Report("20 keys, one write each", rounds, [&] {
        SetSection(settings, "main");
        for (int k = 0; k < 20; ++k) WriteInt(settings, ("key" + std::to_string(k)).c_str(), k);
    });
    Report("20 keys in one batch", rounds, [&] {
        ProfileBatch batch;
        BeginBatch(batch, settings);
        SetSection(batch, "main");
        for (int k = 0; k < 20; ++k) WriteInt(batch, ("key" + std::to_string(k)).c_str(), k);
        CommitBatch(batch);
    });
    std::remove(path.c_str());
    return 0;
}
