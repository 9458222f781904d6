// The scene dump and the trace a book maker reads: widgets carry their kind,
// name, tag and rectangle, labels their text (always valid UTF-8) and font
// size, sprites their picture; scene records say which page or which screen
// of the grid is shown.
#include "app/SceneDump.h"
#include "TraceTestSupport.h"
#include "ScratchFolder.h"
#include "app/SimulateRunner.h"
#include "app/TraceWriter.h"
#include "app/WidgetDescriber.h"

#include "gui/UILayer.h"
#include "gui/UIRootWidget.h"
#include "gui/widgets/UIButton.h"

#include "platform/FrameDriver.h"
#include "scene/CCScene.h"
#include "text/CCLabelTTF.h"

#include <json/reader.h>
#include <json/value.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

using namespace quibo;

namespace {

// A private folder for one test's files, removed with everything in it.
struct ScratchFolder {
    std::string path;
    ScratchFolder()
    {
        quibotest::ScratchTemplate pattern("quibo_dump_XXXXXX");
        path = mkdtemp(pattern);
    }
    ~ScratchFolder() { std::system(("rm -rf '" + path + "'").c_str()); }
    std::string file(const std::string& name, const std::string& text) const
    {
        std::ofstream(path + "/" + name) << text;
        return path + "/" + name;
    }
};


// The first node of a dumped tree that satisfies the test, depth first.
const Json::Value* findNode(const Json::Value& node, const std::function<bool(const Json::Value&)>& test)
{
    if (test(node)) return &node;
    for (const Json::Value& child : node["children"]) {
        if (const Json::Value* found = findNode(child, test)) return found;
    }
    return nullptr;
}

const Json::Value* named(const Json::Value& tree, const std::string& name)
{
    return findNode(tree, [&](const Json::Value& n) { return n.isMember("widget") && n["name"] == name; });
}

const Json::Value* childOfClass(const Json::Value& node, const std::string& cls)
{
    for (const Json::Value& child : node["children"]) {
        if (child["class"] == cls) return &child;
    }
    return nullptr;
}

} // namespace

TEST(SceneDump, TextIsKeptAsValidUtf8)
{
    EXPECT_EQ("plain", asUtf8("plain"));
    EXPECT_EQ("\xE5\xAE\x8B", asUtf8("\xE5\xAE\x8B")); // already UTF-8: unchanged
    // GBK bytes (the sentence font's name) are no UTF-8: each broken byte is U+FFFD.
    EXPECT_EQ("a\xEF\xBF\xBD\xEF\xBF\xBD" "b", asUtf8("a\xCB\xCE" "b"));
    EXPECT_EQ("\"say \\\"hi\\\"\\n\"", quotedText("say \"hi\"\n"));

    // A label holding such bytes still dumps to a line of JSON that parses.
    cc::FrameDriver driver;
    cc::CCScene* scene = cc::CCScene::create();
    cc::CCLabelTTF* label = cc::CCLabelTTF::create("x\xCB\xCE", "Arial", 20);
    scene->addChild(label);
    driver.show(scene);
    const SceneDump dump = dumpNodeTree(scene);
    const std::string line = TraceWriter::oneLine(dump.tree);
    Json::Value back;
    Json::CharReaderBuilder builder;
    std::string errors;
    std::istringstream in(line);
    ASSERT_TRUE(Json::parseFromStream(builder, in, &back, &errors)) << errors;
    const Json::Value& node = back[0]["children"][0];
    EXPECT_EQ("x\xEF\xBF\xBD\xEF\xBF\xBD", node["text"].asString());
    EXPECT_EQ(20, node["fontSize"].asFloat());
    EXPECT_NE(std::string::npos, dump.text.find("text=\"x")) << dump.text;
}

TEST(SceneDump, WidgetsCarryTheirKindNameTagAndRectangle)
{
    cc::FrameDriver driver;
    cc::CCScene* scene = cc::CCScene::create();
    cc::UILayer* layer = cc::UILayer::create();
    scene->addChild(layer);
    driver.show(scene);
    cc::UIButton* button = cc::UIButton::create();
    button->setName("go");
    button->setTag(7);
    button->setIgnoreSize(false);
    button->setSize(cc::CCSize(100, 40));
    button->setPosition(cc::CCPoint(200, 300));
    button->setTitleText("Go on");
    button->setTitleFontSize(18);
    layer->getRootWidget()->addChild(button);
    driver.step();

    const SceneDump dump = dumpNodeTree(scene, {widgetDescriber(scene)});
    const Json::Value* go = named(dump.tree[0], "go");
    ASSERT_NE(nullptr, go);
    EXPECT_EQ("Button", (*go)["widget"].asString());
    EXPECT_EQ(7, (*go)["tag"].asInt());
    EXPECT_EQ("GUIRenderer", (*go)["class"].asString()); // the widget's own node
    ASSERT_EQ(4u, (*go)["widgetBox"].size());
    EXPECT_FLOAT_EQ(150, (*go)["widgetBox"][0].asFloat());
    EXPECT_FLOAT_EQ(280, (*go)["widgetBox"][1].asFloat());
    EXPECT_FLOAT_EQ(100, (*go)["widgetBox"][2].asFloat());
    EXPECT_FLOAT_EQ(40, (*go)["widgetBox"][3].asFloat());
    const Json::Value* title = childOfClass(*go, "CCLabelTTF");
    ASSERT_NE(nullptr, title);
    EXPECT_EQ("Go on", (*title)["text"].asString());
    EXPECT_EQ(18, (*title)["fontSize"].asFloat());
    // The root widget is a widget too; without the describer nothing is named.
    EXPECT_NE(nullptr, findNode(dump.tree[0], [](const Json::Value& n) { return n["widget"] == "RootWidget"; }));
    EXPECT_NE(std::string::npos, dump.text.find("widget=Button name=\"go\" tag=7")) << dump.text;
    EXPECT_EQ(nullptr, named(dumpNodeTree(scene).tree[0], "go"));
}

TEST(Simulate, TheTraceShowsWhichPageWhichGridScreenAndWhatIsOnThem)
{
    ScratchFolder scratch;
    // Main menu; the grid; page 2; back; word learning; tap the first card's picture.
    const std::string script = scratch.file("script.txt", "wait 0.5\ndump\ntap 320 436\nwait 2.3\ntap 240 848\n"
                                                          "wait 0.3\ntap 60 30\nwait 0.3\ntap 320 528\nwait 0.3\n"
                                                          "tap 170 720\nwait 0.4\ndump\nquit\n");
    const std::string trace = scratch.path + "/trace.jsonl";
    ASSERT_EQ(0, runSimulation({script, trace, ""}));

    std::vector<Json::Value> scenes, dumps;
    for (const Json::Value& r : readTrace(trace)) {
        if (r["kind"] == "scene") scenes.push_back(r);
        if (r["kind"] == "dump") dumps.push_back(r["tree"][0]);
    }
    ASSERT_EQ(5u, scenes.size());
    EXPECT_EQ("TestController", scenes[0]["layer"].asString());
    EXPECT_FALSE(scenes[0].isMember("page"));
    EXPECT_EQ("MenuLayerMainMenu", scenes[1]["layer"].asString());
    EXPECT_EQ(1, scenes[1]["firstEntry"].asInt());
    EXPECT_FALSE(scenes[1].isMember("page"));
    EXPECT_EQ("TestLayer1", scenes[2]["layer"].asString());
    EXPECT_EQ(2, scenes[2]["page"].asInt());
    EXPECT_EQ("TestController", scenes[3]["layer"].asString());
    EXPECT_EQ(9, scenes[4]["page"].asInt());

    ASSERT_EQ(2u, dumps.size());
    // The main menu: its buttons by name, their captions and their pictures.
    const Json::Value* select = named(dumps[0], "bnselect");
    ASSERT_NE(nullptr, select);
    EXPECT_EQ("Button", (*select)["widget"].asString());
    const Json::Value* caption = childOfClass(*select, "CCLabelTTF");
    ASSERT_NE(nullptr, caption);
    EXPECT_EQ("Choose a page", (*caption)["text"].asString());
    EXPECT_EQ(32, (*caption)["fontSize"].asFloat());
    const Json::Value* look = childOfClass(*select, "CCScale9Sprite");
    ASSERT_NE(nullptr, look);
    EXPECT_EQ("mainpage/menu_button.png", (*look)["texture"].asString()) << "a file, named from the book's folder";
    const Json::Value* goOn = named(dumps[0], "bngoon");
    ASSERT_NE(nullptr, goOn);
    EXPECT_FALSE((*goOn)["visible"].asBool());

    // Word learning after the tap: the highlighted card's word, its sentence,
    // the page picture and the sprite frames of the highlight.
    const Json::Value* word = named(dumps[1], "bn091");
    ASSERT_NE(nullptr, word);
    EXPECT_TRUE((*word)["visible"].asBool());
    EXPECT_EQ(91, (*word)["tag"].asInt());
    const Json::Value* frame = findNode(*word, [](const Json::Value& n) { return n.isMember("frame") && n["visible"].asBool(); });
    ASSERT_NE(nullptr, frame);
    EXPECT_EQ("card_glow_down.png", (*frame)["frame"].asString()) << "the pressed look of the focused word";
    const Json::Value* sentence =
        findNode(dumps[1], [](const Json::Value& n) { return n["text"] == "-The sun is warm and bright.-"; });
    ASSERT_NE(nullptr, sentence);
    EXPECT_EQ(25, (*sentence)["fontSize"].asFloat());
    EXPECT_NE(nullptr, findNode(dumps[1], [](const Json::Value& n) {
                  return n["texture"] == "qovarn_3391_ver10/tale/page_9.png";
              }));
}
