// Files an outside editor may one day write: each gives no tree or the
// format's defaults, with at most one diagnostic line, and never an exception.
#include "ReaderTestSupport.h"

#include "gui/Layout.h"
#include "gui/WidgetLookup.h"
#include "gui/widgets/UIButton.h"

#include "base/CCLog.h"

#include <fstream>
#include <sys/stat.h>

namespace cc {
namespace readertest {
namespace {

struct ReaderBadInput : ReaderFixture {
    // Reads text and counts every diagnostic line: the reader's printed
    // messages and the engine's log lines.
    UIWidget* readCounting(const std::string& name, const std::string& text, size_t& lines)
    {
        CCLogCapture::setEcho(false);
        CCLogCapture log;
        UIWidget* root = nullptr;
        EXPECT_NO_THROW(root = readText(name, text));
        CCLogCapture::setEcho(true);
        lines = log.lines().size();
        for (char c : printed) lines += c == '\n';
        return root;
    }
    const std::string panel = node("Panel", "\"width\": 640, \"height\": 960");
};

TEST_F(ReaderBadInput, RefusedFilesGiveNoTreeAndOneLine)
{
    const std::string deep = std::string(5000, '[') + std::string(5000, ']');
    std::string deepTree = "{\"designWidth\": 1, \"designHeight\": 1, \"widgetTree\": ";
    for (int i = 0; i < 400; ++i) deepTree += "{\"classname\": \"Panel\", \"children\": [";
    for (int i = 0; i < 400; ++i) deepTree += "]}";
    deepTree += "}";
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"not JSON", "{\"widgetTree\": "},
        {"garbage", "\x01\x02 not json at all"},
        {"a top-level array", "[1, 2, 3]"},
        {"a top-level string", "\"layout\""},
        {"deep array nesting", "{\"a\": " + deep + "}"},
        {"deep widget nesting", deepTree},
        {"no widget tree", "{\"designWidth\": 640, \"designHeight\": 960}"},
        {"a widget tree that is an array", layout("[1]")},
        {"a root that is not a container", layout(node("Button", ""))},
        {"a root without classname", layout("{\"options\": {}}")},
        {"a root of an unknown class", layout(node("Sprite", ""))},
        {"a byte-order mark then garbage", "\xEF\xBB\xBF\xEF\xBB\xBF garbage"},
    };
    for (const auto& c : cases) {
        size_t lines = 0;
        EXPECT_EQ(nullptr, readCounting("bad.json", c.text, lines)) << c.what;
        EXPECT_EQ(1u, lines) << c.what;
    }
}

TEST_F(ReaderBadInput, OddButReadableFilesGiveTheDefaults)
{
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"a trailing carriage return", layout(panel) + "\r"},
        {"a comment ending in a carriage return", layout(panel) + "// editor\r"},
        {"carriage returns throughout", "{\r\"designWidth\": 640,\r\"designHeight\": 960,\r\"widgetTree\": " + panel + "}\r\r"},
        {"a byte-order mark", "\xEF\xBB\xBF" + layout(panel)},
        {"integers beyond 32 bits", layout(node("Panel", R"("tag": 99999999999, "ZOrder": -99999999999,
             "colorR": 18446744073709551615, "width": 1e300, "x": -1e300)"))},
        {"a short version with resource objects", layout(panel, R"("version": "1.0")")},
        {"a long version with few parts", layout(panel, R"("version": "1234567")")},
        {"non-string textures", layout(panel, R"("textures": [1, true, null, [], {}, "missing.plist"])")},
        {"textures that is an object", layout(panel, R"("textures": {"a": "b.plist"})")},
        {"options that are an array", layout(R"({"classname": "Panel", "options": [1, 2]})")},
        {"children that are an object", layout(R"({"classname": "Panel", "children": {"a": 1}})")},
        {"children of the wrong kinds", layout(R"({"classname": "Panel", "children": [1, "x", null, [], {}]})")},
        {"a child without classname", layout(node("Panel", "", R"({"options": {"name": "x"}})"))},
        {"an unknown class with children", layout(node("Panel", "", node("ListView", "", node("Panel", ""))))},
        {"a text area without font", layout(node("Panel", "", node("TextArea", R"("text": "t")")))},
        {"a label without text", layout(node("Panel", "", node("Label", R"("fontName": 3)")))},
        {"an animation that is a string", layout(panel, R"("animation": "none")")},
    };
    for (const auto& c : cases) {
        size_t lines = 0;
        UIWidget* root = readCounting("odd.json", c.text, lines);
        ASSERT_NE(nullptr, root) << c.what;
        EXPECT_NE(nullptr, dynamic_cast<Layout*>(root)) << c.what;
        EXPECT_LE(lines, 1u) << c.what;
    }
    // Out-of-range integers fall back to the defaults.
    UIWidget* root = readText("ints.json", layout(node("Panel", R"("tag": 99999999999, "colorR": 4294967296)")));
    ASSERT_NE(nullptr, root);
    EXPECT_EQ(0, root->getTag());
    EXPECT_EQ(255, root->getColor().r);
}

TEST_F(ReaderBadInput, MissingSpriteFramesAndAtlasCellsLeaveEmptyWidgets)
{
    size_t lines = 0;
    UIWidget* root = readCounting("frames.json", layout(node("Panel", "",
        node("Button", R"("name": "b", "useMergedTexture": true, "normal": "nowhere.png")") + "," +
        node("LabelAtlas", R"("name": "a", "stringValue": "12", "charMapFile": "none.png", "itemWidth": 0,
             "itemHeight": 0, "startCharMap": "0")"))), lines);
    ASSERT_NE(nullptr, root);
    UIButton* b = dynamic_cast<UIButton*>(WidgetLookup::shareWidgetLookup()->findWidgetByName(root, "b"));
    ASSERT_NE(nullptr, b);
    EXPECT_FLOAT_EQ(0, b->getNormalTextureSize().width);
    EXPECT_NE(nullptr, WidgetLookup::shareWidgetLookup()->findWidgetByName(root, "a"));
}

TEST_F(ReaderBadInput, AVeryLargeFileIsRefusedWithAMessageBeforeItIsRead)
{
    const std::string path = scratchDir() + "/huge.json";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << "{\"pad\": \"";
        const std::string block(1 << 20, 'x');
        for (long written = 0; written <= CCSGUIReader::kMaxLayoutBytes; written += static_cast<long>(block.size()))
            out << block;
        out << "\"}";
    }
    CCLogCapture log;
    EXPECT_EQ(nullptr, read(path));
    ASSERT_EQ(1u, log.lines().size());
    EXPECT_NE(std::string::npos, log.lines()[0].find("huge.json"));
    std::remove(path.c_str());
}

TEST_F(ReaderBadInput, AFifoInPlaceOfALayoutOrAPictureNeverBlocksTheReader)
{
    const std::string pipe = scratchDir() + "/page.json";
    ASSERT_EQ(0, ::mkfifo(pipe.c_str(), 0644));
    EXPECT_EQ(nullptr, read(pipe));
    EXPECT_EQ("read json file[" + pipe + "] error!\n", printed);

    const std::string picture = scratchDir() + "/picture.png";
    ASSERT_EQ(0, ::mkfifo(picture.c_str(), 0644));
    size_t lines = 0;
    UIWidget* root = readCounting("withpipe.json", layout(node("Panel", "",
        node("ImageView", R"("name": "pic", "fileName": "picture.png")"))), lines);
    ASSERT_NE(nullptr, root);
    EXPECT_EQ(1u, lines);
    std::remove(pipe.c_str());
    std::remove(picture.c_str());
}

TEST_F(ReaderBadInput, ThePicturesOfOneLayoutShareOnePagesPixelBudget)
{
    // Five pictures of 4096 x 4096 pass the per-picture bound one by one but
    // not the page's budget together: the fifth is refused with its line.
    std::string children;
    for (int i = 0; i < 5; ++i) {
        const std::string name = "big" + std::to_string(i) + ".png";
        writeImage("", name, 4096, 4096);
        if (i) children += ",";
        children += node("ImageView", "\"name\": \"pic" + std::to_string(i) + "\", \"fileName\": \"" + name + "\"");
    }
    size_t lines = 0;
    CCLogCapture::setEcho(false);
    CCLogCapture log;
    UIWidget* root = readCounting("budget.json", layout(node("Panel", "", children)), lines);
    ASSERT_NE(nullptr, root);
    EXPECT_EQ(1u, lines);
    bool refused = false;
    for (const std::string& l : log.lines()) refused = refused || l.find("big4.png") != std::string::npos;
    EXPECT_TRUE(refused);
}

} // namespace
} // namespace readertest
} // namespace cc
