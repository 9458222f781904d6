// Journeys of word taps: highlight and glide, the same-word rule, sentences
// above or below the word, the bubble moving between containers, the hint,
// and the pages that lack a layout, a narration file or a short sentence.
#include "PageTestSupport.h"

#include "actions/CCActionManager.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quibo;
using namespace quibo::pagetest;

TEST(WordTap, BundledWordGlidesFromTheOriginPlaysAndKeepsTheSameWordRule)
{
    Journey j;
    j.open(1);
    PageView p = j.page();
    cc::UIWidget* w3 = p.word(1, 3);
    const cc::CCPoint home = w3->getPosition();
    j.tapWord(w3);
    EXPECT_EQ(w3, j.page().currentWord());
    EXPECT_TRUE(w3->isVisible());
    EXPECT_TRUE(w3->isFocused());
    EXPECT_EQ(4, j.page().nextWordIndex());
    EXPECT_EQ("qovarn_3391_ver10/epc/" + md5Hex("mc013.mp3") + ".mp3", j.lastPlayed());
    EXPECT_EQ(1u, j.plays()); // began, moved, ended: the later events do not restart it
    EXPECT_TRUE(j.driver->logged("test11111111111111-------------------===="));
    EXPECT_TRUE(j.driver->logged("test222222222222222-----CCLabelAtlas-------" "-This is Momo.-" "---===="));
    ASSERT_NE(nullptr, j.page().sentenceLabel());
    EXPECT_EQ("-This is Momo.-", std::string(j.page().sentenceLabel()->getString()));
    // The very first glide starts at (0, 0) of the parent: early on it is far from home.
    const cc::CCPoint early = w3->getPosition();
    EXPECT_GT(std::hypot(early.x - home.x, early.y - home.y), 20.0f);
    j.driver->advance(1.1);
    EXPECT_NEAR(home.x, w3->getPosition().x, 0.01);
    EXPECT_NEAR(home.y, w3->getPosition().y, 0.01);

    // While its narration plays, the same word changes nothing.
    ASSERT_TRUE(cc::SimpleAudioEngine::sharedEngine()->isBackgroundMusicPlaying());
    j.tapWord(w3);
    EXPECT_EQ(1u, j.plays());
    // After it ended it plays again, without motion.
    j.driver->advance(3.0);
    ASSERT_FALSE(cc::SimpleAudioEngine::sharedEngine()->isBackgroundMusicPlaying());
    // The idle check hid the sentence, the highlight stays.
    EXPECT_FALSE(j.page().sentenceLabel()->isVisible());
    EXPECT_FALSE(j.page().sentenceBubble()->isVisible());
    EXPECT_TRUE(w3->isVisible());
    j.tapWord(w3);
    EXPECT_EQ(2u, j.plays());
    j.driver->step(5);
    EXPECT_NEAR(home.x, w3->getPosition().x, 0.01);

    // Another word: the old one is hidden, the new one glides from the old place.
    cc::UIWidget* w5 = p.word(1, 5);
    j.tapWord(w5);
    EXPECT_FALSE(w3->isVisible());
    EXPECT_FALSE(w3->isFocused());
    EXPECT_EQ(w5, j.page().currentWord());
    EXPECT_EQ(3u, j.plays());
}

TEST(WordTap, SentenceGoesBelowAWordAboveTheOriginAndAboveOneBelowIt)
{
    ScratchPages book;
    book.writePage(1, {{1, 200, 600, false}, {2, 100, -40, true}, {3, 300, 100, true}});
    book.writeStrings({{"str011", "High word"}, {"str012", "Low word"}, {"str013", "Boxed word"}});
    Journey j;
    j.open(1);
    PageView p = j.page();
    cc::UIWidget* high = p.word(1, 1);
    cc::UIWidget* low = p.word(1, 2);
    cc::UIWidget* boxed = p.word(1, 3);
    ASSERT_TRUE(high && low && boxed);
    const float g = 960.0f / 40;

    j.tapWord(high);
    cc::CCLabelTTF* label = j.page().sentenceLabel();
    ASSERT_NE(nullptr, label);
    const float lh = label->getContentSize().height;
    const float bh = high->getContentSize().height * std::fabs(high->getScaleY());
    EXPECT_FLOAT_EQ(600 - bh / 2 - lh / 2, label->getPositionY());
    EXPECT_FLOAT_EQ(label->getPositionY() - g / 2, j.page().sentenceBubble()->getPosition().y);
    EXPECT_FLOAT_EQ(lh + g, j.page().sentenceBubble()->getSize().height);
    EXPECT_EQ(high->getParent(), j.page().sentenceBubble()->getParent());

    // A word inside the sub-panel: the bubble moves there (held across the
    // move), the label goes above a word that lies below the panel's origin.
    j.tapWord(boxed);
    j.tapWord(low);
    label = j.page().sentenceLabel();
    ASSERT_NE(nullptr, label);
    EXPECT_EQ(low->getParent(), j.page().sentenceBubble()->getParent());
    EXPECT_FLOAT_EQ(-40 + low->getContentSize().height / 2 + label->getContentSize().height / 2,
                    label->getPositionY());
    EXPECT_FLOAT_EQ(label->getPositionY() + g / 2, j.page().sentenceBubble()->getPosition().y);
    // Back to the page root and again: the bubble is alive and usable.
    j.tapWord(high);
    EXPECT_EQ(high->getParent(), j.page().sentenceBubble()->getParent());
    EXPECT_TRUE(j.page().sentenceBubble()->isVisible());
}

TEST(WordTap, MissingNarrationMissingEntryAndOverlongEntry)
{
    ScratchPages book;
    book.writePage(1, {{1, 200, 600, false}, {2, 300, 600, false}, {3, 400, 600, false}});
    const std::string longest(1599, 'a');
    book.writeStrings({{"str011", "One"}, {"str013", longest}});
    book.writeNarration(1, 1, testAudio("tone_short.mp3"));
    Journey j;
    j.open(1);
    PageView p = j.page();
    j.tapWord(p.word(1, 1));
    ASSERT_NE(nullptr, j.page().sentenceLabel());
    // Word 2 has no entry: highlight and narration attempt, the bubble is sized 0.
    j.tapWord(p.word(1, 2));
    EXPECT_EQ(p.word(1, 2), j.page().currentWord());
    EXPECT_EQ(0, j.page().sentenceBubble()->getSize().width);
    EXPECT_FALSE(cc::SimpleAudioEngine::sharedEngine()->isBackgroundMusicPlaying());
    // A quick re-tap of a word whose glide still runs ends at its layout place.
    const cc::CCPoint home(300, 600);
    j.driver->step(3);
    j.tapWord(p.word(1, 2));
    j.driver->step(3);
    j.tapWord(p.word(1, 2));
    j.driver->advance(1.2);
    EXPECT_NEAR(home.x, p.word(1, 2)->getPosition().x, 0.01);
    EXPECT_NEAR(home.y, p.word(1, 2)->getPosition().y, 0.01);
    // 1599 bytes is still shown, with both dashes.
    j.tapWord(p.word(1, 3));
    ASSERT_NE(nullptr, j.page().sentenceLabel());
    EXPECT_EQ(1601u, std::string(j.page().sentenceLabel()->getString()).size());
}

TEST(WordTap, EntriesOf1600BytesAreNotShown)
{
    ScratchPages book;
    book.writePage(1, {{1, 200, 600, false}, {2, 300, 600, false}});
    book.writeStrings({{"str011", "One"}, {"str012", std::string(1600, 'b')}});
    Journey j;
    j.open(1);
    j.tapWord(j.page().word(1, 1));
    ASSERT_NE(nullptr, j.page().sentenceLabel());
    j.tapWord(j.page().word(1, 2));
    EXPECT_EQ(nullptr, j.page().sentenceLabel());
    EXPECT_FALSE(j.page().sentenceBubble()->isVisible());
    // The book maker hears of it once per word, not on every tap.
    const std::string line =
        "PageLayer: the sentence of bn012 is 1600 bytes long; sentences of 1600 bytes or more are not shown";
    EXPECT_EQ(1u, j.driver->loggedCount(line));
    j.driver->advance(0.1);
    j.tapWord(j.page().word(1, 1));
    j.tapWord(j.page().word(1, 2));
    EXPECT_EQ(1u, j.driver->loggedCount(line));
}

namespace {
// Where a node is drawn, in design points.
cc::CCRect worldBox(cc::CCNode* node)
{
    return cc::CCRectApplyAffineTransform(node->boundingBox(), node->getParent()->nodeToWorldTransform());
}
} // namespace

TEST(WordTap, TheSentenceAndItsBubbleStayInsideTheViewNearTheEdges)
{
    ScratchPages book;
    // Words at both edges of the page, one in the middle, and one at the left
    // edge of the sub-panel "box" that starts at x = 100.
    book.writePage(1, {{1, 20, 600, false}, {2, 620, 600, false}, {3, 320, 600, false}, {4, 5, 100, true}});
    const std::string wide = "Extraordinarily wonderful";
    book.writeStrings({{"str011", wide}, {"str012", wide}, {"str013", wide}, {"str014", wide}});
    Journey j;
    j.open(1);
    for (int index = 1; index <= 4; ++index) {
        SCOPED_TRACE(index);
        cc::UIWidget* word = j.page().word(1, index);
        j.tapWord(word);
        cc::CCLabelTTF* label = j.page().sentenceLabel();
        cc::UIButton* bubble = j.page().sentenceBubble();
        ASSERT_NE(nullptr, label);
        // The sentence is wider than its word, so centred on a word at an edge
        // it would reach outside the window.
        ASSERT_GT(label->getContentSize().width, 76.0f);
        const cc::CCRect text = worldBox(label);
        const cc::CCRect back = worldBox(bubble->getOwnRenderNode());
        EXPECT_GE(text.getMinX(), 0.0f);
        EXPECT_LE(text.getMaxX(), 640.0f);
        EXPECT_GE(back.getMinX(), 0.0f);
        EXPECT_LE(back.getMaxX(), 640.0f);
        // Still one over the other, and the vertical rule untouched: every word
        // stands at y = 600 on the page and, having no picture, has no content
        // height, so its sentence hangs from y = 600.
        EXPECT_NEAR(text.getMidX(), back.getMidX(), 0.01);
        EXPECT_NEAR(600.0f, text.getMaxY(), 0.01);
    }
    // A word with room on both sides keeps its sentence centred on it.
    j.tapWord(j.page().word(1, 3));
    EXPECT_FLOAT_EQ(320.0f, j.page().sentenceLabel()->getPositionX());
    EXPECT_FLOAT_EQ(320.0f, j.page().sentenceBubble()->getPosition().x);
    // At an edge it moves just enough: its side touches the window's side.
    j.tapWord(j.page().word(1, 1));
    EXPECT_NEAR(0.0f, std::min(worldBox(j.page().sentenceLabel()).getMinX(),
                               worldBox(j.page().sentenceBubble()->getOwnRenderNode()).getMinX()), 0.01);
    j.tapWord(j.page().word(1, 2));
    EXPECT_NEAR(640.0f, std::max(worldBox(j.page().sentenceLabel()).getMaxX(),
                                 worldBox(j.page().sentenceBubble()->getOwnRenderNode()).getMaxX()), 0.01);
}

TEST(WordTap, NoSentenceOfTheBundledStoryReachesOutOfTheWindow)
{
    Journey j;
    for (int page : {2, 6}) {
        j.open(page);
        for (int index = 1; index <= PageLayer::kMaxWords; ++index) {
            cc::UIWidget* word = j.page().word(page, index);
            if (!word) continue;
            SCOPED_TRACE(word->getName());
            j.driver->advance(0.1);
            j.tapWord(word);
            cc::CCLabelTTF* label = j.page().sentenceLabel();
            if (!label) continue;
            const cc::CCRect text = worldBox(label);
            const cc::CCRect back = worldBox(j.page().sentenceBubble()->getOwnRenderNode());
            EXPECT_GE(std::min(text.getMinX(), back.getMinX()), -0.01f);
            EXPECT_LE(std::max(text.getMaxX(), back.getMaxX()), 640.01f);
        }
    }
}

TEST(PageBuild, GapsDuplicatesPageZeroAndAPageWithoutLayout)
{
    ScratchPages book(0, 3);
    book.writePage(1, {{1, 200, 600, false}, {2, 300, 600, false}, {4, 400, 600, false}}, true);
    book.writePage(0, {{3, 200, 600, false}, {15, 300, 600, false}});
    book.writeStrings({{"str001", "x"}, {"str0015", "Page nought"}});
    Journey j;
    j.open(1);
    EXPECT_EQ(4, j.page().wordCount());
    EXPECT_EQ(3, j.page().layer == nullptr ? 0 : dynamic_cast<TestLayer1*>(j.page().layer)->boundWordCount());
    // The duplicate in the sub-panel is not bound: the first in pre-order is,
    // and the book maker is told.
    EXPECT_EQ(11, j.page().word(1, 1)->getTag());
    EXPECT_EQ(1u, j.driver->loggedCount("PageLayer: page 1 has 2 word buttons named bn011; only the first one is bound"));

    // Page 0: every name comes from (page, index).
    j.open(0);
    cc::UIWidget* w15 = j.page().word(0, 15);
    ASSERT_NE(nullptr, w15);
    j.tapWord(w15);
    EXPECT_EQ("qovarn_3391_ver10/epc/" + md5Hex("mc0015.mp3") + ".mp3", j.lastPlayed());
    ASSERT_NE(nullptr, j.page().sentenceLabel());
    EXPECT_EQ("-Page nought-", std::string(j.page().sentenceLabel()->getString()));
    EXPECT_EQ(16, j.page().nextWordIndex());

    // Page 2 has no layout file: controls only, no bubble, no words.
    j.open(2);
    EXPECT_EQ(nullptr, j.page().sentenceBubble());
    EXPECT_EQ(0, j.page().wordCount());
    pageState().autoPlay = false;
    j.tapItem(j.page().play);
    j.driver->advance(2.5); // narration ticks on a page without words or bubble
    EXPECT_EQ(3, bookSettings().currentPage); // autoTurn went on to page 3
}

TEST(Hint, ThirdTouchDownAtTheSamePlaceShowsTheHint)
{
    Journey j;
    j.open(1);
    cc::CCLabelTTF* hint = j.page().hintLabel();
    ASSERT_NE(nullptr, hint);
    const cc::CCPoint a(320, 400);
    j.driver->tap(a);
    j.driver->tap(cc::CCPoint(a.x + 21.9f, a.y));
    EXPECT_FALSE(hint->isVisible());
    EXPECT_EQ(1u, j.driver->loggedCount("ccTouchesBegan  --------=+++--------------"));
    j.driver->tap(cc::CCPoint(a.x + 43.8f, a.y));
    EXPECT_TRUE(hint->isVisible());
    EXPECT_TRUE(j.driver->logged("ccTouchesBegan  --------yes--------------"));
    EXPECT_EQ(3u, j.driver->loggedCount("ccTouchesBegan  ------------------------"));
    EXPECT_EQ("Tap a word once to hear it read aloud", std::string(hint->getString()));
    EXPECT_FLOAT_EQ(a.x + 43.8f, hint->getPositionX());
    j.driver->advance(3.1);
    EXPECT_FALSE(hint->isVisible());

    // 22 apart is another place: the count starts again.
    j.driver->clearLog();
    j.driver->tap(cc::CCPoint(a.x + 65.8f, a.y));
    EXPECT_EQ(0u, j.driver->loggedCount("ccTouchesBegan  --------=+++--------------"));
    EXPECT_EQ(0, dynamic_cast<TestLayer1*>(j.page().layer)->getTapCount());
}
