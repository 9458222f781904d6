// Keys on the pages and in the page selection menu, handed to the director's
// key dispatcher as the window does: each does what a tap on its control
// does (the same log lines, sounds and state), nothing while a page turn
// plays, and a held key turns again only once the turn has played.
#include "PageTestSupport.h"

#include "book/MenuLayerMainMenu.h"
#include "book/MenuTestScene.h"
#include "book/TestController.h"

#include "audio/SimpleAudioEngine.h"
#include "menu/CCMenu.h"
#include "text/CCLabelTTF.h"
#include "scene/CCKeyDispatcher.h"

#include <gtest/gtest.h>

using namespace quibo;
using namespace quibo::pagetest;

namespace {

bool press(Journey& j, cc::CCKeyCode key, bool repeat = false, unsigned modifiers = cc::kCCKeyModifierNone)
{
    cc::CCKeyEvent e;
    e.key = key;
    e.repeat = repeat;
    e.modifiers = modifiers;
    return j.driver->director()->getKeyDispatcher()->dispatchKeyPressed(e);
}

bool onMainMenu(Journey& j)
{
    cc::CCScene* s = j.running();
    return s && s->getChildrenCount() == 1 && dynamic_cast<TestController*>(s->getChildren()->objectAtIndex(0));
}

// What a journey left behind, to compare a key's journey with a tap's.
struct Outcome {
    std::vector<std::string> log;
    std::vector<std::string> sounds;
    int page = 0;
    bool autoPlay = false;
};

Outcome outcomeOf(Journey& j)
{
    Outcome o;
    for (const std::string& line : j.driver->logLines()) {
        // The font resolver speaks once a process, whichever journey is first.
        if (line.rfind("CCLabelTTF: font", 0) != 0) o.log.push_back(line);
    }
    for (const cc::AudioEvent& e : j.sim->record()) {
        o.sounds.push_back(std::to_string(static_cast<int>(e.kind)) + " " + e.name);
    }
    o.page = bookSettings().currentPage;
    o.autoPlay = pageState().autoPlay;
    return o;
}

// Opens page 2, clears the records, then acts and lets 3 s pass.
Outcome journeyOnPageTwo(const std::function<void(Journey&)>& act)
{
    Journey j;
    j.open(2);
    j.driver->advance(0.1);
    j.driver->clearLog();
    j.sim->clearRecord();
    act(j);
    j.driver->advance(3.0);
    return outcomeOf(j);
}

void expectSame(const Outcome& tap, const Outcome& key)
{
    EXPECT_EQ(tap.log, key.log);
    EXPECT_EQ(tap.sounds, key.sounds);
    EXPECT_EQ(tap.page, key.page);
    EXPECT_EQ(tap.autoPlay, key.autoPlay);
}

} // namespace

TEST(PageKeys, EachKeyDoesExactlyWhatATapOnItsControlDoes)
{
    struct Case {
        cc::CCKeyCode key;
        cc::CCMenuItem* PageView::*item;
    };
    const Case cases[] = {{cc::kCCKeyRight, &PageView::next},     {cc::kCCKeyPageDown, &PageView::next},
                          {cc::kCCKeyLeft, &PageView::previous},  {cc::kCCKeyPageUp, &PageView::previous},
                          {cc::kCCKeySpace, &PageView::play},     {cc::kCCKeyEscape, &PageView::back}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.key));
        const Outcome tap = journeyOnPageTwo([&](Journey& j) { j.tapItem(j.page().*c.item); });
        const Outcome key = journeyOnPageTwo([&](Journey& j) { EXPECT_TRUE(press(j, c.key)); });
        expectSame(tap, key);
        EXPECT_FALSE(tap.log.empty());
    }
    // The outcomes themselves: next turned, previous turned back, play started narration.
    EXPECT_EQ(3, journeyOnPageTwo([](Journey& j) { press(j, cc::kCCKeyRight); }).page);
    EXPECT_EQ(1, journeyOnPageTwo([](Journey& j) { press(j, cc::kCCKeyPageUp); }).page);
    EXPECT_TRUE(journeyOnPageTwo([](Journey& j) { press(j, cc::kCCKeySpace); }).autoPlay);
}

TEST(PageKeys, EscapeGoesBackToTheMainMenuAndOtherKeysAreLeftAlone)
{
    Journey j;
    j.open(3);
    EXPECT_FALSE(press(j, cc::kCCKeyOther));
    EXPECT_FALSE(press(j, cc::kCCKeyRight, false, cc::kCCKeyModifierCtrl));
    EXPECT_FALSE(press(j, cc::kCCKeyUp));
    j.driver->advance(0.7);
    EXPECT_EQ(3, bookSettings().currentPage);
    EXPECT_TRUE(press(j, cc::kCCKeyEscape));
    j.driver->step(2);
    EXPECT_TRUE(onMainMenu(j));
}

TEST(PageKeys, NothingHappensWhileATurnPlaysAndAHeldKeyTurnsOncePerTurn)
{
    Journey j;
    j.open(1);
    ASSERT_TRUE(press(j, cc::kCCKeyRight));
    EXPECT_EQ(2, bookSettings().currentPage);
    j.driver->step();
    ASSERT_TRUE(j.running()->isTransition());
    // Key repeat at about 30 a second while the turn plays: all held back.
    for (int i = 0; i < 10 && j.running()->isTransition(); ++i) {
        EXPECT_FALSE(press(j, cc::kCCKeyRight, true));
        EXPECT_FALSE(press(j, cc::kCCKeyEscape));
        EXPECT_FALSE(press(j, cc::kCCKeySpace));
        j.driver->step(2);
    }
    EXPECT_EQ(2, bookSettings().currentPage);
    j.driver->advance(0.7);
    ASSERT_FALSE(j.running()->isTransition());
    EXPECT_EQ(2, j.page().variant);
    // Once the turn has played, the repeat of the held key turns again.
    EXPECT_TRUE(press(j, cc::kCCKeyRight, true));
    EXPECT_EQ(3, bookSettings().currentPage);
    // A turn already asked for on this page: a second press asks nothing more,
    // as a second tap on the item would not.
    press(j, cc::kCCKeyRight);
    EXPECT_EQ(3, bookSettings().currentPage);
    j.driver->advance(0.7);

    // Held Space or Escape act once: a repeat is no new press.
    const bool playing = pageState().autoPlay;
    EXPECT_TRUE(press(j, cc::kCCKeySpace));
    EXPECT_NE(playing, pageState().autoPlay);
    press(j, cc::kCCKeySpace, true);
    press(j, cc::kCCKeySpace, true);
    EXPECT_NE(playing, pageState().autoPlay);
}

TEST(PageKeys, SpaceDoesNothingWhereThePlayButtonIsHidden)
{
    Journey j;
    pageState().playMode = PlayMode::manual;
    j.open(2);
    ASSERT_FALSE(j.page().play->isVisible());
    j.driver->clearLog();
    j.sim->clearRecord();
    press(j, cc::kCCKeySpace);
    j.driver->advance(1.0);
    EXPECT_FALSE(pageState().autoPlay);
    EXPECT_TRUE(j.sim->record().empty());
    EXPECT_TRUE(j.driver->logLines().empty());
}

TEST(PageKeys, BracketsStepTheNarrationSpeedAndShowItForAMoment)
{
    Journey j;
    cc::SimpleAudioEngine* audio = cc::SimpleAudioEngine::sharedEngine();
    audio->setBackgroundMusicSpeed(1.0f);
    // On the main menu the reading keys do nothing.
    EXPECT_FALSE(press(j, cc::kCCKeyRightBracket));
    EXPECT_FLOAT_EQ(1.0f, audio->getBackgroundMusicSpeed());

    j.open(2);
    EXPECT_EQ(nullptr, j.page().layer->getSpeedNote()) << "nothing is made before a key asks";
    EXPECT_TRUE(press(j, cc::kCCKeyRightBracket));
    EXPECT_FLOAT_EQ(1.25f, audio->getBackgroundMusicSpeed());
    cc::CCLabelTTF* note = j.page().layer->getSpeedNote();
    ASSERT_NE(nullptr, note);
    EXPECT_TRUE(note->isVisible());
    EXPECT_STREQ("1.25x", note->getString());
    // In the hint's style: its font, size and colour.
    EXPECT_STREQ(j.page().hintLabel()->getFontName(), note->getFontName());
    EXPECT_FLOAT_EQ(j.page().hintLabel()->getFontSize(), note->getFontSize());
    EXPECT_EQ(j.page().hintLabel()->getColor().b, note->getColor().b);
    // Held down it steps on, and stops at the limit.
    for (int i = 0; i < 5; ++i) press(j, cc::kCCKeyRightBracket, i > 0);
    EXPECT_FLOAT_EQ(2.0f, audio->getBackgroundMusicSpeed());
    EXPECT_STREQ("2.0x", note->getString());
    // A moment later the note is gone; the speed stays.
    j.driver->advance(1.0);
    EXPECT_TRUE(note->isVisible());
    j.driver->advance(0.6);
    EXPECT_FALSE(note->isVisible());
    EXPECT_FLOAT_EQ(2.0f, audio->getBackgroundMusicSpeed());

    for (int i = 0; i < 8; ++i) press(j, cc::kCCKeyLeftBracket);
    EXPECT_FLOAT_EQ(0.5f, audio->getBackgroundMusicSpeed());
    EXPECT_TRUE(note->isVisible());
    EXPECT_STREQ("0.5x", note->getString());
    // The next word plays at the new speed, and on the next page too.
    j.sim->clearRecord();
    j.tapWord(j.page().word(2, 1));
    ASSERT_FALSE(j.playEvents().empty());
    EXPECT_FLOAT_EQ(0.5f, j.playEvents().back().speed);
    j.open(3);
    EXPECT_FLOAT_EQ(0.5f, audio->getBackgroundMusicSpeed());
    audio->setBackgroundMusicSpeed(1.0f);
}

TEST(SelectionMenuKeys, ArrowsStepScreensAndEscapeReturnsLikeTheButtons)
{
    ScratchPages book(1, 45);
    const std::string bundled = cc::CCFileUtils::defaultResourceRoot();
    cc::CCFileUtils::sharedFileUtils()->setSearchPaths({book.root(), bundled});
    Journey j;
    const MainMenuRoutes saved = mainMenuRoutes();
    mainMenuRoutes().openPage = &openPage;
    mainMenuRoutes().openSelectionMenu = &runSelectionMenu;
    MenuPaging::reset();
    ASSERT_TRUE(runSelectionMenu());
    j.driver->step();
    auto grid = [&]() -> MenuLayerMainMenu* {
        auto* s = dynamic_cast<MenuTestScene*>(j.running());
        return s ? s->getMenuLayer() : nullptr;
    };
    ASSERT_NE(nullptr, grid());
    const int first = menuPaging().menuFirst;

    // While the grid slides in, a key steps as a tap on the moving button would.
    EXPECT_TRUE(press(j, cc::kCCKeyRight));
    j.driver->step();
    const int second = menuPaging().menuFirst;
    EXPECT_GT(second, first);
    MenuLayerMainMenu* steppedTo = grid();
    ASSERT_NE(nullptr, steppedTo);
    // A held key is one step.
    press(j, cc::kCCKeyRight, true);
    j.driver->step();
    EXPECT_EQ(second, menuPaging().menuFirst);
    EXPECT_EQ(steppedTo, grid());

    press(j, cc::kCCKeyLeft);
    j.driver->step();
    EXPECT_EQ(first, menuPaging().menuFirst);
    // On the first screen Left is a grey button: nothing happens, as on a tap.
    MenuLayerMainMenu* firstScreen = grid();
    press(j, cc::kCCKeyLeft);
    j.driver->step();
    EXPECT_EQ(firstScreen, grid());

    j.driver->clearLog();
    EXPECT_TRUE(press(j, cc::kCCKeyEscape));
    j.driver->step(2);
    EXPECT_TRUE(onMainMenu(j));
    EXPECT_TRUE(j.driver->logged("-----------TestController----- tale -------------- !"));
    MenuPaging::reset();
    mainMenuRoutes() = saved;
}
