// The main menu on the frame driver with a real UI layer: which buttons show
// for the book state, hidden buttons ignoring touches, one action per touch,
// quitting, narration silenced on entry, and a layout missing buttons.
#include "BookTestSupport.h"
#include "engine/audio/AudioTestFiles.h"

#include "book/BookSettings.h"
#include "book/TestController.h"

#include "audio/SimpleAudioEngine.h"
#include "audio/SimulatedAudioBackend.h"
#include "gui/Layout.h"
#include "gui/UILayer.h"
#include "gui/UIRootWidget.h"
#include "gui/WidgetLookup.h"
#include "platform/FrameDriver.h"
#include "render/CCImage.h"
#include "scene/CCDirector.h"
#include "scene/CCScene.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace quibo {
namespace {

// Where the test layout puts each button's centre (design points); each is 200 x 80.
const cc::CCPoint kContinueAt(320, 800), kWordsAt(320, 600), kSelectAt(320, 400), kQuitAt(320, 200);

std::string buttonNode(const char* name, const cc::CCPoint& at)
{
    return std::string("{\"classname\": \"Button\", \"children\": [], \"options\": {\"name\": \"") + name +
           "\", \"x\": " + std::to_string(at.x) + ", \"y\": " + std::to_string(at.y) +
           ", \"width\": 200, \"height\": 80, \"ignoreSize\": false, \"touchAble\": true,"
           " \"normalData\": {\"resourceType\": 0, \"path\": \"button.png\"}}}";
}

// A scratch book whose main-menu layout holds the named buttons.
struct MenuBook : testing::ScratchBook {
    explicit MenuBook(const std::string& wordMin = "9",
                      const std::vector<const char*>& buttons = {"bngoon", "bnwordlean", "bnselect", "bnreturn"})
    {
        writeConfiguration(testing::configurationWith("wordMin", wordMin));
        const std::string dir = root() + "/mainpage";
        std::system(("mkdir -p '" + dir + "'").c_str());
        std::vector<unsigned char> px(40 * 20 * 4, 200);
        cc::CCImage::savePNG(dir + "/button.png", px.data(), 40, 20);
        const std::vector<std::pair<const char*, cc::CCPoint>> places = {
            {"bngoon", kContinueAt}, {"bnwordlean", kWordsAt}, {"bnselect", kSelectAt}, {"bnreturn", kQuitAt}};
        std::string children;
        for (const auto& place : places) {
            for (const char* wanted : buttons) {
                if (std::string(wanted) != place.first) continue;
                if (!children.empty()) children += ", ";
                children += buttonNode(place.first, place.second);
            }
        }
        std::ofstream(dir + "/mainpage_1.json")
            << "{\"version\": \"1.2.0.0\", \"designWidth\": 640, \"designHeight\": 960, \"textures\": [],"
               " \"widgetTree\": {\"classname\": \"Panel\", \"options\": {\"name\": \"mainpage\", \"anchorPointX\": 0, \"anchorPointY\": 0, \"width\": 640,"
               " \"height\": 960}, \"children\": ["
            << children << "]}}";
    }
};

// Counts how often each route was taken, and the page asked for.
struct Routes {
    static int pages, menus, lastPage;
    // What the openers answer: false plays a screen that could not be built.
    static bool opens;
    // Counting openers in place of the real ones, which come back at the end.
    explicit Routes(bool screensOpen = true) : saved(mainMenuRoutes())
    {
        opens = screensOpen;
        pages = menus = 0;
        lastPage = -100;
        mainMenuRoutes().openPage = [] {
            ++pages;
            lastPage = bookSettings().currentPage;
            return opens;
        };
        mainMenuRoutes().openSelectionMenu = [] {
            ++menus;
            return opens;
        };
    }
    ~Routes() { mainMenuRoutes() = saved; }
    MainMenuRoutes saved;
};

// No openers at all, as before the page scene and the selection menu existed.
struct NoRoutes {
    MainMenuRoutes saved = mainMenuRoutes();
    NoRoutes() { mainMenuRoutes() = MainMenuRoutes(); }
    ~NoRoutes() { mainMenuRoutes() = saved; }
};
int Routes::pages = 0, Routes::menus = 0, Routes::lastPage = 0;
bool Routes::opens = true;

// The frame driver with the simulated audio backend on its clock.
struct Stage {
    cc::FrameDriver driver;
    cc::SimulatedAudioBackend* audio = cc::SimpleAudioEngine::sharedEngine()->useSimulatedBackend();
    TestController* menu = nullptr;
    Stage()
    {
        driver.onClock(&cc::SimpleAudioEngine::advanceSimulatedClock);
        driver.onTeardown(&cc::SimpleAudioEngine::end);
    }
    bool showMenu()
    {
        cc::CCScene* scene = TestController::scene();
        if (!scene) return false;
        menu = static_cast<TestController*>(scene->getChildren()->objectAtIndex(0));
        driver.show(scene);
        return true;
    }
    cc::UIWidget* button(const char* name) const
    {
        return cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(menu->getUILayer()->getRootWidget(), name);
    }
};

void startFresh(bool readingStarted, int currentPage)
{
    bookSettings().reset();
    bookSettings().readingStarted = readingStarted;
    bookSettings().currentPage = currentPage;
}

TEST(MainMenu, ButtonsShowAsTheBookStateAllows)
{
    struct Case {
        bool started;
        int page;
        const char* wordMin;
        bool continueShown, wordsShown;
    };
    const Case cases[] = {
        {false, 0, "9", false, true},  // first start
        {true, 3, "9", true, true},    // back from reading
        {true, -1, "1", false, true},  // no page to continue at
        {true, 0, "0", true, false},   // a book without a word section
        {false, 5, "-4", false, false},
    };
    for (const Case& c : cases) {
        MenuBook book(c.wordMin);
        startFresh(c.started, c.page);
        Stage stage;
        ASSERT_TRUE(stage.showMenu());
        ASSERT_NE(nullptr, stage.menu->getRootLayout());
        cc::UIWidget* goOn = stage.button("bngoon");
        cc::UIWidget* words = stage.button("bnwordlean");
        ASSERT_NE(nullptr, goOn);
        ASSERT_NE(nullptr, words);
        EXPECT_EQ(c.continueShown, goOn->isVisible()) << c.started << " " << c.page;
        EXPECT_EQ(c.continueShown, goOn->isTouchEnabled());
        EXPECT_EQ(c.wordsShown, words->isVisible()) << c.wordMin;
        EXPECT_EQ(c.wordsShown, words->isTouchEnabled());
        EXPECT_TRUE(stage.button("bnselect")->isVisible());
        EXPECT_TRUE(stage.button("bnreturn")->isVisible());
        // The configuration was read on the way in.
        EXPECT_TRUE(stage.driver.logged("-----------TestController----- tale -------------- !"));
    }
    bookSettings().reset();
}

TEST(MainMenu, HiddenButtonsIgnoreTouchesAtTheirPlace)
{
    MenuBook book("0");
    startFresh(false, 2);
    Routes routes;
    Stage stage;
    ASSERT_TRUE(stage.showMenu());
    stage.driver.tap(kContinueAt);
    stage.driver.tap(kWordsAt);
    stage.driver.step();
    EXPECT_EQ(0, Routes::pages);
    EXPECT_EQ(2, bookSettings().currentPage);
    EXPECT_FALSE(stage.button("bngoon")->isFocused());
    EXPECT_FALSE(stage.driver.director()->hasEnded());
    bookSettings().reset();
}

TEST(MainMenu, EachButtonActsOnceOnTouchDown)
{
    MenuBook book("9");
    startFresh(true, 4);
    {
        Routes routes;
        Stage stage;
        ASSERT_TRUE(stage.showMenu());
        // Acts at touch-down, before the finger is lifted...
        stage.driver.touchDown(kContinueAt);
        stage.driver.step();
        EXPECT_EQ(1, Routes::pages);
        EXPECT_EQ(4, Routes::lastPage);
        // ...and not again for the moves and the release of that touch.
        stage.driver.touchMove(kContinueAt + cc::CCPoint(5, 5));
        stage.driver.step();
        stage.driver.touchUp(kContinueAt);
        stage.driver.step();
        EXPECT_EQ(1, Routes::pages);
        // The menu has led away: a later touch on another button does nothing.
        stage.driver.tap(kSelectAt);
        EXPECT_EQ(0, Routes::menus);
        EXPECT_EQ(1, Routes::pages);
    }
    {
        Routes routes;
        Stage stage;
        ASSERT_TRUE(stage.showMenu());
        stage.driver.drag(kWordsAt, kWordsAt + cc::CCPoint(0, 200));
        EXPECT_EQ(1, Routes::pages);
        EXPECT_EQ(9, Routes::lastPage);
        EXPECT_EQ(9, bookSettings().currentPage);
    }
    {
        Routes routes;
        Stage stage;
        ASSERT_TRUE(stage.showMenu());
        stage.driver.tap(kSelectAt);
        EXPECT_EQ(1, Routes::menus);
        EXPECT_EQ(0, Routes::pages);
    }
    {
        // A page that cannot be built leaves the menu usable.
        Routes routes(false);
        Stage stage;
        ASSERT_TRUE(stage.showMenu());
        stage.driver.tap(kContinueAt);
        stage.driver.tap(kContinueAt);
        EXPECT_EQ(2, Routes::pages);
    }
    {
        // Without the page scene a press only logs, once per touch, and the
        // menu stays usable.
        bookSettings().currentPage = 4;
        NoRoutes none;
        Stage stage;
        ASSERT_TRUE(stage.showMenu());
        const std::string line = "TestController: no page scene to learn words at page 9";
        stage.driver.drag(kWordsAt, kWordsAt + cc::CCPoint(10, 0));
        EXPECT_EQ(1u, stage.driver.loggedCount(line));
        stage.driver.tap(kWordsAt);
        EXPECT_EQ(2u, stage.driver.loggedCount(line));
        EXPECT_EQ(9, bookSettings().currentPage);
    }
    bookSettings().reset();
}

TEST(MainMenu, QuitEndsTheFrameLoop)
{
    MenuBook book;
    startFresh(false, 0);
    Stage stage;
    ASSERT_TRUE(stage.showMenu());
    stage.driver.step(3);
    EXPECT_FALSE(stage.driver.director()->hasEnded());
    stage.driver.touchDown(kQuitAt);
    EXPECT_TRUE(stage.driver.director()->hasEnded());
    bookSettings().reset();
}

TEST(MainMenu, EnteringStopsNarrationAtFullVolume)
{
    MenuBook book;
    startFresh(true, 1);
    Stage stage;
    cc::SimpleAudioEngine* audio = cc::SimpleAudioEngine::sharedEngine();
    audio->setBackgroundMusicVolume(0.3f);
    audio->playBackgroundMusic(audioTestFile("tone_long.mp3").c_str());
    stage.driver.step();
    ASSERT_TRUE(audio->isBackgroundMusicPlaying());
    stage.audio->clearRecord();

    ASSERT_TRUE(stage.showMenu());
    EXPECT_FALSE(audio->isBackgroundMusicPlaying());
    const std::vector<cc::AudioEvent>& record = stage.audio->record();
    ASSERT_GE(record.size(), 2u);
    EXPECT_EQ(cc::AudioEvent::Kind::Volume, record[0].kind);
    EXPECT_FLOAT_EQ(1.0f, record[0].volume);
    EXPECT_EQ(cc::AudioEvent::Kind::Stop, record[1].kind);
    EXPECT_EQ(0u, stage.audio->countOf(cc::AudioEvent::Kind::Play));
    bookSettings().reset();
}

TEST(MainMenu, MissingButtonsAreSkipped)
{
    MenuBook book("9", {"bnwordlean", "bnreturn"});
    startFresh(true, 2);
    Routes routes;
    Stage stage;
    ASSERT_TRUE(stage.showMenu());
    EXPECT_TRUE(stage.driver.logged("TestController: the main menu has no button \"bngoon\""));
    EXPECT_TRUE(stage.driver.logged("TestController: the main menu has no button \"bnselect\""));
    stage.driver.tap(kContinueAt);
    stage.driver.tap(kSelectAt);
    EXPECT_EQ(0, Routes::pages + Routes::menus);
    stage.driver.tap(kQuitAt);
    EXPECT_TRUE(stage.driver.director()->hasEnded());
    bookSettings().reset();
}

TEST(MainMenu, UnreadableLayoutGivesAnEmptyMenu)
{
    testing::ScratchBook book;
    book.writeConfiguration(testing::configurationWith("wordMin", "9"));
    startFresh(false, 0);
    Stage stage;
    ASSERT_TRUE(stage.showMenu());
    EXPECT_EQ(nullptr, stage.menu->getRootLayout());
    EXPECT_EQ(0u, stage.menu->getUILayer()->getRootWidget()->getChildren()->count());
    stage.driver.tap(kQuitAt);
    EXPECT_FALSE(stage.driver.director()->hasEnded());
    bookSettings().reset();
}

TEST(MainMenu, BundledLayoutHasItsFourButtons)
{
    cc::CCFileUtils::purgeFileUtils();
    startFresh(true, 3);
    Stage stage;
    ASSERT_TRUE(stage.showMenu());
    ASSERT_NE(nullptr, stage.menu->getRootLayout());
    for (const char* name : {"bngoon", "bnwordlean", "bnselect", "bnreturn"}) {
        cc::UIWidget* button = stage.button(name);
        ASSERT_NE(nullptr, button) << name;
        EXPECT_STREQ("Button", button->getTypeName()) << name;
        // Shown buttons take touches, hidden ones do not.
        EXPECT_EQ(button->isVisible(), button->isTouchEnabled()) << name;
    }
    EXPECT_TRUE(stage.button("bngoon")->isVisible());
    EXPECT_EQ(bookSettings().wordMin >= 1, stage.button("bnwordlean")->isVisible());
    bookSettings().reset();
    cc::CCFileUtils::purgeFileUtils();
}

} // namespace
} // namespace quibo
