// The remembered place on the bundled book with a scratch state folder: kept
// on every page change and at exit, taken back at the next start so the main
// menu shows "continue" for that page; every bad place file ignored with one
// line and left as it was; and the whole round trip through two simulate
// runs of the program with --remember.
#include "app/AppMain.h"
#include "ScratchFolder.h"
#include "app/PlaceFile.h"
#include "app/PlaceKeeper.h"

#include "book/BookSettings.h"
#include "book/PageScene.h"
#include "book/PageState.h"
#include "book/TestController.h"
#include "book/VisibleArea.h"

#include "audio/SimpleAudioEngine.h"
#include "audio/SimulatedAudioBackend.h"
#include "base/CCArray.h"
#include "base/CCLog.h"
#include "gui/UILayer.h"
#include "gui/UIRootWidget.h"
#include "gui/WidgetLookup.h"
#include "platform/CCFileUtils.h"
#include "platform/FrameDriver.h"
#include "platform/UserFiles.h"
#include "scene/CCDirector.h"
#include "scene/CCScene.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <unistd.h>

using namespace quibo;

namespace {

// Main-menu buttons of the bundled layout, in design points.
const cc::CCPoint kContinueAt(320, 668), kWordsAt(320, 528);

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> rememberLines(const cc::CCLogCapture& log)
{
    std::vector<std::string> out;
    for (const std::string& l : log.lines()) {
        if (l.compare(0, 10, "remember: ") == 0) out.push_back(l);
    }
    return out;
}

class RememberedPlace : public ::testing::Test {
protected:
    void SetUp() override
    {
        quibotest::ScratchTemplate pattern("quibo_place_XXXXXX");
        const char* made = mkdtemp(pattern);
        ASSERT_NE(nullptr, made);
        scratch = made;
        const char* old = std::getenv("XDG_STATE_HOME");
        hadState = old != nullptr;
        oldState = old ? old : "";
        setenv("XDG_STATE_HOME", (scratch + "/state").c_str(), 1);
        freshProcess();
        bookFolder = cc::resolvedPath(cc::CCFileUtils::defaultResourceRoot() + "/qovarn_3391_ver10");
        ASSERT_FALSE(bookFolder.empty());
        placePath = scratch + "/state/quibo/" + placeFileName(bookFolder);
    }
    void TearDown() override
    {
        driver.reset();
        freshProcess();
        if (hadState) {
            setenv("XDG_STATE_HOME", oldState.c_str(), 1);
        } else {
            unsetenv("XDG_STATE_HOME");
        }
        (void)std::system(("rm -rf '" + scratch + "'").c_str());
    }

    // The process-wide records as a new process has them.
    static void freshProcess()
    {
        bookSettings().reset();
        pageState().reset();
        VisibleArea::forget();
        cc::CCFileUtils::purgeFileUtils();
    }

    // Starts a keeper and shows the first main menu, as a launch does.
    cc::UIWidget* launch(PlaceKeeper& keeper)
    {
        keeper.start();
        driver.reset(new cc::FrameDriver());
        cc::SimpleAudioEngine::sharedEngine()->useSimulatedBackend();
        driver->show(TestController::scene());
        return continueButton();
    }
    cc::UIWidget* continueButton()
    {
        cc::CCScene* scene = driver->director()->getRunningScene();
        auto* menu = dynamic_cast<TestController*>(scene->getChildren()->objectAtIndex(0));
        if (!menu) return nullptr;
        return cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(menu->getUILayer()->getRootWidget(),
                                                                        "bngoon");
    }
    void writePlace(int page, int mode, const std::string& book = "")
    {
        std::string error;
        ASSERT_TRUE(cc::makeUserFolders(scratch + "/state/quibo", error)) << error;
        Place p;
        p.book = book.empty() ? bookFolder : book;
        p.page = page;
        p.playMode = mode;
        std::ofstream(placePath) << placeText(p);
    }
    Place readPlace()
    {
        Place p;
        std::string why;
        EXPECT_EQ(PlaceParse::Ok, parsePlace(slurp(placePath), p, why)) << why;
        return p;
    }

    std::string scratch, oldState, bookFolder, placePath;
    bool hadState = false;
    std::unique_ptr<cc::FrameDriver> driver;
};

} // namespace

TEST_F(RememberedPlace, KeptOnEveryPageChangeAndTakenBackAtTheNextStart)
{
    {
        cc::CCLogCapture log;
        PlaceKeeper keeper(PlaceKeeper::defaultStateFolder());
        cc::UIWidget* goOn = launch(keeper);
        EXPECT_EQ(placePath, keeper.placePath());
        ASSERT_EQ(1u, rememberLines(log).size());
        EXPECT_EQ("remember: no place kept yet for this book (" + placePath + ")", rememberLines(log)[0]);
        ASSERT_NE(nullptr, goOn);
        EXPECT_FALSE(goOn->isVisible());
        // Nothing read yet: the menu alone writes nothing.
        driver->advance(0.5);
        EXPECT_NE(0, access(placePath.c_str(), F_OK));

        // Word learning opens page 9: kept once the page has settled, after
        // the frames of its entry.
        driver->tap(kWordsAt);
        driver->step();
        EXPECT_EQ(9, bookSettings().currentPage);
        driver->advance(PlaceKeeper::kQuietSeconds - 0.1);
        EXPECT_NE(0, access(placePath.c_str(), F_OK));
        driver->advance(0.15);
        EXPECT_EQ(9, readPlace().page);
        EXPECT_EQ(3, readPlace().playMode);
        // A swipe to the right above the cards turns back to page 8 (its transition takes
        // 0.5 s), and a new play mode.
        driver->advance(1.0);
        driver->drag(cc::CCPoint(200, 900), cc::CCPoint(400, 900), 4);
        EXPECT_EQ(8, bookSettings().currentPage);
        driver->advance(0.5);
        EXPECT_EQ(9, readPlace().page);
        driver->advance(0.5);
        EXPECT_EQ(8, readPlace().page);
        pageState().playMode = PlayMode::repeatPage;
        driver->advance(1.0);
        EXPECT_EQ(2, readPlace().playMode);
        // A change in the last moment before the end is not lost.
        pageState().playMode = PlayMode::manual;
        driver->step();
        EXPECT_EQ(2, readPlace().playMode);
        keeper.finish();
        EXPECT_EQ(1, readPlace().playMode);
        // At exit once more, then nothing.
        pageState().playMode = PlayMode::repeatPage;
        keeper.finish();
        EXPECT_EQ(1, readPlace().playMode);
        EXPECT_EQ(8, readPlace().page);
        EXPECT_EQ(1u, rememberLines(log).size());
    }

    // The next start: play mode back at once, the page once the menu knows
    // the book's pages; "continue" shows and leads there.
    driver.reset();
    freshProcess();
    cc::CCLogCapture log;
    PlaceKeeper keeper(PlaceKeeper::defaultStateFolder());
    cc::UIWidget* goOn = launch(keeper);
    EXPECT_TRUE(rememberLines(log).empty());
    EXPECT_EQ(PlayMode::manual, pageState().playMode);
    EXPECT_TRUE(bookSettings().readingStarted);
    EXPECT_EQ(8, bookSettings().currentPage);
    ASSERT_NE(nullptr, goOn);
    EXPECT_TRUE(goOn->isVisible());
    driver->tap(kContinueAt);
    driver->step();
    EXPECT_EQ(8, bookSettings().currentPage);
    EXPECT_NE(nullptr, dynamic_cast<PageScene*>(driver->director()->getRunningScene()));
    std::remove(placePath.c_str());
    keeper.finish();
    EXPECT_EQ(8, readPlace().page);
    EXPECT_EQ(1, readPlace().playMode);
}

TEST_F(RememberedPlace, BadPlaceFilesAreIgnoredWithOneLineAndLeftAsTheyWere)
{
    struct Case {
        const char* what;
        std::string text; // written as the place file; empty: see below
        const char* line; // part of the one log line
    };
    const std::string good = "quibo place 1\nbook = " + bookFolder + "\npage = 3\nmode = 2\n";
    const std::vector<Case> cases = {
        {"empty", "", "is cut short"},
        {"cut", good.substr(0, good.size() - 4), "is cut short"},
        {"no mode", good.substr(0, good.find("mode")), "is cut short"},
        {"foreign", "# some other program's notes\npage = 3\n", "is not a place file"},
        {"bad mode", "quibo place 1\nbook = " + bookFolder + "\npage = 3\nmode = 9\n", "is not a place file"},
        {"another book", "quibo place 1\nbook = /elsewhere/book\npage = 3\nmode = 2\n", "belongs to another book"},
        {"too large", good + std::string(kMaxPlaceBytes, '#'), "larger than"},
    };
    for (const Case& c : cases) {
        freshProcess();
        std::string error;
        ASSERT_TRUE(cc::makeUserFolders(scratch + "/state/quibo", error));
        std::ofstream(placePath, std::ios::binary) << c.text;
        cc::CCLogCapture log;
        PlaceKeeper keeper(PlaceKeeper::defaultStateFolder());
        cc::UIWidget* goOn = launch(keeper);
        const std::vector<std::string> lines = rememberLines(log);
        ASSERT_EQ(1u, lines.size()) << c.what;
        EXPECT_NE(std::string::npos, lines[0].find(placePath)) << lines[0];
        EXPECT_NE(std::string::npos, lines[0].find(c.line)) << c.what << ": " << lines[0];
        EXPECT_FALSE(bookSettings().readingStarted) << c.what;
        EXPECT_EQ(0, bookSettings().currentPage) << c.what;
        EXPECT_EQ(PlayMode::autoTurn, pageState().playMode) << c.what;
        ASSERT_NE(nullptr, goOn);
        EXPECT_FALSE(goOn->isVisible()) << c.what;
        keeper.finish();
        EXPECT_EQ(c.text, slurp(placePath)) << c.what;
        driver.reset();
    }

    // Pages the book does not have: the page is ignored, the play mode kept.
    for (int page : {0, -1, 12, 99}) {
        freshProcess();
        writePlace(page, 1);
        cc::CCLogCapture log;
        PlaceKeeper keeper(PlaceKeeper::defaultStateFolder());
        cc::UIWidget* goOn = launch(keeper);
        ASSERT_EQ(1u, rememberLines(log).size()) << page;
        EXPECT_EQ("remember: page " + std::to_string(page) + " is not a page of this book; ignored",
                  rememberLines(log)[0]);
        EXPECT_FALSE(bookSettings().readingStarted);
        EXPECT_EQ(PlayMode::manual, pageState().playMode);
        EXPECT_FALSE(goOn->isVisible());
        driver.reset();
    }
    // The story's and the word-learning pages are all the book's.
    for (int page : {1, 8, 9, 11}) {
        freshProcess();
        writePlace(page, 3);
        cc::CCLogCapture log;
        PlaceKeeper keeper(PlaceKeeper::defaultStateFolder());
        EXPECT_TRUE(launch(keeper)->isVisible()) << page;
        EXPECT_EQ(page, bookSettings().currentPage);
        EXPECT_TRUE(rememberLines(log).empty()) << page;
        driver.reset();
    }

    // A folder where the file should be: read refused, and not written over.
    freshProcess();
    std::remove(placePath.c_str());
    std::string error;
    ASSERT_TRUE(cc::makeUserFolders(placePath, error));
    cc::CCLogCapture log;
    PlaceKeeper keeper(PlaceKeeper::defaultStateFolder());
    launch(keeper);
    ASSERT_EQ(1u, rememberLines(log).size());
    EXPECT_NE(std::string::npos, rememberLines(log)[0].find("not a regular file; ignored")) << rememberLines(log)[0];
    // Reading a page then cannot be kept: one line a try, nothing breaks.
    driver->tap(kWordsAt);
    driver->advance(1.0);
    ASSERT_EQ(2u, rememberLines(log).size());
    EXPECT_EQ(0u, rememberLines(log)[1].find("remember: cannot keep the place in " + placePath + ": "));
    keeper.finish();
    EXPECT_EQ(3u, rememberLines(log).size());
}

TEST_F(RememberedPlace, WithoutAStateFolderNothingIsKept)
{
    const char* oldHome = std::getenv("HOME");
    const std::string home = oldHome ? oldHome : "";
    unsetenv("XDG_STATE_HOME");
    unsetenv("HOME");
    EXPECT_EQ("", PlaceKeeper::defaultStateFolder());
    cc::CCLogCapture log;
    PlaceKeeper keeper(PlaceKeeper::defaultStateFolder());
    cc::UIWidget* goOn = launch(keeper);
    if (oldHome) setenv("HOME", home.c_str(), 1);
    ASSERT_EQ(1u, rememberLines(log).size());
    EXPECT_EQ("remember: no folder for the place (neither XDG_STATE_HOME nor HOME is set); it is not kept",
              rememberLines(log)[0]);
    EXPECT_FALSE(goOn->isVisible());
    driver->tap(kWordsAt);
    driver->step();
    keeper.finish();
    EXPECT_EQ(1u, rememberLines(log).size());
    EXPECT_EQ("", keeper.placePath());
}

TEST_F(RememberedPlace, TwoSimulateRunsOfTheProgramContinueWhereTheFirstStopped)
{
    // First run: word learning (page 9), back a page by swipe, quit.
    const std::string script1 = scratch + "/first.txt";
    std::ofstream(script1) << "wait 0.5\ntap 320 528\nwait 1\nswipe 200 900 400 900\nwait 1\ntap 320 344\n";
    const std::string trace1 = scratch + "/first.jsonl";
    {
        cc::CCLogCapture log;
        ASSERT_EQ(0, runQuibo({"--simulate", script1, "--trace", trace1, "--remember"}));
        ASSERT_EQ(1u, rememberLines(log).size());
        EXPECT_EQ("remember: no place kept yet for this book (" + placePath + ")", rememberLines(log)[0]);
    }
    EXPECT_EQ(8, readPlace().page);
    EXPECT_EQ(3, readPlace().playMode);

    // Second run: "continue" is there and opens page 8.
    freshProcess();
    const std::string script2 = scratch + "/second.txt";
    std::ofstream(script2) << "wait 0.5\ntap 320 668\nwait 1\n";
    const std::string trace2 = scratch + "/second.jsonl";
    ASSERT_EQ(0, runQuibo({"--simulate", script2, "--trace", trace2, "--remember", "--narration-speed", "0.5"}));
    const std::string trace = slurp(trace2);
    EXPECT_EQ(std::string::npos, trace.find("remember: ")) << trace;
    EXPECT_NE(std::string::npos, trace.find("\"layer\":\"TestLayer1\"")) << trace;
    EXPECT_EQ(8, bookSettings().currentPage);
    EXPECT_EQ(8, readPlace().page);

    // Without --remember a simulate run neither reads nor writes the place.
    freshProcess();
    std::remove(placePath.c_str());
    cc::CCLogCapture log;
    ASSERT_EQ(0, runQuibo({"--simulate", script1}));
    EXPECT_NE(0, access(placePath.c_str(), F_OK));
    EXPECT_TRUE(rememberLines(log).empty());
    EXPECT_EQ(8, bookSettings().currentPage);
}
