// The narration of a page on its own, on the frame driver with the simulated
// audio backend, through a recording stand-in for the page: the timing of the
// three play modes measured from where the audio engine reported a word's
// end, pause and resume, the skip rule, a missing narration file, a missing
// button index, word taps, the page strings read once, and the stage.
#include "PageTestSupport.h"

#include "book/Narration.h"

#include "base/CCRefPtr.h"
#include "gui/UIWidget.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

using namespace quibo;
using namespace quibo::pagetest;

namespace {

// Stands in for the page: word buttons by name, and a line for everything
// the narration tells it.
class RecordingPage : public NarrationPage {
public:
    explicit RecordingPage(int page, std::initializer_list<int> indexes)
    {
        for (int i : indexes) {
            const std::string name = wordButtonName(page, i);
            cc::UIWidget* w = cc::UIWidget::create();
            w->setName(name.c_str());
            w->setPosition(cc::CCPoint(100.0f * i, 50));
            words[name] = cc::CCRefPtr<cc::UIWidget>(w);
        }
    }
    cc::UIWidget* word(int page, int index) const
    {
        auto it = words.find(wordButtonName(page, index));
        return it != words.end() ? it->second.get() : nullptr;
    }

    cc::UIWidget* findWordButton(const std::string& name) override
    {
        auto it = words.find(name);
        return it != words.end() ? it->second.get() : nullptr;
    }
    bool hasSentenceBubble() const override { return bubble; }
    cc::CCPoint unhighlightWord(cc::UIWidget* w) override
    {
        calls.push_back(std::string("unhighlight ") + w->getName());
        return w->getPosition();
    }
    void highlightWord(cc::UIWidget* w, const cc::CCPoint& from) override
    {
        calls.push_back(std::string("highlight ") + w->getName() + " from " + std::to_string(int(from.x)));
    }
    void keepWordFocused(cc::UIWidget* w) override { calls.push_back(std::string("focus ") + w->getName()); }
    void showSentence(cc::UIWidget* w, const std::string* sentence) override
    {
        calls.push_back(std::string("sentence ") + w->getName() + " " + (sentence ? *sentence : "(none)"));
    }
    void turnToNextPage() override
    {
        calls.push_back("turn");
        turnedAt.push_back(clock ? clock->now() : -1);
    }

    bool has(const std::string& call) const { return std::find(calls.begin(), calls.end(), call) != calls.end(); }

    std::map<std::string, cc::CCRefPtr<cc::UIWidget>> words;
    bool bubble = true;
    std::vector<std::string> calls;
    std::vector<double> turnedAt;
    const cc::FrameDriver* clock = nullptr;
};

// A book of three pages of three words, each narrated by the short tone,
// with page strings for some words of page 1.
struct NarrationBook {
    ScratchPages book{1, 3};
    NarrationBook()
    {
        for (int page = 1; page <= 3; ++page) {
            for (int i = 1; i <= 3; ++i) book.writeNarration(page, i, testAudio("tone_short.mp3"));
        }
        book.writeStrings({{"str011", "First"}, {"str012", "Second"}});
    }
};

struct NarrationRun {
    NarrationBook files;
    Journey j;
    RecordingPage page{1, {1, 2, 3}};
    cc::CCRefPtr<Narration> narration;

    explicit NarrationRun(PlayMode mode)
    {
        pageState().playMode = mode;
        bookSettings().currentPage = 1;
        page.clock = j.driver.get();
        narration.reset(Narration::create(page));
    }
    ~NarrationRun() { narration.reset(); }

    // The page is built and comes on stage.
    bool enter(int highestIndex = 3)
    {
        const bool goesOn = narration->beginPage(highestIndex);
        narration->pageEntered();
        return goesOn;
    }
    std::vector<cc::AudioEvent> events(cc::AudioEvent::Kind kind) const
    {
        std::vector<cc::AudioEvent> out;
        for (const cc::AudioEvent& e : j.sim->record()) {
            if (e.kind == kind) out.push_back(e);
        }
        return out;
    }
    std::vector<cc::AudioEvent> plays() const { return events(cc::AudioEvent::Kind::Play); }
    // Seconds from the end the audio engine reported before play k to play k.
    double gapBefore(size_t k) const
    {
        const std::vector<cc::AudioEvent> p = plays();
        double ended = -1;
        for (const cc::AudioEvent& e : events(cc::AudioEvent::Kind::End)) {
            if (e.time <= p[k].time) ended = e.time;
        }
        return p[k].time - ended;
    }
};

bool isFileOf(const cc::AudioEvent& e, int page, int index) { return e.name == Narration::narrationFile(page, index); }

const double kSlack = 0.02; // a frame at 60 Hz is 0.0167 s

} // namespace

TEST(Narration, NarrationFileIsTheHashedNameInTheBooksNarrationFolder)
{
    EXPECT_EQ("qovarn_3391_ver10/epc/" + md5Hex("mc013.mp3") + ".mp3", Narration::narrationFile(1, 3));
    EXPECT_EQ("qovarn_3391_ver10/epc/" + md5Hex("mc125.mp3") + ".mp3", Narration::narrationFile(12, 5));
    EXPECT_EQ("qovarn_3391_ver10/epc/" + md5Hex("mc0715.mp3") + ".mp3", Narration::narrationFile(7, 15));
}

TEST(Narration, RepeatPageTimesEachWordAfterTheLastEndAndStartsThePageAgain)
{
    NarrationRun r(PlayMode::repeatPage);
    EXPECT_FALSE(r.enter());
    EXPECT_FALSE(r.narration->isTicking());
    EXPECT_EQ(1, r.narration->nextWordIndex());
    EXPECT_EQ(3, r.narration->wordCount());
    const double pressed = r.j.driver->now();
    EXPECT_TRUE(r.narration->togglePlay());
    EXPECT_TRUE(pageState().autoPlay);
    r.j.driver->advance(12.0);

    const std::vector<cc::AudioEvent> plays = r.plays();
    ASSERT_GE(plays.size(), 7u);
    EXPECT_NEAR(0.2, plays[0].time - pressed, kSlack);
    for (size_t k = 0; k < plays.size(); ++k) {
        EXPECT_TRUE(isFileOf(plays[k], 1, static_cast<int>(k % 3) + 1)) << k;
        if (k == 0) continue;
        const double gap = r.gapBefore(k);
        if (k % 3 == 0) {
            // Word 1 again: the page-finished tick, a skipped 0.2 s tick, then the next.
            EXPECT_GE(gap, 1.2 - kSlack) << k;
            EXPECT_LE(gap, 1.7 + kSlack) << k;
        } else {
            EXPECT_GE(gap, 0.5 - kSlack) << k;
            EXPECT_LE(gap, 1.0 + kSlack) << k;
        }
    }
    EXPECT_TRUE(r.j.driver->logged("bnName-----------bn013---------===="));
    // Highlight and sentence follow the words; the previous highlight glides in from its place.
    EXPECT_TRUE(r.page.has("highlight bn011 from 0"));
    EXPECT_TRUE(r.page.has("unhighlight bn011"));
    EXPECT_TRUE(r.page.has("highlight bn012 from 100"));
    EXPECT_TRUE(r.page.has("sentence bn012 Second"));
    EXPECT_TRUE(r.page.has("sentence bn013 (none)"));
    EXPECT_FALSE(r.page.has("turn"));
    EXPECT_TRUE(r.narration->isTicking());
}

TEST(Narration, AutoTurnTurnsAfterTheLastWordAndTheNextPageGoesOnWhileTheLastHalts)
{
    NarrationRun r(PlayMode::autoTurn);
    r.enter();
    r.narration->togglePlay();
    r.j.driver->advance(8.0);
    const std::vector<cc::AudioEvent> plays = r.plays();
    ASSERT_EQ(3u, plays.size());
    ASSERT_EQ(1u, r.page.turnedAt.size());
    const double lastEnd = r.events(cc::AudioEvent::Kind::End).back().time;
    EXPECT_GE(r.page.turnedAt[0] - lastEnd, 0.5 - kSlack);
    EXPECT_LE(r.page.turnedAt[0] - lastEnd, 1.0 + kSlack);
    // The tick stops at the turn; the skip flag carries over to the next page.
    EXPECT_FALSE(r.narration->isTicking());
    EXPECT_TRUE(pageState().skipIdleTick);
    EXPECT_TRUE(pageState().autoPlay);

    // The next page's narration goes on: its first tick is skipped, the next plays word 1.
    r.narration->pageLeft();
    bookSettings().currentPage = 2;
    RecordingPage second(2, {1, 2, 3});
    second.clock = r.j.driver.get();
    cc::CCRefPtr<Narration> next(Narration::create(second));
    EXPECT_TRUE(next->beginPage(3));
    next->pageEntered();
    const double entered = r.j.driver->now();
    r.j.driver->advance(1.0);
    ASSERT_EQ(4u, r.plays().size());
    EXPECT_TRUE(isFileOf(r.plays()[3], 2, 1));
    EXPECT_NEAR(0.7, r.plays()[3].time - entered, kSlack);

    // On the last page the page cannot turn: narration halts, autoPlay stays.
    r.j.driver->advance(8.0);
    EXPECT_EQ(6u, r.plays().size());
    EXPECT_EQ(1u, second.turnedAt.size());
    EXPECT_FALSE(next->isTicking());
    EXPECT_TRUE(pageState().autoPlay);
    r.j.driver->advance(3.0);
    EXPECT_EQ(6u, r.plays().size());
    // Play/pause then stops; pressed again it ticks to the end of the page and halts again.
    EXPECT_FALSE(next->togglePlay());
    EXPECT_TRUE(next->togglePlay());
    r.j.driver->advance(2.0);
    EXPECT_EQ(6u, r.plays().size());
    EXPECT_EQ(2u, second.turnedAt.size());
    EXPECT_FALSE(next->isTicking());
}

TEST(Narration, ManualModeAndEveryOtherModeSwitchAutoPlayOffOnANewPage)
{
    for (PlayMode mode : {PlayMode::manual, PlayMode::repeatPage}) {
        NarrationRun r(mode);
        pageState().autoPlay = true;
        EXPECT_FALSE(r.enter());
        EXPECT_FALSE(pageState().autoPlay);
        EXPECT_FALSE(r.narration->autoPlay());
        EXPECT_FALSE(r.narration->isTicking());
        r.j.driver->advance(3.0);
        EXPECT_TRUE(r.plays().empty());
        // A tapped word still plays.
        r.narration->wordTapped(r.page.word(1, 2), 2);
        ASSERT_EQ(1u, r.plays().size());
        EXPECT_TRUE(isFileOf(r.plays()[0], 1, 2));
        EXPECT_EQ(3, r.narration->nextWordIndex());
    }
}

TEST(Narration, PauseStopsTheSoundAndResumeGoesOnWithTheNextWord)
{
    NarrationRun r(PlayMode::repeatPage);
    r.enter();
    r.narration->togglePlay();
    r.j.driver->advance(0.3);
    ASSERT_EQ(1u, r.plays().size());
    ASSERT_TRUE(Narration::isPlaying());
    const size_t stopsBefore = r.events(cc::AudioEvent::Kind::Stop).size();
    EXPECT_FALSE(r.narration->togglePlay());
    EXPECT_FALSE(Narration::isPlaying());
    EXPECT_EQ(stopsBefore + 1, r.events(cc::AudioEvent::Kind::Stop).size());
    EXPECT_FLOAT_EQ(1.0f, r.events(cc::AudioEvent::Kind::Volume).back().volume);
    EXPECT_FALSE(r.narration->isTicking());
    EXPECT_EQ(2, r.narration->nextWordIndex());
    r.j.driver->advance(3.0);
    EXPECT_EQ(1u, r.plays().size());

    const double resumed = r.j.driver->now();
    EXPECT_TRUE(r.narration->togglePlay());
    r.j.driver->advance(0.8);
    ASSERT_EQ(2u, r.plays().size());
    EXPECT_TRUE(isFileOf(r.plays()[1], 1, 2));
    EXPECT_NEAR(0.7, r.plays()[1].time - resumed, kSlack);
}

TEST(Narration, TheFirstSilentTickAfterAWordOnlyClearsTheSkipFlag)
{
    NarrationRun r(PlayMode::repeatPage);
    r.enter();
    EXPECT_FALSE(pageState().skipIdleTick);
    r.narration->togglePlay();
    r.j.driver->advance(0.25);
    ASSERT_EQ(1u, r.plays().size());
    EXPECT_TRUE(pageState().skipIdleTick);
    // Step to the first tick that finds the word ended: it plays nothing.
    while (Narration::isPlaying()) r.j.driver->step();
    while (pageState().skipIdleTick && r.j.driver->now() < 10) r.j.driver->step();
    EXPECT_EQ(1u, r.plays().size());
    // The next tick, 0.5 s on, plays word 2.
    const double cleared = r.j.driver->now();
    while (r.plays().size() == 1 && r.j.driver->now() < 10) r.j.driver->step();
    ASSERT_EQ(2u, r.plays().size());
    EXPECT_NEAR(0.5, r.plays()[1].time - cleared, kSlack);
}

TEST(Narration, AMissingFilePlaysNothingAndTheNextWordFollowsASecondLater)
{
    NarrationRun r(PlayMode::repeatPage);
    bookSettings().currentPage = 2;
    RecordingPage two(2, {1, 2, 3});
    cc::CCRefPtr<Narration> n(Narration::create(two));
    // Page 2's word 2 has no file.
    std::remove((r.files.book.root() + "/" + Narration::narrationFile(2, 2)).c_str());
    n->beginPage(3);
    n->pageEntered();
    n->togglePlay();
    r.j.driver->advance(4.0);
    const std::vector<cc::AudioEvent> plays = r.plays();
    ASSERT_GE(plays.size(), 3u);
    EXPECT_TRUE(isFileOf(plays[1], 2, 2));
    EXPECT_FALSE(plays[1].ok);
    // One skipped tick (0.5 s), then the next plays.
    EXPECT_TRUE(isFileOf(plays[2], 2, 3));
    EXPECT_NEAR(1.0, plays[2].time - plays[1].time, kSlack);
    EXPECT_TRUE(two.has("highlight bn022 from 100"));
    n.reset();
}

TEST(Narration, AMissingButtonIndexIsNarratedWithoutHighlightOrSentence)
{
    NarrationRun r(PlayMode::repeatPage);
    r.page.words.erase(wordButtonName(1, 2));
    r.enter();
    r.narration->togglePlay();
    while (r.plays().size() < 2 && r.j.driver->now() < 10) r.j.driver->step();
    ASSERT_EQ(2u, r.plays().size());
    EXPECT_TRUE(isFileOf(r.plays()[1], 1, 2));
    EXPECT_TRUE(r.j.driver->logged("bnName-----------bn012---------===="));
    // The highlight of word 1 is dropped and nothing takes its place.
    EXPECT_TRUE(r.page.has("unhighlight bn011"));
    EXPECT_EQ(nullptr, r.narration->currentWord());
    for (const std::string& call : r.page.calls) {
        EXPECT_EQ(std::string::npos, call.find("bn012")) << call;
    }
    // Word 3 glides in from the origin: no word was highlighted before it.
    while (r.plays().size() < 3 && r.j.driver->now() < 10) r.j.driver->step();
    EXPECT_TRUE(r.page.has("highlight bn013 from 0"));
    EXPECT_EQ(r.page.word(1, 3), r.narration->currentWord());
}

TEST(Narration, AutomaticNarrationShowsSentencesOnlyOnAPageWithABubble)
{
    NarrationRun r(PlayMode::repeatPage);
    r.page.bubble = false;
    r.enter();
    r.narration->togglePlay();
    r.j.driver->advance(2.0);
    ASSERT_GE(r.plays().size(), 2u);
    EXPECT_TRUE(r.page.has("highlight bn012 from 100"));
    for (const std::string& call : r.page.calls) {
        EXPECT_EQ(std::string::npos, call.find("sentence")) << call;
    }
    EXPECT_FALSE(r.j.driver->logged("test11111111111111-------------------===="));
    // A tap shows its sentence all the same.
    r.narration->wordTapped(r.page.word(1, 1), 1);
    EXPECT_TRUE(r.page.has("sentence bn011 First"));
    EXPECT_TRUE(r.j.driver->logged("test11111111111111-------------------===="));
}

TEST(Narration, TapsPlayAtOnceRedirectAutomaticNarrationAndKeepTheSameWordRule)
{
    NarrationRun r(PlayMode::repeatPage);
    r.enter();
    cc::UIWidget* w1 = r.page.word(1, 1);
    cc::UIWidget* w3 = r.page.word(1, 3);
    r.narration->wordTapped(w1, 1);
    ASSERT_EQ(1u, r.plays().size());
    EXPECT_EQ(w1, r.narration->currentWord());
    EXPECT_EQ(2, r.narration->nextWordIndex());
    EXPECT_TRUE(r.page.has("highlight bn011 from 0"));
    EXPECT_TRUE(r.page.has("sentence bn011 First"));
    // The same word again while it plays: only its focus is kept.
    r.narration->wordTapped(w1, 1);
    EXPECT_EQ(1u, r.plays().size());
    EXPECT_TRUE(r.page.has("focus bn011"));
    // After it ended it plays again, gliding from where it stands.
    while (Narration::isPlaying()) r.j.driver->step();
    r.page.calls.clear();
    r.narration->wordTapped(w1, 1);
    EXPECT_EQ(2u, r.plays().size());
    EXPECT_EQ((std::vector<std::string>{"unhighlight bn011", "highlight bn011 from 100", "sentence bn011 First"}),
              r.page.calls);

    // A tap during automatic narration plays at once and narration goes on after it.
    r.narration->togglePlay();
    r.j.driver->advance(0.1);
    r.narration->wordTapped(w3, 3);
    EXPECT_TRUE(isFileOf(r.plays().back(), 1, 3));
    EXPECT_EQ(4, r.narration->nextWordIndex());
    EXPECT_EQ(w3, r.narration->currentWord());
    const size_t before = r.plays().size();
    while (r.plays().size() == before && r.j.driver->now() < 20) r.j.driver->step();
    // Past the last word: the page starts again at word 1.
    EXPECT_TRUE(isFileOf(r.plays().back(), 1, 1));
}

TEST(Narration, ThePageStringsAreReadOncePerPage)
{
    NarrationRun r(PlayMode::repeatPage);
    r.enter();
    r.narration->wordTapped(r.page.word(1, 1), 1);
    EXPECT_TRUE(r.page.has("sentence bn011 First"));
    // A changed file is not read again by this page...
    r.files.book.writeStrings({{"str011", "Changed"}});
    while (Narration::isPlaying()) r.j.driver->step();
    r.narration->wordTapped(r.page.word(1, 1), 1);
    r.narration->wordTapped(r.page.word(1, 2), 2);
    EXPECT_FALSE(r.page.has("sentence bn011 Changed"));
    EXPECT_TRUE(r.page.has("sentence bn012 Second"));
    EXPECT_EQ(3u, r.j.driver->loggedCount("test11111111111111-------------------===="));
    // ...the next page's narration reads it afresh.
    RecordingPage again(1, {1});
    cc::CCRefPtr<Narration> n(Narration::create(again));
    n->beginPage(1);
    n->wordTapped(again.word(1, 1), 1);
    EXPECT_TRUE(again.has("sentence bn011 Changed"));
}

TEST(Narration, MissingPageStringsAreReportedOncePerPageAndShowNoSentence)
{
    NarrationRun r(PlayMode::repeatPage);
    std::remove((r.files.book.root() + "/" + pageStringsPath()).c_str());
    r.enter();
    r.narration->wordTapped(r.page.word(1, 1), 1);
    while (Narration::isPlaying()) r.j.driver->step();
    r.narration->wordTapped(r.page.word(1, 2), 2);
    EXPECT_TRUE(r.page.has("sentence bn011 (none)"));
    EXPECT_TRUE(r.page.has("sentence bn012 (none)"));
    EXPECT_FALSE(r.j.driver->logged("test11111111111111-------------------===="));
    size_t reports = 0;
    for (const std::string& line : r.j.driver->logLines()) {
        if (line.find("Stringstr.xml") != std::string::npos) ++reports;
    }
    EXPECT_EQ(1u, reports);
    EXPECT_EQ(2u, r.plays().size());
}

TEST(Narration, TheTickWaitsOffStageAndStopsWhenThePageLeaves)
{
    NarrationRun r(PlayMode::autoTurn);
    pageState().autoPlay = true;
    // Built but not yet on stage (a page-turn transition has not begun): nothing plays.
    EXPECT_TRUE(r.narration->beginPage(3));
    EXPECT_TRUE(r.narration->isTicking());
    r.j.driver->advance(2.0);
    EXPECT_TRUE(r.plays().empty());
    const double entered = r.j.driver->now();
    r.narration->pageEntered();
    r.j.driver->advance(0.3);
    ASSERT_EQ(1u, r.plays().size());
    EXPECT_NEAR(0.2, r.plays()[0].time - entered, kSlack);
    EXPECT_EQ(r.page.word(1, 1), r.narration->currentWord());

    // Leaving: the tick stops and the highlighted word is let go; autoPlay stays.
    r.narration->pageLeft();
    EXPECT_FALSE(r.narration->isTicking());
    EXPECT_EQ(nullptr, r.narration->currentWord());
    EXPECT_TRUE(pageState().autoPlay);
    r.j.driver->advance(3.0);
    EXPECT_EQ(1u, r.plays().size());

    // Turning away stops the tick and forgets the word; the main menu also switches autoPlay off.
    r.narration.reset(Narration::create(r.page));
    r.enter();
    r.j.driver->advance(0.8); // the carried-over skip flag costs the first tick
    ASSERT_NE(nullptr, r.narration->currentWord());
    r.narration->stopTicking();
    r.narration->forgetHighlightedWord();
    EXPECT_FALSE(r.narration->isTicking());
    EXPECT_EQ(nullptr, r.narration->currentWord());
    EXPECT_TRUE(pageState().autoPlay);
    r.narration->togglePlay(); // off
    r.narration->togglePlay(); // on
    EXPECT_TRUE(r.narration->isTicking());
    r.narration->cancelAutoPlay();
    EXPECT_FALSE(pageState().autoPlay);
    EXPECT_FALSE(r.narration->isTicking());
}
