// The time stretch on tones made here: the length scales with 1 / speed,
// the frequency stays, the pieces a reader asks for do not change the
// result, and an empty track ends at once.
#include "ToneTestSupport.h"

#include "audio/TimeStretch.h"

#include <gtest/gtest.h>

using namespace cc;
using namespace tonetest;

namespace {
std::vector<int16_t> readAll(TimeStretch& stretch, int piece, int channels)
{
    std::vector<int16_t> out, buffer(static_cast<size_t>(piece) * channels);
    int guard = 0;
    while (!stretch.ended() && ++guard < 100000) {
        const int got = stretch.read(buffer.data(), piece);
        out.insert(out.end(), buffer.begin(), buffer.begin() + static_cast<size_t>(got) * channels);
    }
    return out;
}
} // namespace

TEST(TimeStretch, LengthFollowsTheSpeedAndThePitchStays)
{
    for (float speed : {0.5f, 0.75f, 1.25f, 1.5f, 2.0f}) {
        for (int channels : {1, 2}) {
            TimeStretch stretch(sine(1.0, 220, channels), channels, kRate, speed);
            ASSERT_TRUE(stretch.isReady());
            const Measured m = measure(readAll(stretch, 512, channels), channels);
            EXPECT_NEAR(1.0 / speed, m.seconds, 0.02 / speed) << speed << "x, " << channels << " channels";
            EXPECT_NEAR(220.0, m.frequency, 220.0 * 0.03) << speed << "x, " << channels << " channels";
        }
    }
}

TEST(TimeStretch, PiecesOfAnySizeGiveTheSameFramesAsTheDurationProbe)
{
    const std::vector<int16_t> tone = sine(0.7, 180, 2);
    const long probe = TimeStretch::stretchedFrames(tone, 2, kRate, 0.5f);
    EXPECT_NEAR(1.4 * kRate, static_cast<double>(probe), 0.02 * 1.4 * kRate);
    for (int piece : {1, 100, 512, 4096, 100000}) {
        TimeStretch stretch(tone, 2, kRate, 0.5f);
        const std::vector<int16_t> out = readAll(stretch, piece, 2);
        EXPECT_EQ(probe, static_cast<long>(out.size() / 2)) << "pieces of " << piece;
        // Nothing more comes once it ended.
        int16_t spare[8];
        EXPECT_EQ(0, stretch.read(spare, 4));
    }
}

TEST(TimeStretch, NothingToStretchEndsAtOnce)
{
    TimeStretch empty({}, 2, kRate, 0.5f);
    EXPECT_FALSE(empty.isReady());
    EXPECT_TRUE(empty.ended());
    int16_t out[4];
    EXPECT_EQ(0, empty.read(out, 2));
    EXPECT_EQ(0, TimeStretch::stretchedFrames({}, 2, kRate, 2.0f));
    TimeStretch noSpeed(sine(0.1, 220, 1), 1, kRate, 0.0f);
    EXPECT_TRUE(noSpeed.ended());

    EXPECT_TRUE(isUnstretchedSpeed(1.0f));
    EXPECT_TRUE(isUnstretchedSpeed(1.00001f));
    EXPECT_FALSE(isUnstretchedSpeed(0.75f));
    EXPECT_FALSE(isUnstretchedSpeed(1.25f));
}

TEST(TimeStretch, SlowingDownKeepsTheSilenceBeforeTheFirstSoundAsRecorded)
{
    // 50 ms of silence, then a 1 s tone.
    std::vector<int16_t> track(static_cast<size_t>(0.05 * kRate) * 2, 0);
    const std::vector<int16_t> tone = sine(1.0, 220, 2);
    track.insert(track.end(), tone.begin(), tone.end());
    auto firstSound = [](const std::vector<int16_t>& s) {
        for (size_t i = 0; i < s.size(); ++i)
            if (std::abs(s[i]) > 200) return static_cast<double>(i / 2) / kRate;
        return -1.0;
    };

    TimeStretch slow(track, 2, kRate, 0.5f);
    const std::vector<int16_t> slowOut = readAll(slow, 512, 2);
    EXPECT_NEAR(0.05, firstSound(slowOut), 0.002);
    EXPECT_NEAR(2.0, measure(slowOut, 2).seconds, 0.04);
    EXPECT_NEAR(2.05, static_cast<double>(slowOut.size() / 2) / kRate, 0.04);

    // Speeding up shortens the silence with everything else.
    TimeStretch fast(track, 2, kRate, 2.0f);
    const std::vector<int16_t> fastOut = readAll(fast, 512, 2);
    EXPECT_LT(firstSound(fastOut), 0.04);
    EXPECT_NEAR(0.5, measure(fastOut, 2).seconds, 0.01);
}
