// The shared audio engine: name resolution, clamping, logging, and the choice
// of backend.
#include "audio/SimpleAudioEngine.h"

#include "audio/MixerAudioBackend.h"
#include "audio/SimulatedAudioBackend.h"
#include "base/CCLog.h"
#include "platform/CCFileUtils.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace cc {

namespace {
SimpleAudioEngine* s_shared = nullptr;
} // namespace

SimpleAudioEngine* SimpleAudioEngine::sharedEngine()
{
    if (!s_shared) {
        s_shared = new SimpleAudioEngine();
    }
    return s_shared;
}

void SimpleAudioEngine::end()
{
    delete s_shared;
    s_shared = nullptr;
}

AudioBackend* SimpleAudioEngine::backend()
{
    if (!m_backend) {
        m_backend = std::make_unique<MixerAudioBackend>();
        m_backend->setSpeed(m_speed);
    }
    return m_backend.get();
}

void SimpleAudioEngine::setBackend(std::unique_ptr<AudioBackend> backend)
{
    if (m_backend) {
        m_backend->stop();
    }
    m_backend = std::move(backend);
    if (m_backend) {
        m_backend->setSpeed(m_speed);
    }
}

SimulatedAudioBackend* SimpleAudioEngine::simulatedBackend()
{
    return dynamic_cast<SimulatedAudioBackend*>(m_backend.get());
}

SimulatedAudioBackend* SimpleAudioEngine::useSimulatedBackend()
{
    auto simulated = std::make_unique<SimulatedAudioBackend>();
    SimulatedAudioBackend* raw = simulated.get();
    setBackend(std::move(simulated));
    return raw;
}

void SimpleAudioEngine::advanceSimulatedClock(double dt)
{
    if (!s_shared) {
        return;
    }
    if (SimulatedAudioBackend* simulated = s_shared->simulatedBackend()) {
        simulated->advance(dt);
    }
}

void SimpleAudioEngine::playBackgroundMusic(const char* path, bool /*loop*/)
{
    if (!path || !*path) {
        backend()->stop();
        CCLog("SimpleAudioEngine: cannot play music: no file name");
        return;
    }
    const std::string fullPath = CCFileUtils::sharedFileUtils()->fullPathForFilename(path);
    std::string error;
    if (!backend()->play(path, fullPath, error)) {
        CCLog("SimpleAudioEngine: cannot play %s: %s", path, error.c_str());
    }
}

void SimpleAudioEngine::stopBackgroundMusic() { backend()->stop(); }

void SimpleAudioEngine::prepareOutput() { backend()->prepare(); }

bool SimpleAudioEngine::isBackgroundMusicPlaying() { return backend()->isPlaying(); }

void SimpleAudioEngine::setBackgroundMusicVolume(float volume)
{
    // NaN fails both comparisons and ends up silent rather than loud.
    if (!(volume >= 0.0f)) {
        volume = 0.0f;
    } else if (volume > 1.0f) {
        volume = 1.0f;
    }
    backend()->setVolume(volume);
}

float SimpleAudioEngine::getBackgroundMusicVolume() { return backend()->volume(); }

void SimpleAudioEngine::setBackgroundMusicSpeed(float speed)
{
    if (std::isnan(speed)) {
        speed = 1.0f;
    }
    m_speed = std::min(kMaxMusicSpeed, std::max(kMinMusicSpeed, speed));
    // Only a backend already made hears of it; a new one is told when made,
    // so setting the speed never opens the sound device by itself.
    if (m_backend) {
        m_backend->setSpeed(m_speed);
    }
}

} // namespace cc
