// Option groups: the common and colour defaults and type rules, container
// backgrounds and clipping, buttons in both generations, titles, the label
// kinds, child order and the depth-first build with options before children.
#include "ReaderTestSupport.h"

#include "gui/Layout.h"
#include "gui/WidgetLookup.h"
#include "gui/widgets/UIButton.h"
#include "gui/widgets/UIImageView.h"
#include "gui/widgets/UILabel.h"
#include "gui/widgets/UILabelAtlas.h"
#include "gui/widgets/UILabelBMFont.h"

#include "base/CCLog.h"
#include "scene/CCLayer.h"
#include "scene/CCNode.h"
#include "text/CCLabelTTF.h"

namespace cc {
namespace readertest {
namespace {

struct ReaderOptions : ReaderFixture {
    // The root panel's children built from the given nodes.
    CCArray* childrenOf(const std::string& children)
    {
        root = read(writeFile("options.json", layout(node("Panel", "\"width\": 640, \"height\": 960", children))));
        return root ? root->getChildren() : nullptr;
    }
    UIWidget* only(const std::string& child)
    {
        CCArray* children = childrenOf(child);
        return children && children->count() == 1 ? static_cast<UIWidget*>(children->objectAtIndex(0)) : nullptr;
    }
    UIWidget* root = nullptr;
};

TEST_F(ReaderOptions, CommonGroupDefaultsAreTheFormatsNotTheClasss)
{
    UIWidget* w = only(node("Panel", ""));
    ASSERT_NE(nullptr, w);
    EXPECT_STREQ("default", w->getName());
    EXPECT_EQ(0, w->getTag()); // the class would give -1
    EXPECT_EQ(0, w->getActionTag());
    EXPECT_FALSE(w->isTouchEnabled());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(0, w->getZOrder());
    EXPECT_TRUE(w->getPosition().equals(CCPointZero));
    // The colour group runs last: white and a centred anchor, even for a container.
    EXPECT_TRUE(w->getAnchorPoint().equals(CCPoint(0.5f, 0.5f)));
    EXPECT_EQ(255, w->getColor().r);
    EXPECT_EQ(255, w->getColor().b);
    EXPECT_FALSE(w->isFlipX());
    EXPECT_FLOAT_EQ(1.0f, w->getScaleX());
}

TEST_F(ReaderOptions, TypeRulesOfTheCommonAndColourGroups)
{
    // A button: its render node keeps a colour and it can mirror.
    UIWidget* w = only(node("Button", R"("tag": 12.7, "actiontag": true, "touchAble": 1, "visible": 0,
        "colorG": 0, "colorB": 0, "ZOrder": "3", "scaleX": 2, "x": 10.5, "y": -3, "width": 100, "height": 50,
        "name": 7, "rotation": 30, "anchorPointX": 0, "opacity": 128.9, "flipY": true)"));
    ASSERT_NE(nullptr, w);
    EXPECT_EQ(12, w->getTag());
    EXPECT_EQ(1, w->getActionTag());
    EXPECT_FALSE(w->isTouchEnabled()); // 1 is not a boolean
    EXPECT_TRUE(w->isVisible());       // neither is 0
    EXPECT_EQ(0, w->getZOrder());      // a string is not an integer
    EXPECT_STREQ("default", w->getName());
    EXPECT_FLOAT_EQ(2.0f, w->getScaleX());
    EXPECT_FLOAT_EQ(1.0f, w->getScaleY()); // absent: untouched
    EXPECT_TRUE(w->getPosition().equals(CCPoint(10.5f, -3)));
    // The widget's own node turns, not only the look shown now.
    ASSERT_NE(nullptr, w->getOwnRenderNode());
    EXPECT_FLOAT_EQ(30, w->getOwnRenderNode()->getRotation());
    EXPECT_FLOAT_EQ(0, w->getRenderNode()->getRotation());
    EXPECT_TRUE(w->getAnchorPoint().equals(CCPoint(0, 0.5f)));
    EXPECT_EQ(128, w->getOpacity());
    // Omitting colorR tints red.
    EXPECT_EQ(255, w->getColor().r);
    EXPECT_EQ(0, w->getColor().g);
    EXPECT_EQ(0, w->getColor().b);
    EXPECT_TRUE(w->isFlipY());

    UIWidget* v = only(node("Panel", R"("touchAble": true, "visible": false, "name": "panel", "ignoreSize": true)"));
    ASSERT_NE(nullptr, v);
    EXPECT_TRUE(v->isTouchEnabled());
    EXPECT_FALSE(v->isVisible());
    EXPECT_STREQ("panel", v->getName());
    EXPECT_TRUE(v->isIgnoreSize());
}

TEST_F(ReaderOptions, ARotatedButtonTurnsEveryLookItsTitleAndItsHitArea)
{
    writeImage("", "wide.png", 40, 10);
    UIWidget* w = only(node("TextButton", R"("x": 200, "y": 300, "rotation": 90, "scale9Enable": true,
        "scale9Width": 100, "scale9Height": 20, "normal": "wide.png", "pressed": "wide.png", "disabled": "wide.png",
        "text": "Go", "fontSize": 12)"));
    UIButton* b = dynamic_cast<UIButton*>(w);
    ASSERT_NE(nullptr, b);
    // The root panel is centred on the origin; measure from the button's own centre.
    const CCPoint c = w->getOwnRenderNode()->getParent()->convertToWorldSpace(w->getPosition());
    // Turned a quarter: the 100-point side now runs up and down the screen.
    auto worldBox = [](CCNode* n) {
        const CCSize& s = n->getContentSize();
        return CCRectApplyAffineTransform(CCRect(0, 0, s.width, s.height), n->nodeToWorldTransform());
    };
    for (CCNode* look : {b->getNormalRenderer(), b->getPressedRenderer(), b->getDisabledRenderer()}) {
        const CCRect box = worldBox(look);
        EXPECT_NEAR(20, box.size.width, 0.5);
        EXPECT_NEAR(100, box.size.height, 0.5);
        EXPECT_NEAR(c.x, box.getMidX(), 0.5);
        EXPECT_NEAR(c.y, box.getMidY(), 0.5);
    }
    const CCRect title = worldBox(b->getTitleRenderer());
    EXPECT_GT(title.size.height, title.size.width) << "the title turns with the button";
    EXPECT_NEAR(c.x, title.getMidX(), 1);
    EXPECT_NEAR(c.y, title.getMidY(), 1);
    // The hit area turns too.
    EXPECT_TRUE(w->hitTest(c + CCPoint(0, 45)));
    EXPECT_FALSE(w->hitTest(c + CCPoint(45, 0)));
}

TEST_F(ReaderOptions, ChildrenSortByZOrderAndUnknownClassesBuildNothing)
{
    CCArray* children = childrenOf(node("Panel", R"("name": "a", "ZOrder": 2)") + "," +
                                   node("Panel", R"("name": "b")") + "," +
                                   node("Panel", R"("name": "c", "ZOrder": 2)") + "," +
                                   node("ListView", R"("name": "list")", node("Panel", R"("name": "inList")")) + "," +
                                   node("Sprite", R"("name": "sprite")") + "," + node("Panel", R"("name": "e")"));
    ASSERT_NE(nullptr, children);
    std::string names;
    for (CCObject* o : *children) names += std::string(static_cast<UIWidget*>(o)->getName()) + " ";
    EXPECT_EQ("b e a c ", names);
}

TEST_F(ReaderOptions, DepthFirstWithEachNodesOptionsBeforeItsChildren)
{
    // Every image is a missing sprite frame, so the cache logs the order the
    // nodes' options were applied in.
    const std::string merged = "\"useMergedTexture\": true, ";
    CCLogCapture log;
    UIWidget* root = read(writeFile(
        "order.json",
        layout(node("Panel", merged + "\"backGroundImage\": \"f_root\"",
                    node("Button", merged + "\"normal\": \"f_a\"", node("Button", merged + "\"normal\": \"f_a1\"")) +
                        "," + node("Button", merged + "\"normal\": \"f_b\"")))));
    ASSERT_NE(nullptr, root);
    std::vector<std::string> order;
    for (const std::string& line : log.lines()) {
        for (const char* name : {"f_root", "f_a", "f_a1", "f_b"}) {
            if (line.find(std::string("'") + name + "'") != std::string::npos) order.push_back(name);
        }
    }
    EXPECT_EQ((std::vector<std::string>{"f_root", "f_a", "f_a1", "f_b"}), order);
}

TEST_F(ReaderOptions, PanelClippingBackGroundAndRootSize)
{
    UIWidget* w = only(node("Panel", R"("clipAble": true, "colorType": 1, "bgColorR": 10, "bgColorG": 20,
        "bgColorB": 30, "bgColorOpacity": 100, "width": 50, "height": 40)"));
    Layout* panel = dynamic_cast<Layout*>(w);
    ASSERT_NE(nullptr, panel);
    EXPECT_TRUE(panel->isClippingEnabled());
    EXPECT_EQ(LAYOUT_COLOR_SOLID, panel->getBackGroundColorType());
    ASSERT_NE(nullptr, panel->getColorLayer());
    EXPECT_EQ(10, panel->getColorLayer()->getColor().r);
    EXPECT_EQ(30, panel->getColorLayer()->getColor().b);
    EXPECT_EQ(100, panel->getColorLayer()->getOpacity());

    UIWidget* g = only(node("Panel", R"("colorType": 2, "bgStartColorR": 200, "bgEndColorB": 90, "vectorX": 1,
        "vectorY": 0)"));
    Layout* gradient = dynamic_cast<Layout*>(g);
    ASSERT_NE(nullptr, gradient);
    ASSERT_NE(nullptr, gradient->getGradientLayer());
    EXPECT_EQ(200, gradient->getGradientLayer()->getStartColor().r);
    EXPECT_EQ(90, gradient->getGradientLayer()->getEndColor().b);
    EXPECT_FALSE(gradient->isClippingEnabled());

    // A zero-sized root takes the file's design size; a sized one keeps its own.
    UIWidget* zero = readText("zero.json", R"({"designWidth": 480, "designHeight": 320,
        "widgetTree": {"classname": "Panel", "options": {}}})");
    ASSERT_NE(nullptr, zero);
    EXPECT_FLOAT_EQ(480, zero->getSize().width);
    EXPECT_FLOAT_EQ(320, zero->getSize().height);
    UIWidget* sized = readText("sized.json", R"({"designWidth": 480, "designHeight": 320,
        "widgetTree": {"classname": "Panel", "options": {"width": 100, "height": 60}}})");
    ASSERT_NE(nullptr, sized);
    EXPECT_FLOAT_EQ(100, sized->getSize().width);
}

TEST_F(ReaderOptions, ButtonsInBothGenerationsWithNineSliceAndTitle)
{
    const std::string dir = scratchDir("buttons");
    writeImage("buttons", "n.png", 40, 20);
    writeImage("buttons", "p.png", 40, 20);
    writeSheet("buttons", "bsheet");
    const std::string tree = node("Panel", R"("width": 640, "height": 960)",
        node("Button", R"("name": "plain", "normal": "n.png", "pressed": "p.png", "disabled": "")") + "," +
        node("Button", R"("name": "merged", "useMergedTexture": true, "normal": "bsheet_a.png")") + "," +
        node("Button", R"("name": "objects", "normalData": {"resourceType": 0, "path": "n.png"},
             "pressedData": {"resourceType": 1, "path": "bsheet_b.png"}, "disabledData": {"resourceType": 2,
             "path": "p.png"})") + "," +
        node("Button", R"("name": "nine", "scale9Enable": true, "normal": "n.png", "capInsetsX": 2, "capInsetsY": 3,
             "capInsetsWidth": 4, "capInsetsHeight": 5, "scale9Width": 120, "scale9Height": 44)") + "," +
        node("TextButton", R"("name": "title", "text": "Go", "textColorR": 10, "fontName": "Sans")"));

    // Plain names (no version): objects are ignored, strings are file names.
    UIWidget* plainRoot = read(writeFile("buttons/plain.json", layout(tree, R"("textures": ["bsheet.plist"])")));
    ASSERT_NE(nullptr, plainRoot);
    EXPECT_TRUE(reader()->usesPlainNames());
    EXPECT_EQ(dir + "/", reader()->getFileDirectory());
    WidgetLookup* lookup = WidgetLookup::shareWidgetLookup();
    auto button = [&](UIWidget* r, const char* name) { return dynamic_cast<UIButton*>(lookup->findWidgetByName(r, name)); };
    ASSERT_NE(nullptr, button(plainRoot, "plain"));
    EXPECT_EQ(dir + "/n.png", button(plainRoot, "plain")->getNormalFileName());
    EXPECT_EQ(dir + "/p.png", button(plainRoot, "plain")->getPressedFileName());
    EXPECT_EQ("", button(plainRoot, "plain")->getDisabledFileName());
    EXPECT_EQ("bsheet_a.png", button(plainRoot, "merged")->getNormalFileName());
    EXPECT_EQ(UI_TEX_TYPE_PLIST, button(plainRoot, "merged")->getNormalTextureKind());
    EXPECT_FLOAT_EQ(10, button(plainRoot, "merged")->getNormalTextureSize().width);
    EXPECT_EQ("", button(plainRoot, "objects")->getNormalFileName());

    UIButton* nine = button(plainRoot, "nine");
    EXPECT_TRUE(nine->isScale9Enabled());
    EXPECT_TRUE(nine->getNormalCapInsets().equals(CCRect(2, 3, 4, 5)));
    EXPECT_FLOAT_EQ(120, nine->getSize().width);
    EXPECT_FLOAT_EQ(44, nine->getSize().height);

    UIButton* title = button(plainRoot, "title");
    EXPECT_STREQ("Go", title->getTitleText());
    EXPECT_STREQ("Sans", title->getTitleFontName());
    EXPECT_EQ(10, title->getTitleColor().r);
    EXPECT_EQ(255, title->getTitleColor().g); // absent keys give 255

    // Resource objects (0.2.5.0 on): each image with its own kind; type 2 loads nothing.
    UIWidget* objRoot = read(writeFile("buttons/objects.json", layout(tree, R"("version": "0.2.5.0")")));
    ASSERT_NE(nullptr, objRoot);
    EXPECT_FALSE(reader()->usesPlainNames());
    UIButton* objects = button(objRoot, "objects");
    EXPECT_EQ(dir + "/n.png", objects->getNormalFileName());
    EXPECT_EQ("bsheet_b.png", objects->getPressedFileName());
    EXPECT_FLOAT_EQ(6, objects->getPressedTextureSize().width);
    EXPECT_EQ("", objects->getDisabledFileName());
    EXPECT_EQ("", button(objRoot, "plain")->getNormalFileName()); // strings ignored in this generation

    // 0.2.4.9 is still the plain-name generation.
    ASSERT_NE(nullptr, read(writeFile("buttons/old.json", layout(tree, R"("version": "0.2.4.9")"))));
    EXPECT_TRUE(reader()->usesPlainNames());
}

TEST_F(ReaderOptions, LabelKinds)
{
    writeImage("labels", "digits.png", 40, 8);
    const std::string tree = node("Panel", R"("width": 640, "height": 960)",
        node("Label", R"("name": "label", "text": "Hello", "fontSize": 30.9, "fontName": "Sans", "colorB": 0,
             "touchScaleEnable": true)") + "," +
        node("TextArea", R"("name": "area", "text": "Wrapped words", "fontName": "Sans", "areaWidth": 200,
             "areaHeight": 80, "hAlignment": 2, "vAlignment": 7, "colorR": 5)") + "," +
        node("TextArea", R"("name": "noFont", "text": "x")") + "," +
        node("LabelAtlas", R"("name": "atlas", "stringValue": "0123", "charMapFile": "digits.png",
             "itemWidth": 4, "itemHeight": 8, "startCharMap": "0")") + "," +
        node("LabelAtlas", R"("name": "zeroCell", "stringValue": "0123", "charMapFile": "digits.png",
             "itemWidth": 0, "itemHeight": 8, "startCharMap": "0")") + "," +
        node("LabelBMFont", R"("name": "bm", "text": "dropped")"));
    UIWidget* root = read(writeFile("labels/labels.json", layout(tree)));
    ASSERT_NE(nullptr, root);
    WidgetLookup* lookup = WidgetLookup::shareWidgetLookup();

    UILabel* label = dynamic_cast<UILabel*>(lookup->findWidgetByName(root, "label"));
    ASSERT_NE(nullptr, label);
    EXPECT_STREQ("Hello", label->getStringValue());
    ASSERT_NE(nullptr, label->getLabelRenderer());
    EXPECT_FLOAT_EQ(30, label->getLabelRenderer()->getFontSize());
    EXPECT_TRUE(label->isTouchScaleEnabled());
    EXPECT_EQ(0, label->getColor().b);

    UILabel* area = dynamic_cast<UILabel*>(lookup->findWidgetByName(root, "area"));
    ASSERT_NE(nullptr, area);
    ASSERT_NE(nullptr, area->getLabelRenderer());
    EXPECT_FLOAT_EQ(200, area->getLabelRenderer()->getDimensions().width);
    EXPECT_EQ(kCCTextAlignmentRight, area->getLabelRenderer()->getHorizontalAlignment());
    // 7 is no vertical alignment: the label keeps its own.
    EXPECT_EQ(kCCVerticalTextAlignmentTop, area->getLabelRenderer()->getVerticalAlignment());
    // The area's own colour defaults to black, then the colour group's 255s win.
    EXPECT_EQ(5, area->getColor().r);
    EXPECT_EQ(255, area->getColor().g);
    ASSERT_NE(nullptr, lookup->findWidgetByName(root, "noFont"));

    UILabelAtlas* atlas = dynamic_cast<UILabelAtlas*>(lookup->findWidgetByName(root, "atlas"));
    ASSERT_NE(nullptr, atlas);
    EXPECT_STREQ("LabelAtlase", atlas->getTypeName());
    EXPECT_STREQ("0123", atlas->getStringValue());
    UILabelAtlas* zero = dynamic_cast<UILabelAtlas*>(lookup->findWidgetByName(root, "zeroCell"));
    ASSERT_NE(nullptr, zero);
    EXPECT_STREQ("", zero->getStringValue() ? zero->getStringValue() : "");

    UILabelBMFont* bm = dynamic_cast<UILabelBMFont*>(lookup->findWidgetByName(root, "bm"));
    ASSERT_NE(nullptr, bm);
    EXPECT_FALSE(bm->isFontFileSet());
    EXPECT_STREQ("", bm->getStringValue() ? bm->getStringValue() : "");
}

} // namespace
} // namespace readertest
} // namespace cc
