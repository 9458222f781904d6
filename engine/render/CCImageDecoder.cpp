// The background decoder: one worker, one mutex over the wanted pictures and
// their queue. The worker holds the lock only to pick the next picture and to
// store its pixels, never while decoding.
#include "render/CCImageDecoder.h"

#include "render/CCImage.h"

#include <algorithm>

namespace cc {

CCImageDecoder& CCImageDecoder::shared()
{
    // Destroyed at process exit, which joins the worker.
    static CCImageDecoder decoder;
    return decoder;
}

CCImageDecoder::~CCImageDecoder()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
        m_queue.clear();
    }
    m_wake.notify_all();
    if (m_worker.joinable()) m_worker.join();
}

void CCImageDecoder::startWorker()
{
    if (!m_worker.joinable()) m_worker = std::thread([this] { work(); });
}

void CCImageDecoder::drop(std::map<std::string, Picture>::iterator it)
{
    m_readyBytes -= it->second.rgba.size();
    m_pictures.erase(it);
}

void CCImageDecoder::want(const std::vector<std::string>& fullPaths)
{
    bool queued = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (auto it = m_pictures.begin(); it != m_pictures.end();) {
            if (std::find(fullPaths.begin(), fullPaths.end(), it->first) == fullPaths.end()) {
                // A decode under way finds its picture gone and drops the pixels.
                auto gone = it++;
                drop(gone);
            } else {
                ++it;
            }
        }
        m_queue.erase(std::remove_if(m_queue.begin(), m_queue.end(),
                                     [this](const std::string& p) { return m_pictures.count(p) == 0; }),
                      m_queue.end());
        for (const std::string& path : fullPaths) {
            if (path.empty() || m_pictures.count(path)) continue;
            m_pictures[path] = Picture();
            m_queue.push_back(path);
            queued = true;
        }
        if (queued) startWorker();
    }
    // Dropped pictures may have made room too.
    m_wake.notify_one();
}

bool CCImageDecoder::take(const std::string& fullPath, std::vector<unsigned char>& rgba, int& width, int& height)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    auto it = m_pictures.find(fullPath);
    if (it == m_pictures.end()) return false;
    if (it->second.state == State::Queued) {
        // Waiting behind other pictures would cost more than decoding it now.
        m_queue.erase(std::remove(m_queue.begin(), m_queue.end(), fullPath), m_queue.end());
        drop(it);
        return false;
    }
    m_settled.wait(lock, [&] {
        auto p = m_pictures.find(fullPath);
        return p == m_pictures.end() || p->second.state != State::Decoding;
    });
    it = m_pictures.find(fullPath);
    if (it == m_pictures.end()) return false;
    const bool ready = it->second.state == State::Ready;
    if (ready) {
        m_readyBytes -= it->second.rgba.size();
        rgba = std::move(it->second.rgba);
        it->second.rgba.clear();
        width = it->second.width;
        height = it->second.height;
    }
    drop(it);
    lock.unlock();
    m_wake.notify_one(); // room for the next picture
    return ready;
}

bool CCImageDecoder::isWanted(const std::string& fullPath) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pictures.count(fullPath) > 0;
}

size_t CCImageDecoder::readyCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<size_t>(std::count_if(m_pictures.begin(), m_pictures.end(),
                                             [](const auto& p) { return p.second.state == State::Ready; }));
}

size_t CCImageDecoder::readyBytes() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_readyBytes;
}

void CCImageDecoder::waitUntilDone()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_settled.wait(lock, [this] {
        const bool busy = std::any_of(m_pictures.begin(), m_pictures.end(),
                                      [](const auto& p) { return p.second.state == State::Decoding; });
        return !busy && (m_queue.empty() || m_readyBytes >= kStoreBytes);
    });
}

void CCImageDecoder::work()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || (!m_queue.empty() && m_readyBytes < kStoreBytes); });
        if (m_stop) return;
        const std::string path = m_queue.front();
        m_queue.pop_front();
        auto it = m_pictures.find(path);
        if (it == m_pictures.end() || it->second.state != State::Queued) continue;
        it->second.state = State::Decoding;
        lock.unlock();

        Picture done;
        std::string why; // the engine thread says it again if it decodes the picture itself
        done.state = CCImage::decodeFile(path, done.rgba, done.width, done.height, why) ? State::Ready
                                                                                         : State::Failed;
        lock.lock();
        it = m_pictures.find(path);
        if (it != m_pictures.end() && it->second.state == State::Decoding) {
            it->second = std::move(done);
            m_readyBytes += it->second.rgba.size();
        }
        m_settled.notify_all();
    }
}

} // namespace cc
