// RecoveryWriter: one worker thread that finishes and writes recovery copies, so that the
// check sum and the disk never hold up typing. It touches no window and no document: it
// gets finished bytes or a name to remove. Requests run in the order given, so a copy
// removed after a save is never written again by an older request that was still queued.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

class RecoveryWriter {
public:
    RecoveryWriter() = default;
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;
    // Finishes every request still queued, then stops the thread.
    ~RecoveryWriter();

    // Appends the trailer to bytes (a record header and textLength bytes of text) and
    // writes them to path through the atomic writer.
    void Write(std::string path, std::string bytes, std::uint64_t textLength);
    void Remove(std::string path);
    // Returns when every request given before has been carried out.
    void Flush();
    // Requests whose write failed since the start (the disk full, the folder gone).
    unsigned Failures() const;

private:
    struct Request {
        std::string path;
        std::string bytes;
        std::uint64_t textLength = 0;
        bool remove = false;
    };
    void Post(Request request);
    void Run();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Request> queue_;
    bool busy_ = false;
    bool stopping_ = false;
    unsigned failures_ = 0;
    std::thread thread_;  // started by the first request
};
