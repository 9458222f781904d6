// The background decoder: wanted pictures are decoded off the engine thread
// into exactly the pixels the engine thread's own decoding gives; a new list
// drops what is no longer wanted; pictures not ready (or not wanted, or
// broken) are left for the caller to decode itself.
#include "RenderFixture.h"

#include "platform/CCFileUtils.h"
#include "render/CCImage.h"
#include "render/CCImageDecoder.h"

#include <cstdio>
#include <fstream>

namespace cc {
namespace rendertest {

namespace {
std::vector<unsigned char> decodedHere(const std::string& path, int& w, int& h)
{
    std::vector<unsigned char> rgba;
    std::string why;
    EXPECT_TRUE(CCImage::decodeFile(path, rgba, w, h, why)) << why;
    return rgba;
}
} // namespace

TEST(ImageDecoder, WantedPicturesAreDecodedInTheBackgroundAndTakenOnce)
{
    CCImageDecoder& decoder = CCImageDecoder::shared();
    decoder.want({});
    const std::string a = tempPath("decoder-a.png"), b = tempPath("decoder-b.png"), c = tempPath("decoder-c.png");
    ASSERT_TRUE(writePNG(a, 64, 32, [](int x, int y) { return ccc4(x * 3, y * 7, 90, 255); }));
    ASSERT_TRUE(writePNG(b, 20, 40, [](int x, int y) { return ccc4(200, x * 11, y * 5, 128); }));
    ASSERT_TRUE(writePNG(c, 8, 8, [](int, int) { return ccc4(1, 2, 3, 4); }));
    const std::string broken = tempPath("decoder-broken.png");
    std::ofstream(broken) << "not a picture";

    decoder.want({a, b, broken});
    EXPECT_TRUE(decoder.isWanted(a));
    decoder.waitUntilDone();
    EXPECT_EQ(decoder.readyCount(), 2u);
    EXPECT_EQ(decoder.readyBytes(), static_cast<size_t>(64 * 32 * 4 + 20 * 40 * 4));

    // The same pixels the engine thread would decode, handed over once.
    std::vector<unsigned char> pixels;
    int w = 0, h = 0, ew = 0, eh = 0;
    ASSERT_TRUE(decoder.take(a, pixels, w, h));
    EXPECT_EQ(pixels, decodedHere(a, ew, eh));
    EXPECT_EQ(w, ew);
    EXPECT_EQ(h, eh);
    EXPECT_FALSE(decoder.isWanted(a));
    EXPECT_FALSE(decoder.take(a, pixels, w, h));
    // A broken file is the caller's to decode (and to report).
    EXPECT_FALSE(decoder.take(broken, pixels, w, h));
    // Never wanted: nothing to take.
    EXPECT_FALSE(decoder.take(c, pixels, w, h));

    // A new list drops what it does not name and keeps what it does.
    decoder.want({b, c});
    decoder.waitUntilDone();
    EXPECT_EQ(decoder.readyCount(), 2u);
    decoder.want({c});
    EXPECT_FALSE(decoder.isWanted(b));
    EXPECT_FALSE(decoder.take(b, pixels, w, h));
    ASSERT_TRUE(decoder.take(c, pixels, w, h));
    EXPECT_EQ(pixels, decodedHere(c, ew, eh));

    // Many wanted at once, taken while the worker is still busy: each take
    // gives the right pixels or leaves the picture to the caller, never a
    // wrong or half-decoded one.
    std::vector<std::string> many;
    for (int i = 0; i < 12; ++i) {
        many.push_back(tempPath("decoder-many-" + std::to_string(i) + ".png"));
        ASSERT_TRUE(writePNG(many.back(), 300, 200, [i](int x, int y) { return ccc4(i * 20, x, y, 255); }));
    }
    decoder.want(many);
    for (const std::string& path : many) {
        if (decoder.take(path, pixels, w, h)) {
            EXPECT_EQ(pixels, decodedHere(path, ew, eh)) << path;
        }
        EXPECT_FALSE(decoder.isWanted(path));
    }
    decoder.want({});
    EXPECT_EQ(decoder.readyCount(), 0u);
    for (const std::string& f : many) std::remove(f.c_str());
    for (const std::string& f : {a, b, c, broken}) std::remove(f.c_str());
}

TEST(ImageDecoder, ReadyPixelsStayWithinTheStoreAndTakingMakesRoomForTheNext)
{
    CCImageDecoder& decoder = CCImageDecoder::shared();
    decoder.want({});
    // Six pictures of 4.8 MB: more than the store holds.
    const int w = 1200, h = 1000;
    const size_t bytes = static_cast<size_t>(w) * h * 4;
    std::vector<std::string> big;
    for (int i = 0; i < 6; ++i) {
        big.push_back(tempPath("decoder-big-" + std::to_string(i) + ".png"));
        ASSERT_TRUE(writePNG(big.back(), w, h, [i](int x, int y) { return ccc4(i * 40, x % 256, y % 256, 255); }));
    }
    decoder.want(big);
    decoder.waitUntilDone();
    const size_t first = decoder.readyCount();
    EXPECT_GE(first, 1u);
    EXPECT_LT(first, big.size());
    // The worker stops once the store is full: at most one picture beyond it.
    EXPECT_LT(decoder.readyBytes(), CCImageDecoder::kStoreBytes + bytes);
    // Taking the first ready one lets the next be decoded.
    std::vector<unsigned char> pixels;
    int pw = 0, ph = 0;
    ASSERT_TRUE(decoder.take(big[0], pixels, pw, ph));
    EXPECT_EQ(pixels.size(), bytes);
    decoder.waitUntilDone();
    EXPECT_EQ(decoder.readyCount(), std::min(first, big.size() - 1));
    EXPECT_TRUE(decoder.isWanted(big[first]));
    // The ones never decoded are left to the caller.
    EXPECT_FALSE(decoder.take(big.back(), pixels, pw, ph));
    decoder.want({});
    EXPECT_EQ(decoder.readyBytes(), 0u);
    for (const std::string& f : big) std::remove(f.c_str());
}

// The worker reads files while the engine thread may drop and rebuild the
// shared file helper (a fixture or a restart does): it must never reach that
// helper, or it reads freed search paths or leaves a second helper behind
// (the address sanitizer reports either).
TEST(ImageDecoder, DecodingDoesNotTouchTheSharedFileHelper)
{
    CCImageDecoder& decoder = CCImageDecoder::shared();
    decoder.want({});
    std::vector<std::string> pictures;
    for (int i = 0; i < 24; ++i) {
        pictures.push_back(tempPath("decoder-race-" + std::to_string(i) + ".png"));
        ASSERT_TRUE(writePNG(pictures.back(), 96, 96, [i](int x, int y) { return ccc4(i * 9, x, y, 255); }));
    }
    for (int round = 0; round < 20; ++round) {
        decoder.want(pictures);
        for (int k = 0; k < 50; ++k) {
            CCFileUtils::purgeFileUtils();
            EXPECT_NE(nullptr, CCFileUtils::sharedFileUtils());
        }
        decoder.waitUntilDone();
        EXPECT_EQ(decoder.readyCount(), pictures.size());
        decoder.want({});
    }
    for (const std::string& f : pictures) std::remove(f.c_str());
}

} // namespace rendertest
} // namespace cc
