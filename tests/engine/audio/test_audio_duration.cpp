// Audio on the frame driver's clock, polled from a scheduler timer the way
// narration polls it: the first silent tick is the first one at or after the
// decoded end of the track.
#include "AudioTestFiles.h"

#include "audio/SimpleAudioEngine.h"
#include "audio/SimulatedAudioBackend.h"
#include "platform/FrameDriver.h"
#include "scene/CCLayer.h"
#include "scene/CCScene.h"

#include <gtest/gtest.h>

#include <vector>

using namespace cc;

namespace {

// Polls the music channel every half second and remembers what it saw.
class PollingLayer : public CCLayer {
public:
    CREATE_FUNC(PollingLayer);
    bool init() override
    {
        if (!CCLayer::init()) {
            return false;
        }
        schedule(schedule_selector(PollingLayer::tick), kPollInterval);
        return true;
    }
    void tick(float)
    {
        SimulatedAudioBackend* sim = SimpleAudioEngine::sharedEngine()->simulatedBackend();
        seen.push_back({sim->now(), SimpleAudioEngine::sharedEngine()->isBackgroundMusicPlaying()});
    }

    static constexpr float kPollInterval = 0.5f;
    struct Sample {
        double time;
        bool playing;
    };
    std::vector<Sample> seen;
};

} // namespace

TEST(AudioOnFrameClock, PollingTicksSeeTheTrackEndAtItsDecodedDuration)
{
    FrameDriver driver;
    SimulatedAudioBackend* sim = SimpleAudioEngine::sharedEngine()->useSimulatedBackend();
    // The driver advances the simulated backend on its own clock and ends
    // the audio engine when it goes.

    CCScene* scene = CCScene::create();
    PollingLayer* layer = PollingLayer::create();
    scene->addChild(layer);
    driver.show(scene);

    const double start = sim->now();
    SimpleAudioEngine::sharedEngine()->playBackgroundMusic(audioTestFile("tone_long.mp3").c_str());
    const double end = start + sim->last(AudioEvent::Kind::Play)->duration;
    driver.advance(3.0);

    EXPECT_DOUBLE_EQ(sim->now(), driver.now());
    ASSERT_GE(layer->seen.size(), 5u);
    size_t firstSilent = layer->seen.size();
    for (size_t i = 0; i < layer->seen.size(); ++i) {
        EXPECT_EQ(layer->seen[i].playing, layer->seen[i].time < end) << "tick at " << layer->seen[i].time;
        if (!layer->seen[i].playing && firstSilent == layer->seen.size()) {
            firstSilent = i;
        }
    }
    // A track of about 1.55 s: ticks near 0.5, 1.0 and 1.5 hear it, the one
    // near 2.0 does not.
    EXPECT_EQ(firstSilent, 3u);
    ASSERT_LT(firstSilent, layer->seen.size());
    EXPECT_GE(layer->seen[firstSilent].time, end);
    EXPECT_LT(layer->seen[firstSilent].time - end, PollingLayer::kPollInterval + driver.frameTime());
}
