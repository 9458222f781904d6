// A child's and a parent's way through the bundled book, from the delegate's
// launch: main menu, selection grid, word taps with highlight, bubble and the
// hashed narration file, automatic narration to the last page, swipes, the
// word-learning section, back to the main menu and quit. Every check is what
// a person sees on screen or hears, with the virtual times of the record.
#include "JourneySupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace quibo;
using namespace quibo::journey;

namespace {

// How far a word-tap's play may lie from the tap (one frame each way).
const double kFrameSlack = 2.0 / 60;

std::vector<std::string> namesOf(const std::vector<cc::AudioEvent>& events)
{
    std::vector<std::string> names;
    for (const cc::AudioEvent& e : events) names.push_back(e.name);
    return names;
}

} // namespace

TEST(Journey, FirstStartShowsTheMainMenuWithItsConfigurationLines)
{
    App a;
    ASSERT_TRUE(a.launch());
    ASSERT_NE(nullptr, a.mainMenu());
    const std::vector<std::string>& log = a.driver->logLines();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ("-----------TestController----- tale -------------- !", log[0]);
    EXPECT_EQ("-----------TestController----- 1 ---------1----- !", log[1]);
    EXPECT_EQ("-----------TestController----- 9 -------------- !", log[2]);
    // Nothing read yet: no continue button; the book has word learning.
    EXPECT_FALSE(shown(a.mainButton("bngoon")));
    EXPECT_TRUE(shown(a.mainButton("bnwordlean")));
    EXPECT_TRUE(shown(a.mainButton("bnselect")));
    EXPECT_TRUE(shown(a.mainButton("bnreturn")));
    // The buttons are where a finger finds them.
    EXPECT_NEAR(kSelectAt.x, centreOf(a.mainButton("bnselect")).x, 1);
    EXPECT_NEAR(kSelectAt.y, centreOf(a.mainButton("bnselect")).y, 1);
    // The menu silenced narration: full volume, then stop; nothing played.
    ASSERT_GE(a.sim->record().size(), 2u);
    EXPECT_EQ(cc::AudioEvent::Kind::Volume, a.sim->record()[0].kind);
    EXPECT_FLOAT_EQ(1.0f, a.sim->record()[0].volume);
    EXPECT_EQ(cc::AudioEvent::Kind::Stop, a.sim->record()[1].kind);
    EXPECT_EQ(0u, a.sim->countOf(cc::AudioEvent::Kind::Play));
    // The empty place of the hidden continue button opens nothing.
    a.tapAt(kContinueAt);
    a.driver->step();
    EXPECT_NE(nullptr, a.mainMenu());
}

TEST(Journey, AChildChoosesAPageInTheGridTapsWordsAndComesBack)
{
    App a;
    ASSERT_TRUE(a.launch());
    a.tapAt(kSelectAt);
    a.driver->step();
    ASSERT_NE(nullptr, a.grid()) << "the select button opens the grid";
    a.driver->advance(kSlideIn);
    // Pages 1 to 8 on one screen, at rest on their grid places; both screen steps grey.
    ASSERT_EQ(8u, a.grid()->getEntries().size());
    cc::CCMenuItemLabel* three = a.entryFor(3);
    ASSERT_NE(nullptr, three);
    EXPECT_NEAR(400, pagetest::itemCentre(three).x, 0.5);
    EXPECT_NEAR(848, pagetest::itemCentre(three).y, 0.5);
    EXPECT_TRUE(App::isGrey(a.grid()->getPreviousButton()));
    EXPECT_TRUE(App::isGrey(a.grid()->getNextButton()));
    ASSERT_NE(nullptr, a.gridReturn());

    a.driver->clearLog();
    a.tapItem(three);
    a.driver->step();
    PageView v = a.page();
    ASSERT_NE(nullptr, v.layer);
    EXPECT_EQ(1, v.variant);
    EXPECT_EQ(3, bookSettings().currentPage);
    EXPECT_TRUE(bookSettings().readingStarted);
    EXPECT_TRUE(a.driver->logged("-----------page_name----- qovarn_3391_ver10/tale -------------- !"));
    EXPECT_TRUE(a.driver->logged("Scene 1 onEnter"));
    // The page's controls: previous, play, next, return; no settings item.
    EXPECT_TRUE(v.previous->isVisible());
    EXPECT_TRUE(v.play->isVisible());
    EXPECT_TRUE(v.next->isVisible());
    EXPECT_TRUE(v.back->isVisible());
    EXPECT_FALSE(v.settings->isVisible());
    const std::vector<int> words = wordIndexesOf(3);
    ASSERT_GE(words.size(), 5u);
    for (int i : words) {
        ASSERT_NE(nullptr, v.word(3, i));
        EXPECT_FALSE(v.word(3, i)->isVisible()) << "word " << i << " is invisible until tapped";
    }
    EXPECT_FALSE(a.page().sentenceBubble()->isVisible());

    // A word tap: highlight glides to the word, the sentence shows below it, its narration plays.
    cc::UIWidget* two = v.word(3, 2);
    const cc::CCPoint home = two->getPosition();
    const size_t before = a.sim->record().size();
    const double tappedAt = a.driver->now();
    a.tapWord(two);
    a.driver->advance(0.2);
    EXPECT_TRUE(shown(two));
    EXPECT_TRUE(two->isFocused());
    EXPECT_TRUE(a.driver->logged("test11111111111111-------------------===="));
    ASSERT_NE(nullptr, a.page().sentenceLabel());
    EXPECT_EQ("-The wind pulled the kite up, up, up into the blue sky.-",
              std::string(a.page().sentenceLabel()->getString()));
    EXPECT_TRUE(a.page().sentenceLabel()->isVisible());
    cc::UIButton* bubble = a.page().sentenceBubble();
    EXPECT_TRUE(shown(bubble));
    EXPECT_EQ(two->getParent(), bubble->getParent()) << "the bubble moved next to the word";
    EXPECT_LT(bubble->getPosition().y, home.y) << "the word lies above its parent's origin: bubble below it";
    EXPECT_NEAR(home.x, bubble->getPosition().x, 0.5);
    // Heard: exactly one play, of the word's MD5-named file, at the tap.
    std::vector<cc::AudioEvent> plays;
    for (size_t k = before; k < a.sim->record().size(); ++k) {
        if (a.sim->record()[k].kind == cc::AudioEvent::Kind::Play) plays.push_back(a.sim->record()[k]);
    }
    ASSERT_EQ(1u, plays.size());
    EXPECT_EQ(narrationFileOf(3, 2), plays[0].name);
    EXPECT_TRUE(plays[0].ok);
    EXPECT_NEAR(tappedAt, plays[0].time, kFrameSlack);
    // The glide from the parent's origin lasts a second and ends on the word's own place.
    a.driver->advance(0.85);
    EXPECT_NEAR(home.x, two->getPosition().x, 0.5);
    EXPECT_NEAR(home.y, two->getPosition().y, 0.5);

    // The next word takes the highlight over; the first goes invisible again.
    cc::UIWidget* five = v.word(3, 5);
    a.tapWord(five);
    a.driver->advance(0.6);
    EXPECT_FALSE(two->isVisible());
    EXPECT_FALSE(two->isFocused());
    EXPECT_TRUE(shown(five));
    EXPECT_EQ(narrationFileOf(3, 5), a.events(cc::AudioEvent::Kind::Play).back().name);
    // When its narration ends the idle check hides the sentence within a second; the highlight stays.
    while (a.narrationPlaying()) a.driver->step();
    const double endedAt = a.sim->last(cc::AudioEvent::Kind::End)->time;
    a.driver->advance(1.05);
    EXPECT_FALSE(bubble->isVisible());
    EXPECT_FALSE(a.page().sentenceLabel()->isVisible());
    EXPECT_TRUE(shown(five));
    EXPECT_GT(a.driver->now(), endedAt);

    // Back to the main menu: narration silenced, continue shown; it reopens page 3.
    ASSERT_TRUE(a.returnFromPage());
    EXPECT_EQ(cc::AudioEvent::Kind::Stop, a.sim->record().back().kind);
    EXPECT_TRUE(shown(a.mainButton("bngoon")));
    a.tapAt(kContinueAt);
    a.driver->step();
    ASSERT_NE(nullptr, a.page().layer);
    EXPECT_EQ(1, a.page().variant);
    EXPECT_EQ(3, bookSettings().currentPage);

    // And out: quit ends the frame loop.
    ASSERT_TRUE(a.returnFromPage());
    a.tapAt(kQuitAt);
    EXPECT_TRUE(a.driver->director()->hasEnded());
}

TEST(Journey, AutomaticNarrationReadsTheStoryToItsLastPage)
{
    App a;
    ASSERT_TRUE(a.launch());
    ASSERT_TRUE(a.openFromGrid(1));
    const size_t before = a.sim->record().size();
    a.driver->clearLog();
    a.tapItem(a.page().play);
    EXPECT_TRUE(pageState().autoPlay);

    // Read until the last page has played its last word and gone quiet.
    const std::vector<int> lastWords = wordIndexesOf(8);
    ASSERT_FALSE(lastWords.empty());
    const double limit = a.driver->now() + 600;
    std::vector<int> pagesSeen{1};
    while (a.driver->now() < limit) {
        a.driver->step();
        if (bookSettings().currentPage != pagesSeen.back()) pagesSeen.push_back(bookSettings().currentPage);
        const cc::AudioEvent* last = a.sim->last(cc::AudioEvent::Kind::Play);
        if (bookSettings().currentPage == 8 && last && last->name == narrationFileOf(8, lastWords.back()) &&
            !a.narrationPlaying()) {
            break;
        }
    }
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}), pagesSeen);
    a.driver->advance(5);
    EXPECT_EQ(8, bookSettings().currentPage) << "no page after the last";
    EXPECT_TRUE(pageState().autoPlay) << "the pause image stays on the last page";

    // Heard: every index of every page in order, up to its highest (a missing
    // index is still asked for and plays nothing).
    std::vector<std::string> expected;
    for (int p = 1; p <= 8; ++p) {
        const std::vector<int> idx = wordIndexesOf(p);
        for (int i = 1; i <= idx.back(); ++i) expected.push_back(narrationFileOf(p, i));
    }
    std::vector<cc::AudioEvent> plays, ends;
    for (size_t k = before; k < a.sim->record().size(); ++k) {
        const cc::AudioEvent& e = a.sim->record()[k];
        if (e.kind == cc::AudioEvent::Kind::Play) plays.push_back(e);
        if (e.kind == cc::AudioEvent::Kind::End) ends.push_back(e);
    }
    EXPECT_EQ(expected, namesOf(plays));
    // Page 5 has no word 4: its play fails, the others decode.
    for (const cc::AudioEvent& e : plays) {
        EXPECT_EQ(e.name != narrationFileOf(5, 4), e.ok) << e.name;
    }
    // Within a page each word starts 0.5 s to 1.0 s after the previous one
    // ended (a failed file counts as ended at once).
    double quietSince = -1;
    size_t endIndex = 0;
    for (size_t k = 0; k < plays.size(); ++k) {
        if (k > 0 && quietSince >= 0) {
            const double gap = plays[k].time - quietSince;
            EXPECT_GE(gap, 0.5 - kFrameSlack) << plays[k].name;
            // A page turn in between adds the turn and the new page's skipped first tick.
            EXPECT_LE(gap, 1.0 + 0.7 + 0.5 + kFrameSlack) << plays[k].name;
        }
        if (plays[k].ok) {
            while (endIndex < ends.size() && ends[endIndex].name != plays[k].name) ++endIndex;
            quietSince = endIndex < ends.size() ? ends[endIndex].time : plays[k].time;
        } else {
            quietSince = plays[k].time;
        }
    }
    // The pages alternate their two classes while turning.
    EXPECT_EQ(4u, a.driver->loggedCount("Scene 2 onEnter"));
    EXPECT_EQ(4u, a.driver->loggedCount("Scene 1 onEnter") + 1);
    EXPECT_EQ(7u, a.driver->loggedCount("---------------------------------0000000000000") +
                      a.driver->loggedCount("Scene 2 onEnter"));

    // Pressing play/pause on the halted last page stops it.
    a.tapItem(a.page().play);
    EXPECT_FALSE(pageState().autoPlay);
}

TEST(Journey, WordsAreReadInTheOrderOfTheirGapsOnOnePage)
{
    // Within one page the gap between a word's end and the next start is 0.5 s to 1.0 s.
    App a;
    ASSERT_TRUE(a.launch());
    ASSERT_TRUE(a.openFromGrid(7));
    a.tapItem(a.page().play);
    const std::vector<int> idx = wordIndexesOf(7);
    while (bookSettings().currentPage == 7 && a.driver->now() < 300) a.driver->step();
    std::vector<cc::AudioEvent> plays = a.events(cc::AudioEvent::Kind::Play);
    std::vector<cc::AudioEvent> ends = a.events(cc::AudioEvent::Kind::End);
    ASSERT_GE(plays.size(), idx.size());
    for (size_t k = 0; k < idx.size(); ++k) {
        EXPECT_EQ(narrationFileOf(7, static_cast<int>(k) + 1), plays[k].name);
        ASSERT_TRUE(plays[k].ok);
    }
    ASSERT_GE(ends.size(), idx.size() - 1);
    for (size_t k = 1; k < idx.size(); ++k) {
        const double gap = plays[k].time - ends[k - 1].time;
        EXPECT_GE(gap, 0.5 - kFrameSlack) << k;
        EXPECT_LE(gap, 1.0 + kFrameSlack) << k;
    }
    // The first word begins about 0.7 s after play was pressed (0.2 s tick, then 0.5 s).
    EXPECT_GT(plays[0].time, 0.1);
}

TEST(Journey, SwipesTurnPagesBothWaysWithATransition)
{
    App a;
    ASSERT_TRUE(a.launch());
    ASSERT_TRUE(a.openFromGrid(1));
    // On the first page a swipe to the right does nothing.
    a.driver->drag(cc::CCPoint(200, 400), cc::CCPoint(400, 400));
    a.driver->step();
    EXPECT_FALSE(a.inTransition());
    EXPECT_EQ(1, bookSettings().currentPage);

    a.driver->clearLog();
    a.driver->drag(cc::CCPoint(450, 400), cc::CCPoint(250, 400));
    EXPECT_TRUE(a.inTransition()) << "the turn plays as a transition";
    EXPECT_EQ(2, bookSettings().currentPage);
    a.driver->advance(kTurn);
    EXPECT_FALSE(a.inTransition());
    EXPECT_EQ(2, a.page().variant);
    EXPECT_TRUE(a.driver->logged("Scene 2 onEnter"));
    EXPECT_TRUE(a.driver->logged("Scene 1 onExit"));
    EXPECT_TRUE(a.driver->logged("Scene 2: onEnterTransitionDidFinish"));

    // A swipe to the right goes back to page 1; one swipe turns one page.
    a.driver->drag(cc::CCPoint(150, 400), cc::CCPoint(550, 400), 8);
    a.driver->advance(kTurn);
    EXPECT_EQ(1, bookSettings().currentPage);
    EXPECT_EQ(1, a.page().variant);
    EXPECT_EQ(-1, pageState().turnDirection);
    // A short movement of 40 points turns nothing.
    a.driver->drag(cc::CCPoint(400, 400), cc::CCPoint(360, 400));
    a.driver->advance(kTurn);
    EXPECT_EQ(1, bookSettings().currentPage);
    // The next item turns as well; every page shows its words invisible and unhighlighted.
    a.tapItem(a.page().next);
    a.driver->advance(kTurn);
    EXPECT_EQ(2, bookSettings().currentPage);
    EXPECT_EQ(nullptr, a.page().currentWord());
}

TEST(Journey, TheWordLearningSectionAndBackToQuit)
{
    App a;
    ASSERT_TRUE(a.launch());
    a.tapAt(kWordsAt);
    a.driver->step();
    PageView v = a.page();
    ASSERT_NE(nullptr, v.layer);
    EXPECT_EQ(9, bookSettings().currentPage);
    EXPECT_FALSE(bookSettings().readingStarted) << "word learning is not a chosen page";
    const std::vector<int> idx = wordIndexesOf(9);
    ASSERT_EQ(4u, idx.size());

    // The first card's word button covers the whole card; tapped, the word
    // is highlighted, its sentence shows in a bubble that hangs in the same
    // container as the word, above every card.
    cc::UIWidget* first = v.word(9, 1);
    ASSERT_NE(nullptr, first);
    cc::UIWidget* card1 = cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(v.uiLayer->getRootWidget(), "card1");
    ASSERT_NE(nullptr, card1);
    EXPECT_NEAR(centreOf(card1).x, centreOf(first).x, 1);
    EXPECT_NEAR(centreOf(card1).y, centreOf(first).y, 1);
    EXPECT_EQ(card1->getSize().width, first->getSize().width);
    EXPECT_EQ(card1->getSize().height, first->getSize().height);
    a.tapWord(first);
    a.driver->advance(0.6);
    EXPECT_TRUE(shown(first));
    EXPECT_EQ(narrationFileOf(9, 1), a.events(cc::AudioEvent::Kind::Play).back().name);
    cc::UIButton* bubble = a.page().sentenceBubble();
    ASSERT_TRUE(shown(bubble));
    EXPECT_EQ(first->getParent(), bubble->getParent());
    cc::UIWidget* card3 = cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(v.uiLayer->getRootWidget(), "card3");
    ASSERT_NE(nullptr, card3);
    // The container of the words lies above the cards in drawing order.
    cc::UIWidget* holder = first->getParent();
    ASSERT_NE(nullptr, holder);
    EXPECT_GT(pagetest::nodeOf(holder)->getZOrder(), pagetest::nodeOf(card3)->getZOrder());
    EXPECT_EQ(card3->getParent(), holder->getParent());

    // Turning: next does nothing above pageMax; previous goes to the story's last page.
    a.tapItem(v.next);
    a.driver->advance(kTurn);
    EXPECT_EQ(9, bookSettings().currentPage);
    a.driver->drag(cc::CCPoint(500, 820), cc::CCPoint(250, 820));
    a.driver->advance(kTurn);
    EXPECT_EQ(9, bookSettings().currentPage);
    a.tapItem(a.page().previous);
    a.driver->advance(kTurn);
    EXPECT_EQ(8, bookSettings().currentPage);

    ASSERT_TRUE(a.returnFromPage());
    EXPECT_FALSE(shown(a.mainButton("bngoon"))) << "turning wrote the page, but no page was ever chosen";
    a.tapAt(kQuitAt);
    EXPECT_TRUE(a.driver->director()->hasEnded());
}

// Every card of the word-learning pages: a tap on a corner of it highlights
// its word, and its sentence bubble stays inside the window, clear of the
// other cards and of the page controls, and holds its whole sentence.
TEST(Journey, EveryWordCardAnswersAndItsSentenceStaysClearOfTheOtherCardsAndTheControls)
{
    App a;
    ASSERT_TRUE(a.launch());
    for (int pageNumber = 9; pageNumber <= 11; ++pageNumber) {
        bookSettings().currentPage = pageNumber;
        openPage();
        a.driver->step(2);
        PageView v = a.page();
        ASSERT_NE(nullptr, v.layer) << pageNumber;
        std::vector<cc::UIWidget*> cards;
        for (int i = 1; i <= 4; ++i) {
            cc::UIWidget* c = cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(
                v.uiLayer->getRootWidget(), ("card" + std::to_string(i)).c_str());
            if (c) cards.push_back(c);
        }
        ASSERT_GE(cards.size(), 3u);
        std::vector<cc::CCRect> controls;
        for (cc::CCMenuItem* item : {v.previous, v.play, v.next}) {
            if (item && item->isVisible()) controls.push_back(item->boundingBox());
        }
        for (cc::UIWidget* card : cards) {
            const int index = card->getName()[4] - '0';
            SCOPED_TRACE("page " + std::to_string(pageNumber) + " card " + std::to_string(index));
            // A corner of the card, far from its word.
            const cc::CCRect cardBox = boxOf(card);
            a.tapAt(cc::CCPoint(cardBox.getMinX() + 20, cardBox.getMaxY() - 20));
            a.driver->step();
            ASSERT_EQ(v.word(pageNumber, index), a.page().currentWord());
            cc::UIButton* bubble = a.page().sentenceBubble();
            ASSERT_TRUE(shown(bubble));
            const cc::CCRect b = boxOf(bubble);
            EXPECT_GE(b.getMinY(), 0);
            EXPECT_GE(b.getMinX(), 0);
            EXPECT_LE(b.getMaxX(), 640);
            for (cc::UIWidget* other : cards) {
                if (other != card) {
                    EXPECT_FALSE(overlaps(b, boxOf(other))) << "covers " << other->getName();
                }
            }
            for (const cc::CCRect& c : controls) EXPECT_FALSE(overlaps(b, c)) << "covers a page control";
            ASSERT_NE(nullptr, a.page().sentenceLabel());
            const cc::CCSize label = a.page().sentenceLabel()->getContentSize();
            EXPECT_LE(label.height + 960.0f / 40, b.size.height + 0.5f) << "the sentence fits its bubble";
            EXPECT_LE(label.width, b.size.width + 0.5f);
        }
    }
}

TEST(Journey, TheGridReturnButtonAndTheHint)
{
    App a;
    ASSERT_TRUE(a.launch());
    a.tapAt(kSelectAt);
    a.driver->advance(kSlideIn);
    ASSERT_NE(nullptr, a.gridReturn());
    EXPECT_NEAR(320, pagetest::itemCentre(a.gridReturn()).x, 0.5);
    EXPECT_NEAR(40, pagetest::itemCentre(a.gridReturn()).y, 0.5);
    a.tapItem(a.gridReturn());
    a.driver->step();
    ASSERT_NE(nullptr, a.mainMenu());
    EXPECT_FALSE(shown(a.mainButton("bngoon"))) << "nothing was chosen";

    ASSERT_TRUE(a.openFromGrid(2));
    // Three touch-downs at one place on the picture show the hint at the finger.
    const cc::CCPoint at(320, 420);
    a.tapAt(at);
    a.tapAt(at);
    EXPECT_FALSE(a.page().hintLabel()->isVisible());
    a.tapAt(at);
    EXPECT_TRUE(a.page().hintLabel()->isVisible());
    EXPECT_TRUE(a.driver->logged("ccTouchesBegan  --------yes--------------"));
    EXPECT_NEAR(at.x, a.page().hintLabel()->getPosition().x, 0.5);
    EXPECT_NEAR(at.y, a.page().hintLabel()->getPosition().y, 0.5);
    a.driver->advance(3.1);
    EXPECT_FALSE(a.page().hintLabel()->isVisible());
}
