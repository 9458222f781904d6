// Shared pieces of the page journeys: a frame driver with the simulated
// audio backend on the bundled book, access to the page on stage, word
// positions in world points, and scratch books with hand-made layouts.
#pragma once

#include "book/BookConfiguration.h"
#include "ScratchFolder.h"
#include "book/BookPaths.h"
#include "book/BookSettings.h"
#include "book/OpenPage.h"
#include "book/PageScene.h"
#include "book/PageState.h"
#include "book/TestLayer1.h"
#include "book/TestLayer2.h"
#include "book/VisibleArea.h"
#include "book/WordNaming.h"

#include "audio/SimpleAudioEngine.h"
#include "audio/SimulatedAudioBackend.h"
#include "gui/UILayer.h"
#include "gui/widgets/UIButton.h"
#include "menu/CCMenuItem.h"
#include "menu/CCMenuItemLabel.h"
#include "text/CCLabelTTF.h"
#include "gui/UIRootWidget.h"
#include "gui/WidgetLookup.h"
#include "platform/CCFileUtils.h"
#include "platform/FrameDriver.h"
#include "scene/CCDirector.h"
#include "scene/CCScene.h"
#include "transitions/CCTransitionScene.h"

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace quibo {
namespace pagetest {

// The widget's own node, where its position and its actions live.
inline cc::CCNode* nodeOf(cc::UIWidget* w) { return w->getOwnRenderNode(); }

// What the tests read from a page of either class.
struct PageView {
    PageLayer* layer = nullptr;
    int variant = 0; // 1 or 2
    cc::UILayer* uiLayer = nullptr;
    cc::CCMenuItem* previous = nullptr;
    cc::CCMenuItem* play = nullptr;
    cc::CCMenuItem* next = nullptr;
    cc::CCMenuItem* back = nullptr;
    cc::CCMenuItem* settings = nullptr;
    int tapCount = 0;
    cc::UIWidget* word(int page, int index) const
    {
        return cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(uiLayer->getRootWidget(),
                                                                       wordButtonName(page, index).c_str());
    }
    // Read when asked: what the page shows now.
    cc::CCLabelTTF* sentenceLabel() const { return layer ? layer->getSentenceLabel() : nullptr; }
    cc::UIButton* sentenceBubble() const { return layer ? layer->getSentenceBubble() : nullptr; }
    cc::CCLabelTTF* hintLabel() const { return layer ? layer->getHintLabel() : nullptr; }
    // The page's narration: the highlighted word, the next word, the highest word index.
    cc::UIWidget* currentWord() const { return layer ? layer->getNarration().currentWord() : nullptr; }
    int nextWordIndex() const { return layer ? layer->getNarration().nextWordIndex() : 0; }
    int wordCount() const { return layer ? layer->getNarration().wordCount() : 0; }
};

inline PageView viewOf(PageLayer* layer, int variant)
{
    PageView v;
    v.layer = layer;
    v.variant = variant;
    v.uiLayer = layer->getUILayer();
    v.previous = layer->getPreviousItem();
    v.play = layer->getPlayItem();
    v.next = layer->getNextItem();
    v.back = layer->getReturnItem();
    v.settings = layer->getSettingsItem();
    v.tapCount = layer->getTapCount();
    return v;
}

// The page layer inside a scene (a page scene or a transition's incoming one).
inline PageView pageIn(cc::CCScene* scene)
{
    if (auto* t = dynamic_cast<cc::CCTransitionScene*>(scene)) {
        scene = t->getInScene();
    }
    if (!scene || !scene->getChildren()) {
        return PageView();
    }
    for (unsigned i = 0; i < scene->getChildrenCount(); ++i) {
        cc::CCObject* child = scene->getChildren()->objectAtIndex(i);
        if (auto* a = dynamic_cast<TestLayer1*>(child)) return viewOf(a, 1);
        if (auto* b = dynamic_cast<TestLayer2*>(child)) return viewOf(b, 2);
    }
    return PageView();
}

// World point of a node-space point of a widget's parent.
inline cc::CCPoint worldOf(cc::UIWidget* w, const cc::CCPoint& p)
{
    return nodeOf(w)->getParent()->convertToWorldSpace(p);
}

// Centre of a menu item in world points.
inline cc::CCPoint itemCentre(cc::CCNode* item)
{
    return item->getParent()->convertToWorldSpace(item->getPosition());
}

struct Journey {
    std::unique_ptr<cc::FrameDriver> driver{new cc::FrameDriver()};
    cc::SimulatedAudioBackend* sim = nullptr;

    Journey()
    {
        bookSettings().reset();
        pageState().reset();
        VisibleArea::forget();
        sim = cc::SimpleAudioEngine::sharedEngine()->useSimulatedBackend();
        readBookConfiguration();
    }
    ~Journey() { driver.reset(); pageState().reset(); bookSettings().reset(); }

    cc::CCScene* running() const { return driver->director()->getRunningScene(); }
    PageView page() const { return pageIn(running()); }
    void open(int p)
    {
        bookSettings().currentPage = p;
        openPage();
        driver->step();
    }
    void tapItem(cc::CCNode* item) { driver->tap(itemCentre(item)); }
    void tapWord(cc::UIWidget* w) { driver->tap(worldOf(w, w->getPosition())); }
    size_t plays() const { return sim->countOf(cc::AudioEvent::Kind::Play); }
    std::string lastPlayed() const
    {
        const cc::AudioEvent* e = sim->last(cc::AudioEvent::Kind::Play);
        return e ? e->name : std::string();
    }
    // Play events (time, name) from the record.
    std::vector<cc::AudioEvent> playEvents() const
    {
        std::vector<cc::AudioEvent> out;
        for (const cc::AudioEvent& e : sim->record()) {
            if (e.kind == cc::AudioEvent::Kind::Play) out.push_back(e);
        }
        return out;
    }
};

// A scratch resource root: the bundled images and string table, a book
// folder with hand-made layouts, page strings and narration files.
class ScratchPages {
public:
    explicit ScratchPages(int pageMin = 1, int pageMax = 3)
    {
        quibotest::ScratchTemplate pattern("quibo_pages_XXXXXX");
        const char* dir = mkdtemp(pattern);
        m_root = dir ? dir : quibotest::scratchRoot();
        const std::string bundled = cc::CCFileUtils::defaultResourceRoot();
        m_book = m_root + "/" + bookSettings().resourceFolder;
        run("mkdir -p '" + m_book + "/tale' '" + m_book + "/epc'");
        run("ln -s '" + bundled + "/Images' '" + m_root + "/Images'");
        run("cp '" + bundled + "/String.xml' '" + m_root + "/String.xml'");
        std::ofstream cfg(m_book + "/StringConfig.xml");
        cfg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
            << "<key>quiboSubName</key><string>tale</string>\n"
            << "<key>pageMin</key><string>" << pageMin << "</string>\n"
            << "<key>pageMax</key><string>" << pageMax << "</string>\n"
            << "<key>wordMin</key><string>" << pageMax + 1 << "</string>\n"
            << "<key>wordMax</key><string>" << pageMax + 1 << "</string>\n"
            << "<key>ispep</key><string>false</string>\n<key>textsize</key><string>25</string>\n"
            << "</dict>\n</plist>\n";
        cc::CCFileUtils::sharedFileUtils()->setSearchPaths({m_root});
    }
    ~ScratchPages()
    {
        cc::CCFileUtils::purgeFileUtils();
        run("rm -rf '" + m_root + "'");
    }

    struct Word {
        int index;
        float x, y;
        bool inBox; // inside the sub-panel "box" at (100, 500) instead of the page root
    };
    // A page of the given words (76 x 46 invisible buttons).
    void writePage(int page, const std::vector<Word>& words, bool duplicateFirst = false) const
    {
        std::string rootKids, boxKids;
        for (const Word& w : words) {
            std::string b = button(wordButtonName(page, w.index), w.x, w.y);
            std::string& kids = w.inBox ? boxKids : rootKids;
            kids += (kids.empty() ? "" : ",") + b;
        }
        if (duplicateFirst && !words.empty()) {
            boxKids += (boxKids.empty() ? "" : ",") + button(wordButtonName(page, words[0].index), 5, 5);
        }
        const std::string box = panel("box", 100, 500, 440, 300, boxKids);
        const std::string tree = panel("page", 0, 0, 640, 960, rootKids + (rootKids.empty() ? "" : ",") + box);
        std::ofstream out(m_book + "/tale/tale_" + std::to_string(page) + ".json");
        out << "{\"designWidth\":640,\"designHeight\":960,\"version\":\"1.2.0.0\",\"textures\":[],"
            << "\"widgetTree\":" << tree << ",\"animation\":{\"classname\":null,\"actionlist\":[]}}";
    }
    void writeStrings(const std::vector<std::pair<std::string, std::string>>& entries) const
    {
        std::ofstream out(m_book + "/Stringstr.xml");
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n";
        for (const auto& e : entries) out << "<key>" << e.first << "</key><string>" << e.second << "</string>\n";
        out << "</dict>\n</plist>\n";
    }
    // The narration of (page, index) as a copy of an audio file.
    void writeNarration(int page, int index, const std::string& sourceFile) const
    {
        run("cp '" + sourceFile + "' '" + m_book + "/epc/" + md5Hex(narrationName(page, index)) + ".mp3'");
    }
    const std::string& root() const { return m_root; }

private:
    static void run(const std::string& cmd) { (void)std::system(cmd.c_str()); }
    static std::string button(const std::string& name, float x, float y)
    {
        return "{\"classname\":\"Button\",\"options\":{\"name\":\"" + name + "\",\"x\":" + std::to_string(x) +
               ",\"y\":" + std::to_string(y) +
               ",\"width\":76,\"height\":46,\"touchAble\":true,\"visible\":true,\"anchorPointX\":0.5,"
               "\"anchorPointY\":0.5,\"ignoreSize\":false,\"scale9Enable\":false,\"scaleX\":1,\"scaleY\":1,"
               "\"normalData\":{\"resourceType\":0,\"path\":\"\"},\"pressedData\":{\"resourceType\":0,\"path\":\"\"},"
               "\"disabledData\":{\"resourceType\":0,\"path\":\"\"}},\"children\":[]}";
    }
    static std::string panel(const std::string& name, float x, float y, float w, float h, const std::string& kids)
    {
        return "{\"classname\":\"Panel\",\"options\":{\"name\":\"" + name + "\",\"x\":" + std::to_string(x) +
               ",\"y\":" + std::to_string(y) + ",\"width\":" + std::to_string(w) + ",\"height\":" +
               std::to_string(h) +
               ",\"touchAble\":false,\"visible\":true,\"anchorPointX\":0,\"anchorPointY\":0,\"ignoreSize\":false,"
               "\"clipAble\":false,\"colorType\":0,\"scaleX\":1,\"scaleY\":1},\"children\":[" + kids + "]}";
    }
    std::string m_root;
    std::string m_book;
};

// A sound file of the test data (a short tone and its kin).
inline std::string testAudio(const std::string& name)
{
    if (const char* root = std::getenv("QUIBO_TEST_DATA")) return std::string(root) + "/audio/" + name;
    std::string here = __FILE__;
    here = here.substr(0, here.find_last_of('/'));
    return here + "/../data/audio/" + name;
}

// Three pages of three words, each word narrated by the short test tone.
struct TimedBook {
    ScratchPages book{1, 3};
    TimedBook()
    {
        for (int page = 1; page <= 3; ++page) {
            book.writePage(page, {{1, 150, 600, false}, {2, 300, 600, false}, {3, 450, 600, false}});
            for (int i = 1; i <= 3; ++i) book.writeNarration(page, i, testAudio("tone_short.mp3"));
        }
        book.writeStrings({{"str011", "First"}, {"str012", "Second"}});
    }
};

} // namespace pagetest
} // namespace quibo
