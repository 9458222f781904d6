// The layout tool's description of a built tree: the base fields, the
// kinds' own settings, the children in order and the loaded frame names.
#include "ReaderTestSupport.h"

#include "gui/LayoutDump.h"
#include "gui/widgets/UIButton.h"

#include <json/reader.h>

namespace cc {
namespace readertest {
namespace {

using LayoutDump = ReaderFixture;

TEST_F(LayoutDump, DescribesTheBuiltTreeAndTheFramesTheFileLoaded)
{
    writeSheet("dump", "dsheet");
    writeImage("dump", "pic.png", 30, 20);
    const std::string path = writeFile("dump/page.json", layout(
        node("Panel", R"("name": "root", "width": 640, "height": 960, "clipAble": true, "colorType": 1,
             "bgColorR": 9, "bgColorOpacity": 200)",
             node("Button", R"("name": "word", "tag": 4, "actiontag": 7, "x": 12, "y": 34, "touchAble": true,
                  "scaleX": 2, "flipX": true, "colorG": 0, "normalData": {"resourceType": 1, "path": "dsheet_a.png"},
                  "pressedData": {"resourceType": 0, "path": "pic.png"}, "rotation": 30)") + "," +
             node("TextButton", R"("name": "go", "ZOrder": 5, "text": "Go", "fontSize": 22)") + "," +
             node("ImageView", R"("name": "pic", "visible": false, "fileNameData": {"resourceType": 0,
                  "path": "pic.png"})")),
        R"("version": "1.2.0.0", "textures": ["dsheet.plist"])"));
    Json::Value out;
    ASSERT_TRUE(layoutdump::dumpLayoutFile(path.c_str(), out));

    // The text form parses back to the same description.
    Json::Value again;
    const std::string text = layoutdump::toText(out);
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> parser(builder.newCharReader());
    ASSERT_TRUE(parser->parse(text.data(), text.data() + text.size(), &again, nullptr));
    EXPECT_EQ(out, again);

    const Json::Value& root = out["widgetTree"];
    EXPECT_EQ("Layout", root["type"].asString()); // the widget kind, not the file's class name
    EXPECT_EQ("root", root["name"].asString());
    EXPECT_TRUE(root["state"]["clipping"].asBool());
    EXPECT_EQ("solid", root["state"]["backGroundColorType"].asString());
    EXPECT_EQ(9, root["state"]["backGroundColor"][0].asInt());
    EXPECT_EQ(200, root["state"]["backGroundOpacity"].asInt());
    ASSERT_EQ(3u, root["children"].size());
    // Children in child-array order: the z-order 5 title comes last.
    EXPECT_EQ("word", root["children"][0]["name"].asString());
    EXPECT_EQ("pic", root["children"][1]["name"].asString());
    EXPECT_EQ("go", root["children"][2]["name"].asString());

    const Json::Value& word = root["children"][0];
    EXPECT_EQ("Button", word["type"].asString());
    EXPECT_EQ(4, word["tag"].asInt());
    EXPECT_EQ(7, word["actionTag"].asInt());
    EXPECT_EQ(12, word["position"][0].asFloat());
    EXPECT_TRUE(word["touchEnabled"].asBool());
    EXPECT_EQ(2, word["scaleX"].asFloat());
    EXPECT_TRUE(word["flipX"].asBool());
    EXPECT_EQ(0, word["color"][1].asInt());
    EXPECT_EQ("spriteFrame", word["state"]["normal"]["kind"].asString());
    EXPECT_EQ("dsheet_a.png", word["state"]["normal"]["name"].asString());
    EXPECT_EQ(scratchDir("dump") + "/pic.png", word["state"]["pressed"]["name"].asString());
    // Each look carries its own kind, whatever the normal look's is.
    EXPECT_EQ("file", word["state"]["pressed"]["kind"].asString());
    // A kind the widgets do not load still shows as what it is.
    UIButton* odd = UIButton::create();
    odd->loadDisabledTexture("pic.png", static_cast<TextureResType>(2));
    EXPECT_EQ("other", layoutdump::describeWidget(odd)["state"]["disabled"]["kind"].asString());
    EXPECT_EQ("file", layoutdump::describeWidget(odd)["state"]["normal"]["kind"].asString());
    // The rotation is the one the widget's own node really has.
    EXPECT_EQ(30, word["rotation"].asFloat());

    const Json::Value& go = root["children"][2];
    EXPECT_EQ("Go", go["state"]["title"]["text"].asString());
    EXPECT_EQ(22, go["state"]["title"]["fontSize"].asFloat());
    EXPECT_EQ(5, go["zOrder"].asInt());

    const Json::Value& pic = root["children"][1];
    EXPECT_EQ("ImageView", pic["type"].asString());
    EXPECT_FALSE(pic["visible"].asBool());
    EXPECT_EQ("file", pic["state"]["texture"]["kind"].asString());
    EXPECT_EQ(30, pic["state"]["textureSize"][0].asFloat());

    ASSERT_EQ(2u, out["spriteFrames"].size());
    EXPECT_EQ("dsheet_a.png", out["spriteFrames"][0].asString());
    EXPECT_EQ("dsheet_b.png", out["spriteFrames"][1].asString());
}

TEST_F(LayoutDump, ARefusedFileGivesNoDescription)
{
    Json::Value out;
    EXPECT_FALSE(layoutdump::dumpLayoutFile(writeFile("dump/bad.json", "{").c_str(), out));
    EXPECT_TRUE(out.isNull());
    EXPECT_FALSE(layoutdump::dumpLayoutFile("dump/missing.json", out));
}

} // namespace
} // namespace readertest
} // namespace cc
