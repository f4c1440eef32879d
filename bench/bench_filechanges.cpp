// The check for other programs' changes when the main window is activated: the stamps of
// 100 open files of 200 KB each read and compared. Peer in the same run: stat() of the
// same files, the least any check can do.
#include <benchmark/benchmark.h>

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "documents/FileChanges.h"
#include "files/FolderAccess.h"

namespace {

const std::vector<std::string>& Files()
{
    static const std::vector<std::string> files = [] {
        std::vector<std::string> made;
        const std::string body(200 * 1024, 'x');
        for (int i = 0; i < 100; ++i) {
            made.push_back("/tmp/kvte-bench-change-" + std::to_string(i) + ".txt");
            std::ofstream(made.back(), std::ios::binary) << body;
        }
        return made;
    }();
    return files;
}

void BM_ChangeCheck100Files(benchmark::State& state)
{
    const std::vector<std::string>& files = Files();
    std::vector<FileStamp> kept;
    for (const std::string& file : files) kept.push_back(ReadFileStamp(file.c_str()));
    for (auto _ : state) {
        int changed = 0;
        for (size_t i = 0; i < files.size(); ++i) {
            const FileStamp now = ReadFileStamp(files[i].c_str());
            changed += DecideOnChange(true, false, kept[i], now, 0) != ChangeAction::None;
        }
        benchmark::DoNotOptimize(changed);
    }
}
BENCHMARK(BM_ChangeCheck100Files)->Unit(benchmark::kMillisecond);

void BM_ChangeCheck100Files_PeerStat(benchmark::State& state)
{
    const std::vector<std::string>& files = Files();
    for (auto _ : state) {
        long long total = 0;
        for (const std::string& file : files) {
            struct stat info;
            if (::stat(file.c_str(), &info) == 0) total += info.st_size;
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ChangeCheck100Files_PeerStat)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
