// The journeys drawn: frames captured into a hidden window at the key
// moments (main menu with and without the continue button, grid after its
// slide-in, a page, a tapped word with its readable highlight and its
// bubble, the middle of a page turn, the hint, a word card tapped on its
// picture) and checked with tolerant pixel probes against what the widgets
// say. The PNGs stay in the build
// folder (journey_artefacts/) for a person to look at. Without a display the
// tests skip.
#include "JourneySupport.h"

#include "render/CCFrameCapture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>

using namespace quibo;
using namespace quibo::journey;

namespace {

std::string artefact(const std::string& name)
{
    const std::string dir = QUIBO_ARTEFACT_DIR;
    (void)std::system(("mkdir -p '" + dir + "'").c_str());
    return dir + "/" + name;
}

cc::ccColor4B at(const cc::CCPoint& p)
{
    cc::ccColor4B c{0, 0, 0, 0};
    EXPECT_TRUE(cc::CCFrameCapture::pixelAtDesignPoint(p, c)) << p.x << "," << p.y;
    return c;
}

int distance(const cc::ccColor4B& a, const cc::ccColor4B& b)
{
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

bool isGreyish(const cc::ccColor4B& c)
{
    return std::abs(c.r - c.g) < 14 && std::abs(c.g - c.b) < 14 && c.r > 90 && c.r < 165;
}

// Relative luminance of a pixel (sRGB), and the contrast ratio of two.
double luminance(const cc::ccColor4B& c)
{
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
}

// The contrast between the darkest and the lightest pixel of a rectangle
// (design points): for a word with its highlight, text against its ground.
double contrastWithin(const cc::CCRect& r)
{
    double dark = 1, light = 0;
    for (float y = r.getMinY(); y <= r.getMaxY(); y += 1) {
        for (float x = r.getMinX(); x <= r.getMaxX(); x += 1) {
            const double l = luminance(at(cc::CCPoint(x, y)));
            dark = std::min(dark, l);
            light = std::max(light, l);
        }
    }
    return (light + 0.05) / (dark + 0.05);
}

bool isOrange(const cc::ccColor4B& c) { return c.r > 200 && c.g > 70 && c.g < 200 && c.b < 90; }

struct Frame {
    std::vector<unsigned char> rgba;
    int w = 0, h = 0;
    bool read() { return cc::CCFrameCapture::readFrame(rgba, w, h); }
};

// Share of pixels that differ clearly between two frames of one size.
double changedShare(const Frame& a, const Frame& b)
{
    if (a.w != b.w || a.h != b.h || a.rgba.empty()) return -1;
    size_t changed = 0;
    for (size_t i = 0; i + 3 < a.rgba.size(); i += 4) {
        const int d = std::abs(a.rgba[i] - b.rgba[i]) + std::abs(a.rgba[i + 1] - b.rgba[i + 1]) +
                      std::abs(a.rgba[i + 2] - b.rgba[i + 2]);
        if (d > 40) ++changed;
    }
    return static_cast<double>(changed) / (a.rgba.size() / 4);
}

} // namespace

TEST(Pictures, TheJourneyAtItsKeyMoments)
{
    App a;
    if (!a.driver->enableRendering(640, 960)) GTEST_SKIP() << "no display";
    ASSERT_TRUE(a.launch());
    a.driver->step();

    // Main menu: the select button stands out from the cover around it.
    EXPECT_TRUE(a.driver->screenshot(artefact("1_main_menu.png")));
    EXPECT_GT(distance(at(kSelectAt), at(cc::CCPoint(20, kSelectAt.y))), 40);
    // Without the continue button the panel ends just above "Learn words":
    // no empty band of it above the first button, only the sky of the cover.
    const cc::CCPoint aboveWords(320, kWordsAt.y + 68), skyBeside(630, kWordsAt.y + 68);
    EXPECT_LT(distance(at(aboveWords), at(skyBeside)), 25) << "an empty panel band above the first button";
    // Beside the continue button's caption, on the button when it is shown.
    const cc::CCPoint continueFace(kContinueAt.x - 145, kContinueAt.y - 12);
    EXPECT_FALSE(isOrange(at(continueFace)));

    // The grid at rest: red squares, and with one screen of 8 pages both steps grey.
    a.tapAt(kSelectAt);
    a.driver->advance(kSlideIn);
    a.driver->step();
    EXPECT_TRUE(a.driver->screenshot(artefact("2_selection_grid.png")));
    const cc::ccColor4B square = at(cc::CCPoint(80 - 60, 848 + 60));
    EXPECT_GT(square.r, 200);
    EXPECT_LT(square.g, 60);
    EXPECT_LT(square.b, 60);
    EXPECT_TRUE(isGreyish(at(cc::CCPoint(128 - 85, 40 - 30)))) << "previous-screen button";
    EXPECT_TRUE(isGreyish(at(cc::CCPoint(512 + 85, 40 - 30)))) << "next-screen button";

    // A page: its picture fills the window, no bare clear colour anywhere.
    a.tapItem(a.entryFor(1));
    a.driver->step(2);
    EXPECT_TRUE(a.driver->screenshot(artefact("3_page_1.png")));
    for (float x : {3.0f, 320.0f, 637.0f}) {
        for (float y : {3.0f, 480.0f, 957.0f}) {
            const cc::ccColor4B c = at(cc::CCPoint(x, y));
            EXPECT_GT(c.r + c.g + c.b, 30) << "picture at " << x << "," << y;
        }
    }

    // A tapped word: its highlight is drawn on the word, its bubble under it.
    PageView v = a.page();
    cc::UIWidget* word = v.word(1, 3);
    ASSERT_NE(nullptr, word);
    const cc::CCPoint centre = centreOf(word);
    const cc::ccColor4B wordBefore = at(centre);
    a.tapWord(word);
    a.driver->advance(0.3);
    a.driver->step();
    cc::UIButton* bubble = a.page().sentenceBubble();
    cc::CCLabelTTF* label = a.page().sentenceLabel();
    ASSERT_TRUE(shown(bubble));
    ASSERT_NE(nullptr, label);
    // The strip of the bubble below its label holds no text; just below the bubble lies the box again.
    const cc::CCPoint labelAt = pagetest::worldOf(bubble, label->getPosition());
    const float lh = label->getContentSize().height;
    const float g = 960.0f / 40;
    const cc::CCPoint strip(labelAt.x + label->getContentSize().width * 0.25f, labelAt.y - lh / 2 - g / 2);
    const cc::CCPoint below(strip.x, labelAt.y - lh / 2 - g - 8);
    Frame beforeBubble;
    const cc::ccColor4B stripNow = at(strip), belowNow = at(below);
    a.driver->advance(0.8); // the glide has landed
    a.driver->step();
    EXPECT_TRUE(a.driver->screenshot(artefact("4_word_with_bubble.png")));
    EXPECT_GT(distance(at(centre), wordBefore), 30) << "highlight on the word";
    // The highlighted word reads clearly: inside the frame (its edge left
    // out) the letters keep a strong contrast with their ground.
    {
        cc::CCRect inner = boxOf(word);
        inner.origin = inner.origin + cc::CCPoint(6, 6);
        inner.size = cc::CCSize(inner.size.width - 12, inner.size.height - 12);
        const double contrast = contrastWithin(inner);
        std::printf("highlighted word contrast %.1f:1\n", contrast);
        EXPECT_GT(contrast, 7.0) << "the highlight washes the word out";
    }
    // Inside the bubble no dark brown page text shows through (the sentence
    // itself is blue): the bubble lies above the text lines it covers.
    {
        const cc::CCPoint b = centreOf(bubble);
        const cc::CCSize bs = bubble->getSize();
        int dark = 0, probed = 0;
        for (float y = b.y - bs.height / 2 + 4; y < b.y + bs.height / 2 - 4; y += 2) {
            for (float x = b.x - bs.width / 2 + 4; x < b.x + bs.width / 2 - 4; x += 2) {
                const cc::ccColor4B c = at(cc::CCPoint(x, y));
                ++probed;
                if (c.r + c.g + c.b < 400 && c.b < c.r + 40) ++dark;
            }
        }
        EXPECT_GT(probed, 20);
        EXPECT_LT(dark, probed / 50 + 1) << "page text drawn over the bubble";
    }
    a.tapAt(cc::CCPoint(320, 420)); // a tap on the picture does not touch the sentence
    (void)beforeBubble;
    // Compare with the same places once the idle check has hidden the bubble.
    while (a.narrationPlaying()) a.driver->step();
    a.driver->advance(1.1);
    a.driver->step();
    ASSERT_FALSE(bubble->isVisible());
    EXPECT_GT(distance(stripNow, at(strip)), 25) << "bubble drawn below the label";
    EXPECT_LT(distance(belowNow, at(below)), 25) << "nothing of the bubble past its edge";

    // The middle of a page turn differs from the page before and the page after.
    Frame before, middle, after;
    ASSERT_TRUE(before.read());
    a.tapItem(a.page().next);
    using clock = std::chrono::steady_clock;
    double worst = 0, total = 0;
    int frames = 0;
    for (; frames < 15; ++frames) {
        const clock::time_point t0 = clock::now();
        a.driver->step();
        const double ms = std::chrono::duration<double, std::milli>(clock::now() - t0).count();
        worst = std::max(worst, ms);
        total += ms;
    }
    ASSERT_TRUE(a.inTransition());
    ASSERT_TRUE(middle.read());
    EXPECT_TRUE(a.driver->screenshot(artefact("5_page_turn_middle.png")));
    for (; frames < 40; ++frames) {
        const clock::time_point t0 = clock::now();
        a.driver->step();
        const double ms = std::chrono::duration<double, std::milli>(clock::now() - t0).count();
        worst = std::max(worst, ms);
        total += ms;
    }
    ASSERT_FALSE(a.inTransition());
    ASSERT_TRUE(after.read());
    EXPECT_GT(changedShare(before, middle), 0.05);
    EXPECT_GT(changedShare(middle, after), 0.05);
    std::printf("frame time while a page turn plays (hidden window, software GL): mean %.2f ms, worst %.2f ms\n",
                total / frames, worst);
    FILE* f = std::fopen(artefact("page_turn_frame_time.txt").c_str(), "w");
    if (f) {
        std::fprintf(f, "mean_ms %.3f\nworst_ms %.3f\nframes %d\n", total / frames, worst, frames);
        std::fclose(f);
    }

    // The hint: blue text at the finger after the third touch-down in one place.
    const cc::CCPoint finger(320, 420);
    for (int k = 0; k < 3; ++k) a.tapAt(finger);
    a.driver->step();
    ASSERT_TRUE(a.page().hintLabel()->isVisible());
    EXPECT_TRUE(a.driver->screenshot(artefact("6_hint.png")));
    int blue = 0;
    for (float dx = -120; dx <= 120; dx += 3) {
        for (float dy = -30; dy <= 30; dy += 3) {
            const cc::ccColor4B c = at(cc::CCPoint(finger.x + dx, finger.y + dy));
            if (c.b > 150 && c.r < 110 && c.g < 110) ++blue;
        }
    }
    EXPECT_GT(blue, 10) << "blue hint text around the finger";

    // Back on the main menu after reading: the continue button stands on
    // its own above the panel, with the cover between them.
    ASSERT_TRUE(a.returnFromPage());
    a.driver->step();
    EXPECT_TRUE(a.driver->screenshot(artefact("8_main_menu_continue.png")));
    EXPECT_TRUE(isOrange(at(continueFace))) << "the continue button";
    EXPECT_LT(distance(at(aboveWords), at(skyBeside)), 25) << "cover between the continue button and the panel";
}

TEST(Pictures, AWordCardAnswersAnywhereAndItsSentenceStaysClearOfTheCardBelow)
{
    App a;
    if (!a.driver->enableRendering(640, 960)) GTEST_SKIP() << "no display";
    ASSERT_TRUE(a.launch());
    a.tapAt(kWordsAt);
    a.driver->step(2);
    Frame before;
    ASSERT_TRUE(before.read());
    PageView v = a.page();
    cc::UIWidget* word = v.word(9, 1);
    ASSERT_NE(nullptr, word);
    cc::UIWidget* card = cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(v.uiLayer->getRootWidget(), "card1");
    cc::UIWidget* picture =
        cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(v.uiLayer->getRootWidget(), "picture1");
    ASSERT_NE(nullptr, card);
    ASSERT_NE(nullptr, picture);
    const cc::CCRect cardBox = boxOf(card);
    // The child taps the picture, well away from the word under it.
    const cc::CCPoint onPicture = centreOf(picture) + cc::CCPoint(-40, 20);
    const cc::ccColor4B pictureBefore = at(onPicture);
    a.tapAt(onPicture);
    EXPECT_EQ(word, a.page().currentWord()) << "the card's word answers a tap on its picture";
    ASSERT_FALSE(a.events(cc::AudioEvent::Kind::Play).empty());
    EXPECT_EQ(narrationFileOf(9, 1), a.events(cc::AudioEvent::Kind::Play).back().name);
    a.driver->advance(1.2); // the glide has landed
    a.driver->step();
    EXPECT_TRUE(a.driver->screenshot(artefact("7_word_learning_bubble.png")));
    // The highlight frames the card and leaves its picture as it was.
    EXPECT_TRUE(isOrange(at(cc::CCPoint(cardBox.getMinX() + 4, cardBox.getMidY())))) << "frame on the card's edge";
    EXPECT_LT(distance(at(onPicture), pictureBefore), 20) << "the picture keeps its colours";
    cc::UIButton* bubble = a.page().sentenceBubble();
    ASSERT_TRUE(shown(bubble));
    // The bubble hangs under the card, clear of the card below it, and is drawn.
    const cc::CCRect b = boxOf(bubble);
    const cc::CCRect below = boxOf(cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(v.uiLayer->getRootWidget(), "card3"));
    std::printf("bubble %.0f x %.0f at (%.0f, %.0f); card 3 top at %.0f\n", b.size.width, b.size.height, b.getMidX(),
                b.getMidY(), below.getMaxY());
    EXPECT_GE(b.getMinY(), below.getMaxY()) << "the bubble covers the card below";
    EXPECT_LE(b.getMaxY(), cardBox.getMinY() + 1) << "the bubble covers its own card";
    Frame now;
    ASSERT_TRUE(now.read());
    int changed = 0, probed = 0;
    for (float y = b.getMinY() + 2; y < b.getMaxY() - 2; y += 2) {
        for (float x = b.getMinX() + 2; x < b.getMaxX() - 2; x += 2) {
            const int px = static_cast<int>(x * now.w / 640), py = static_cast<int>((960 - y) * now.h / 960);
            const size_t i = (static_cast<size_t>(py) * now.w + px) * 4;
            ++probed;
            if (std::abs(now.rgba[i] - before.rgba[i]) + std::abs(now.rgba[i + 1] - before.rgba[i + 1]) +
                    std::abs(now.rgba[i + 2] - before.rgba[i + 2]) > 30)
                ++changed;
        }
    }
    ASSERT_GT(probed, 0);
    EXPECT_GT(changed, probed / 2) << "the bubble is visible";
    // Where the card below begins, the frame shows the card as before.
    const cc::CCPoint cardBelowTop(below.getMidX(), below.getMaxY() - 3);
    const int px = static_cast<int>(cardBelowTop.x * now.w / 640), py = static_cast<int>((960 - cardBelowTop.y) * now.h / 960);
    const size_t i = (static_cast<size_t>(py) * now.w + px) * 4;
    EXPECT_LT(std::abs(now.rgba[i] - before.rgba[i]) + std::abs(now.rgba[i + 1] - before.rgba[i + 1]) +
                  std::abs(now.rgba[i + 2] - before.rgba[i + 2]),
              30)
        << "the top of the card below is covered";
}

// The bubble of a word at the window's edge lies wholly inside the window
// (page 2, "One" at the start of the first line): it moves sideways with its
// sentence instead of being cut off.
TEST(Pictures, TheBubbleOfAWordAtTheEdgeStaysInsideTheWindow)
{
    App a;
    if (!a.driver->enableRendering(640, 960)) GTEST_SKIP() << "no display";
    ASSERT_TRUE(a.launch());
    ASSERT_TRUE(a.openFromGrid(2));
    a.driver->step();
    cc::UIWidget* one = a.page().word(2, 1);
    ASSERT_NE(nullptr, one);
    a.tapWord(one);
    a.driver->advance(1.2);
    a.driver->step();
    EXPECT_TRUE(a.driver->screenshot(artefact("9_bubble_at_the_edge.png")));
    const cc::CCRect b = boxOf(a.page().sentenceBubble());
    EXPECT_GE(b.getMinX(), 0);
    EXPECT_LE(b.getMaxX(), 640);
    cc::CCLabelTTF* sentence = a.page().sentenceLabel();
    ASSERT_NE(nullptr, sentence);
    const cc::CCPoint label = pagetest::worldOf(a.page().sentenceBubble(), sentence->getPosition());
    const float half = sentence->getContentSize().width / 2;
    EXPECT_GE(label.x - half, 0);
    EXPECT_LE(label.x + half, 640);
    // The bubble's left border is drawn just inside the window.
    EXPECT_GT(at(cc::CCPoint(b.getMinX() + 2, b.getMidY())).b, 200) << "the bubble's blue border";
}
