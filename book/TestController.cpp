// Building the main menu and its four button actions.
#include "book/TestController.h"

#include "book/BookConfiguration.h"
#include "book/BookSettings.h"
#include "book/MenuTestScene.h"
#include "book/MainMenuKeys.h"
#include "book/OpenPage.h"
#include "book/PagePrefetch.h"

#include "audio/SimpleAudioEngine.h"
#include "base/CCLog.h"
#include "gui/CCSGUIReader.h"
#include "gui/Layout.h"
#include "gui/UILayer.h"
#include "gui/UIRootWidget.h"
#include "gui/UiSingletons.h"
#include "gui/WidgetLookup.h"
#include "scene/CCDirector.h"
#include "scene/CCScene.h"

namespace quibo {

namespace {
const char* const kContinueButton = "bngoon";
const char* const kWordButton = "bnwordlean";
const char* const kSelectButton = "bnselect";
const char* const kQuitButton = "bnreturn";
// Narration resumes at full volume on the next page.
const float kFullVolume = 1.0f;
} // namespace

MainMenuRoutes& mainMenuRoutes()
{
    static MainMenuRoutes routes = [] {
        MainMenuRoutes r;
        r.openPage = &openPage;
        r.openSelectionMenu = &runSelectionMenu;
        return r;
    }();
    return routes;
}

cc::CCScene* TestController::scene()
{
    cc::CCScene* scene = cc::CCScene::create();
    TestController* menu = TestController::create();
    if (!scene || !menu) return nullptr;
    scene->addChild(menu);
    return scene;
}

TestController::TestController() = default;

TestController::~TestController() { cc::releaseUiSingletons(); }

bool TestController::init()
{
    if (!cc::CCLayer::init()) return false;
    readBookConfiguration();
    if (mainMenuRoutes().configurationRead) mainMenuRoutes().configurationRead();
    cc::SimpleAudioEngine* audio = cc::SimpleAudioEngine::sharedEngine();
    audio->setBackgroundMusicVolume(kFullVolume);
    audio->stopBackgroundMusic();

    m_uiLayer.reset(cc::UILayer::create());
    if (!m_uiLayer) return false;
    m_uiLayer->scheduleUpdate();
    cc::UIWidget* root = cc::CCSGUIReader::shareReader()->readLayoutFile(kLayoutFile);
    m_rootLayout.reset(dynamic_cast<cc::Layout*>(root));
    if (m_rootLayout) {
        m_uiLayer->getRootWidget()->addChild(m_rootLayout.get());
    } else if (root) {
        cc::CCLog("TestController: the root of %s is not a container; the menu stays empty", kLayoutFile);
    }
    addChild(m_uiLayer.get());

    bindButton(kContinueButton, toucheventselector(TestController::onContinueReading));
    bindButton(kWordButton, toucheventselector(TestController::onWordLearning));
    bindButton(kSelectButton, toucheventselector(TestController::onSelectPage));
    bindButton(kQuitButton, toucheventselector(TestController::onQuit));

    const BookSettings& book = bookSettings();
    if (!book.readingStarted || book.currentPage < 0) hideButton(kContinueButton);
    if (book.wordMin < 1) hideButton(kWordButton);
    addChild(MainMenuKeys::create(getButtons()));
    PagePrefetch::mainMenuShown();
    return true;
}

std::vector<cc::UIWidget*> TestController::getButtons() const
{
    std::vector<cc::UIWidget*> buttons;
    if (!m_rootLayout) return buttons;
    for (const char* name : {kContinueButton, kWordButton, kSelectButton, kQuitButton}) {
        cc::UIWidget* b = cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(m_uiLayer->getRootWidget(), name);
        if (b) buttons.push_back(b);
    }
    return buttons;
}

void TestController::bindButton(const char* name, cc::TouchEventSelector action)
{
    if (!m_rootLayout) return;
    cc::UIWidget* button = cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(m_uiLayer->getRootWidget(), name);
    if (!button) {
        cc::CCLog("TestController: the main menu has no button \"%s\"", name);
        return;
    }
    button->setTouchListener(this, action);
}

void TestController::hideButton(const char* name)
{
    if (!m_rootLayout) return;
    cc::UIWidget* button = cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(m_uiLayer->getRootWidget(), name);
    if (!button) return;
    button->setVisible(false);
    button->setTouchEnabled(false);
}

bool TestController::actsOn(cc::TouchPhase kind) { return kind == cc::kTouchBegan && !m_leaving; }

void TestController::onContinueReading(cc::CCObject*, cc::TouchPhase kind)
{
    if (!actsOn(kind)) return;
    if (!mainMenuRoutes().openPage) {
        cc::CCLog("TestController: no page scene to continue reading at page %d", bookSettings().currentPage);
        return;
    }
    m_leaving = mainMenuRoutes().openPage();
}

void TestController::onWordLearning(cc::CCObject*, cc::TouchPhase kind)
{
    if (!actsOn(kind)) return;
    BookSettings& book = bookSettings();
    book.currentPage = book.wordMin;
    if (!mainMenuRoutes().openPage) {
        cc::CCLog("TestController: no page scene to learn words at page %d", book.currentPage);
        return;
    }
    m_leaving = mainMenuRoutes().openPage();
}

void TestController::onSelectPage(cc::CCObject*, cc::TouchPhase kind)
{
    if (!actsOn(kind)) return;
    if (!mainMenuRoutes().openSelectionMenu) {
        cc::CCLog("TestController: no page selection menu yet");
        return;
    }
    cc::CCDirector::sharedDirector()->purgeCachedData();
    m_leaving = mainMenuRoutes().openSelectionMenu();
}

void TestController::onQuit(cc::CCObject*, cc::TouchPhase kind)
{
    if (!actsOn(kind)) return;
    m_leaving = true;
    cc::CCDirector::sharedDirector()->end();
}

} // namespace quibo
