// The whole reader as a user meets it, on the frame driver: the application
// delegate's own launch on the bundled book with the simulated audio
// backend, and what a person would look at (the screen on stage, widgets in
// world points, what was heard). The page helpers of the book tests are
// reused for reading a page; everything else about the screens is read here.
#pragma once

#include "book/PageTestSupport.h"

#include "app/AppDelegate.h"
#include "book/MenuLayerMainMenu.h"
#include "book/MenuTestScene.h"
#include "book/TestController.h"

#include "base/CCArray.h"
#include "platform/CCEGLView.h"
#include "menu/CCMenu.h"
#include "menu/CCMenuItemLabel.h"
#include "text/CCLabelTTF.h"

#include <json/reader.h>
#include <json/value.h>
#include <openssl/evp.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quibo {
namespace journey {

using pagetest::PageView;

// The main menu's buttons as the bundled layout places them (design points).
const cc::CCPoint kContinueAt(320, 668), kWordsAt(320, 528), kSelectAt(320, 436), kQuitAt(320, 344);
// The grid's slide-in lasts 2 s; a page turn 0.5 s. A little more lets the last frame land.
const double kSlideIn = 2.1, kTurn = 0.6;
const char* const kBookFolder = "qovarn_3391_ver10";

// 32 lower-case hex digits of the MD5 of a text, computed here on its own.
inline std::string md5Of(const std::string& text)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int n = 0;
    EVP_Digest(text.data(), text.size(), digest, &n, EVP_md5(), nullptr);
    std::string hex;
    char two[3];
    for (unsigned int i = 0; i < n; ++i) {
        std::snprintf(two, sizeof two, "%02x", digest[i]);
        hex += two;
    }
    return hex;
}

// The file the reader must play for a word of a page, from the naming rule.
inline std::string narrationFileOf(int page, int index)
{
    const std::string name = std::string(page < 10 ? "mc0" : "mc") + std::to_string(page) + std::to_string(index) + ".mp3";
    return std::string(kBookFolder) + "/epc/" + md5Of(name) + ".mp3";
}

// Word indexes of a bundled page, read from its layout file with jsoncpp
// (not through the reader), in increasing order.
inline std::vector<int> wordIndexesOf(int page)
{
    const std::string path = cc::CCFileUtils::defaultResourceRoot() + "/" + kBookFolder + "/tale/tale_" +
                             std::to_string(page) + ".json";
    std::ifstream in(path);
    Json::Value doc;
    Json::CharReaderBuilder b;
    std::string errors;
    std::vector<int> found;
    if (!Json::parseFromStream(b, in, &doc, &errors)) return found;
    const std::string prefix = std::string(page < 10 ? "bn0" : "bn") + std::to_string(page);
    std::vector<const Json::Value*> stack{&doc["widgetTree"]};
    while (!stack.empty()) {
        const Json::Value* n = stack.back();
        stack.pop_back();
        const std::string name = (*n)["options"]["name"].asString();
        if ((*n)["classname"].asString() == "Button" && name.compare(0, prefix.size(), prefix) == 0) {
            found.push_back(std::atoi(name.c_str() + prefix.size()));
        }
        for (const Json::Value& c : (*n)["children"]) stack.push_back(&c);
    }
    std::sort(found.begin(), found.end());
    return found;
}

// Visible on screen: the widget and every widget above it.
inline bool shown(cc::UIWidget* w)
{
    for (; w; w = w->getParent()) {
        if (!w->isVisible()) return false;
    }
    return true;
}

// Centre of a widget in world (design) points.
inline cc::CCPoint centreOf(cc::UIWidget* w) { return pagetest::worldOf(w, w->getPosition()); }

// A widget's own rectangle in world (design) points, its anchor placing it.
inline cc::CCRect boxOf(cc::UIWidget* w)
{
    const cc::CCPoint c = centreOf(w);
    const cc::CCSize s = w->getSize();
    return cc::CCRect(c.x - s.width * w->getAnchorPoint().x, c.y - s.height * w->getAnchorPoint().y, s.width,
                      s.height);
}

// Whether two rectangles share more than an edge.
inline bool overlaps(const cc::CCRect& a, const cc::CCRect& b)
{
    return a.getMinX() < b.getMaxX() && b.getMinX() < a.getMaxX() && a.getMinY() < b.getMaxY() &&
           b.getMinY() < a.getMaxY();
}

// The running application on the frame driver.
struct App {
    std::unique_ptr<cc::FrameDriver> driver{new cc::FrameDriver()};
    cc::SimulatedAudioBackend* sim = nullptr;
    AppDelegate app;

    App()
    {
        bookSettings().reset();
        pageState().reset();
        MenuPaging::reset();
        VisibleArea::forget();
        cc::CCFileUtils::purgeFileUtils();
        sim = cc::SimpleAudioEngine::sharedEngine()->useSimulatedBackend();
        driver->onTeardown(&cc::SimpleAudioEngine::end);
        cc::CCEGLView::sharedOpenGLView()->setFrameSize(640, 960);
    }
    ~App()
    {
        driver.reset();
        MenuPaging::reset();
        pageState().reset();
        bookSettings().reset();
    }
    // The delegate's launch and the first frame.
    bool launch()
    {
        if (!app.launch()) return false;
        driver->step();
        return true;
    }

    cc::CCScene* running() const { return driver->director()->getRunningScene(); }
    bool inTransition() const { return running() && running()->isTransition(); }
    PageView page() const { return pagetest::pageIn(running()); }

    TestController* mainMenu() const
    {
        cc::CCScene* s = running();
        if (!s || s->isTransition() || s->getChildrenCount() != 1) return nullptr;
        return dynamic_cast<TestController*>(s->getChildren()->objectAtIndex(0));
    }
    cc::UIWidget* mainButton(const char* name) const
    {
        TestController* m = mainMenu();
        return m ? cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(m->getUILayer()->getRootWidget(), name)
                 : nullptr;
    }
    MenuTestScene* menuScene() const { return dynamic_cast<MenuTestScene*>(running()); }
    MenuLayerMainMenu* grid() const { return menuScene() ? menuScene()->getMenuLayer() : nullptr; }
    cc::CCMenuItemLabel* entryFor(int page) const
    {
        if (!grid()) return nullptr;
        for (const auto& e : grid()->getEntries()) {
            if (captionOf(e.get()) == std::to_string(page) + " ") return e.get();
        }
        return nullptr;
    }
    cc::CCNode* gridReturn() const
    {
        cc::CCMenu* m = menuScene() ? menuScene()->getReturnMenu() : nullptr;
        return m && m->getChildrenCount() == 1 ? static_cast<cc::CCNode*>(m->getChildren()->objectAtIndex(0))
                                               : nullptr;
    }
    static std::string captionOf(cc::CCMenuItemLabel* item)
    {
        cc::CCNode* box = item ? item->getLabel() : nullptr;
        if (!box || box->getChildrenCount() != 1) return std::string();
        auto* label = dynamic_cast<cc::CCLabelTTF*>(box->getChildren()->objectAtIndex(0));
        return label ? label->getString() : std::string();
    }
    static bool isGrey(cc::CCMenuItemLabel* item)
    {
        auto* box = item ? dynamic_cast<cc::CCLayerColor*>(item->getLabel()) : nullptr;
        return box && box->getColor() == MenuLayerMainMenu::kInactiveBackground;
    }

    void tapAt(const cc::CCPoint& p) { driver->tap(p); }
    void tapItem(cc::CCNode* item) { driver->tap(pagetest::itemCentre(item)); }
    void tapWord(cc::UIWidget* w) { driver->tap(centreOf(w)); }

    // Main menu -> selection grid -> the entry of a page; the page on stage.
    bool openFromGrid(int pageNumber)
    {
        tapAt(kSelectAt);
        driver->advance(kSlideIn);
        cc::CCMenuItemLabel* e = entryFor(pageNumber);
        if (!e) return false;
        tapItem(e);
        driver->step();
        return page().layer != nullptr;
    }
    // Back to the main menu through the page's return item.
    bool returnFromPage()
    {
        PageView v = page();
        if (!v.back) return false;
        tapItem(v.back);
        driver->step();
        return mainMenu() != nullptr;
    }

    // Play events of the audio record, in order.
    std::vector<cc::AudioEvent> events(cc::AudioEvent::Kind kind) const
    {
        std::vector<cc::AudioEvent> out;
        for (const cc::AudioEvent& e : sim->record()) {
            if (e.kind == kind) out.push_back(e);
        }
        return out;
    }
    bool narrationPlaying() const { return cc::SimpleAudioEngine::sharedEngine()->isBackgroundMusicPlaying(); }
};

} // namespace journey
} // namespace quibo
