// The worker of find in files and its hand-over to the window.
#include "search/win32/FindInFilesRun.h"

#include "encoding/NameText.h"
#include "search/FileSearchResults.h"

namespace {

constexpr DWORD kPostEveryMs = 50;  // at most this long between news and their message

// Posts the news message unless one is on its way.
void Announce(FindInFilesRun& run, HWND window, UINT message)
{
    if (!run.posted.exchange(true) && !PostMessageW(window, message, 0, 0)) run.posted = false;
}

void Work(FindInFilesRun& run, HWND window, UINT message, std::filesystem::path folder, FileSearchRequest request)
{
    const DWORD start = GetTickCount();
    DWORD lastPost = start;
    auto due = [&] {
        const DWORD now = GetTickCount();
        if (now - lastPost < kPostEveryMs) return false;
        lastPost = now;
        return true;
    };
    FileSearchTotals totals;
    try {
        totals = SearchFiles(
            folder, request,
            [&](const FileSearchHit& hit) {
                std::string line = FormatResultLine(InternalPath(hit.path), hit.line, hit.column, hit.text) + "\r\n";
                std::lock_guard<std::mutex> hold(run.lock);
                run.lines += line;
            },
            [&](const std::filesystem::path& path, std::size_t searched) {
                if (due()) {
                    {
                        std::lock_guard<std::mutex> hold(run.lock);
                        run.currentFile = InternalPath(path);
                        run.filesSearched = searched;
                    }
                    Announce(run, window, message);
                }
                return !run.cancel;
            });
    } catch (...) {
        // Memory ran out: what was found stands.
    }
    {
        std::lock_guard<std::mutex> hold(run.lock);
        run.totals = totals;
        run.filesSearched = totals.filesSearched;
        run.elapsedMs = GetTickCount() - start;
        run.finished = true;
    }
    run.posted = false;  // the last message always goes
    Announce(run, window, message);
}

}  // namespace

std::string InternalPath(const std::filesystem::path& path)
{
    const std::wstring& wide = path.native();
    std::u16string_view utf16(reinterpret_cast<const char16_t*>(wide.data()), wide.size());
    std::string internal;
    if (!IsNameHeld(utf16)) {
        wchar_t shortPath[MAX_PATH];
        DWORD n = GetShortPathNameW(wide.c_str(), shortPath, MAX_PATH);
        if (n > 0 && n < MAX_PATH) utf16 = std::u16string_view(reinterpret_cast<const char16_t*>(shortPath), n);
        NameFromUtf16(utf16, internal);
        return internal;
    }
    NameFromUtf16(utf16, internal);
    return internal;
}

FindInFilesRun::~FindInFilesRun() { StopFindInFiles(*this); }

bool StartFindInFiles(FindInFilesRun& run, HWND window, UINT message, const std::string& folder,
                      const FileSearchRequest& request)
{
    StopFindInFiles(run);
    std::u16string utf16;
    if (!NameToUtf16(folder, utf16)) return false;
    std::filesystem::path path(std::wstring(utf16.begin(), utf16.end()));
    {
        std::lock_guard<std::mutex> hold(run.lock);
        run.lines.clear();
        run.currentFile.clear();
        run.filesSearched = 0;
        run.finished = false;
        run.totals = FileSearchTotals();
    }
    run.cancel = false;
    run.posted = false;
    try {
        run.worker = std::thread(&Work, std::ref(run), window, message, std::move(path), request);
    } catch (...) {
        return false;
    }
    return true;
}

FindInFilesNews TakeFindInFilesNews(FindInFilesRun& run)
{
    FindInFilesNews news;
    {
        std::lock_guard<std::mutex> hold(run.lock);
        news.lines.swap(run.lines);
        news.currentFile = run.currentFile;
        news.filesSearched = run.filesSearched;
        news.finished = run.finished;
        news.totals = run.totals;
        news.elapsedMs = run.elapsedMs;
    }
    if (news.finished) {
        if (run.worker.joinable()) run.worker.join();
    } else {
        run.posted = false;
    }
    return news;
}

void CancelFindInFiles(FindInFilesRun& run) { run.cancel = true; }

bool IsFindInFilesRunning(const FindInFilesRun& run) { return run.worker.joinable(); }

void StopFindInFiles(FindInFilesRun& run)
{
    run.cancel = true;
    if (run.worker.joinable()) run.worker.join();
}
