// The recovery copies' worker thread.
#include "documents/RecoveryWriter.h"

#include <new>
#include <system_error>

#include "documents/RecoveryRecord.h"
#include "files/FileAccess.h"
#include "files/FolderAccess.h"

RecoveryWriter::~RecoveryWriter()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void RecoveryWriter::Write(std::string path, std::string bytes, std::uint64_t textLength)
{
    Post(Request{std::move(path), std::move(bytes), textLength, false});
}

void RecoveryWriter::Remove(std::string path) { Post(Request{std::move(path), std::string(), 0, true}); }

void RecoveryWriter::Post(Request request)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(std::move(request));
        if (!thread_.joinable()) {
            try {
                thread_ = std::thread(&RecoveryWriter::Run, this);
            } catch (const std::system_error&) {
                // No thread to be had: this request is carried out here, as Flush would.
                Request now = std::move(queue_.back());
                queue_.pop_back();
                if (now.remove) {
                    RemoveFile(now.path.c_str());
                } else {
                    AppendRecoveryTrailer(now.bytes, now.textLength);
                    if (!ReplaceWholeFile(now.path.c_str(), now.bytes.data(), now.bytes.size())) ++failures_;
                }
                return;
            }
        }
    }
    wake_.notify_one();
}

void RecoveryWriter::Flush()
{
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return queue_.empty() && !busy_; });
}

unsigned RecoveryWriter::Failures() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return failures_;
}

void RecoveryWriter::Run()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty()) return;  // stopping, and nothing left to do
        Request request = std::move(queue_.front());
        queue_.pop_front();
        busy_ = true;
        lock.unlock();
        bool ok = true;
        if (request.remove) {
            ok = RemoveFile(request.path.c_str());
        } else {
            try {
                AppendRecoveryTrailer(request.bytes, request.textLength);
                ok = ReplaceWholeFile(request.path.c_str(), request.bytes.data(), request.bytes.size()).Ok();
            } catch (const std::bad_alloc&) {
                ok = false;
            }
        }
        lock.lock();
        busy_ = false;
        if (!ok) ++failures_;
        if (queue_.empty()) idle_.notify_all();
    }
}
