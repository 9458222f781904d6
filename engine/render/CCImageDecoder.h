// Decodes pictures ahead of time on one background thread, so that building a
// screen only has to upload pixels that are already there. The worker does
// nothing but turn files into pixels (CCImage::decodeFile): no engine object,
// no log line and no GL call ever runs on it. The engine thread hands it the
// pictures it wants and takes finished pixels back through one locked store.
// Which pictures to want is the texture cache's caller's business.
#pragma once

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace cc {

class CCImageDecoder {
public:
    static CCImageDecoder& shared();
    // Stops the worker (after the picture it is decoding) and drops everything.
    ~CCImageDecoder();

    // The pictures (full paths) wanted soon, replacing the previous list:
    // each is decoded in the background unless its pixels are ready or on
    // their way; pictures wanted before and not now are dropped, and those
    // not started yet are never decoded.
    void want(const std::vector<std::string>& fullPaths);
    // The pixels of a wanted picture, which is wanted no more afterwards: at
    // once when ready, after a wait when the worker is decoding it right now.
    // False when it was not wanted, not started yet, or could not be decoded;
    // the caller then decodes it itself (and says why it failed).
    bool take(const std::string& fullPath, std::vector<unsigned char>& rgba, int& width, int& height);

    bool isWanted(const std::string& fullPath) const;
    // Pictures whose pixels are ready, and their size in bytes.
    size_t readyCount() const;
    size_t readyBytes() const;
    // Blocks until every wanted picture is decoded, or waits for room in the
    // store (tests and benchmarks).
    void waitUntilDone();

    // Decoded pixels waiting to be taken stay under this many bytes: the
    // worker decodes the next wanted picture only while there is room, so a
    // long list (a grid of many pages) cannot fill the memory. The pictures
    // without room are decoded when room is made, or by the caller.
    static constexpr size_t kStoreBytes = 16u * 1024 * 1024;

private:
    CCImageDecoder() = default;
    CCImageDecoder(const CCImageDecoder&) = delete;
    CCImageDecoder& operator=(const CCImageDecoder&) = delete;

    enum class State { Queued, Decoding, Ready, Failed };
    struct Picture {
        State state = State::Queued;
        std::vector<unsigned char> rgba;
        int width = 0, height = 0;
    };

    void work();
    void startWorker();
    void drop(std::map<std::string, Picture>::iterator it);

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;    // the worker: something queued, or stop
    std::condition_variable m_settled; // the engine thread: a decode finished
    std::map<std::string, Picture> m_pictures; // what is wanted, by full path
    std::deque<std::string> m_queue;           // decoding order
    size_t m_readyBytes = 0;                   // pixels held in m_pictures
    std::thread m_worker;
    bool m_stop = false;
};

} // namespace cc
