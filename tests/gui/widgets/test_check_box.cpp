// Check box: the order in which listeners hear a completed tap and silence
// on an abandoned one (through a real UI layer), the looks, and texture
// loading with the shared fitting rule.
#include "WidgetTestSupport.h"
#include "gui/GuiTestSupport.h"

#include "gui/widgets/UICheckBox.h"
#include "render/CCSprite.h"

#include <gtest/gtest.h>

namespace cc {
namespace widgettest {
namespace {

const ccColor4B kGrey = {128, 128, 128, 255}, kRed = {220, 0, 0, 255};

// Writes every listener call of a check box into one list, in call order.
struct BoxLog : guitest::EventLog {
    void onSelect(CCObject*) { events.push_back("select"); }
    void onUnselect(CCObject*) { events.push_back("unselect"); }
    void onCheckBox(CCObject*, CheckBoxEventKind kind) { events.push_back("checkbox:" + std::to_string(kind)); }
    void listenToBox(UICheckBox* box)
    {
        listenTo(box);
        box->setSelectListener(this, callfuncO_selector(BoxLog::onSelect));
        box->setUnselectListener(this, callfuncO_selector(BoxLog::onUnselect));
        box->setCheckBoxListener(this, checkboxeventselector(BoxLog::onCheckBox));
    }
};

UICheckBox* makeBox(const char* name)
{
    UICheckBox* box = UICheckBox::create();
    box->setName(name);
    box->loadTextures(writeSolidPNG("box.png", 40, 40, kGrey).c_str(), writeSolidPNG("box-pressed.png", 40, 40, kGrey).c_str(),
                      writeSolidPNG("cross.png", 30, 30, kRed).c_str(), writeSolidPNG("box-off.png", 40, 40, kGrey).c_str(),
                      writeSolidPNG("cross-off.png", 30, 30, kGrey).c_str());
    box->setTouchEnabled(true);
    box->setPosition(CCPoint(200, 300));
    return box;
}

bool shown(UICheckBox* box, UICheckBox::Part part) { return box->getPartRenderer(part)->isVisible(); }

TEST(CheckBox, CompletedTapsToggleAndTellListenersInOrder)
{
    guitest::Stage stage;
    UICheckBox* box = makeBox("box");
    BoxLog log;
    log.listenToBox(box);
    ASSERT_TRUE(stage.root()->addChild(box));
    EXPECT_FALSE(box->getSelectedState());
    EXPECT_FALSE(shown(box, UICheckBox::kCross));

    stage.driver->touchDown(CCPoint(205, 295));
    stage.driver->step();
    EXPECT_TRUE(shown(box, UICheckBox::kBoxPressed));
    EXPECT_FALSE(shown(box, UICheckBox::kBox));
    stage.driver->touchUp(CCPoint(205, 295));
    stage.driver->step();
    EXPECT_EQ((std::vector<std::string>{"box:began", "box:ended", "select", "checkbox:0"}), log.events);
    EXPECT_TRUE(box->getSelectedState());
    EXPECT_TRUE(shown(box, UICheckBox::kCross));
    EXPECT_TRUE(shown(box, UICheckBox::kBox));
    EXPECT_FALSE(shown(box, UICheckBox::kBoxPressed));
    EXPECT_FALSE(box->isFocused());

    log.events.clear();
    stage.driver->tap(CCPoint(190, 310));
    EXPECT_EQ((std::vector<std::string>{"box:began", "box:ended", "unselect", "checkbox:1"}), log.events);
    EXPECT_FALSE(box->getSelectedState());
    EXPECT_FALSE(shown(box, UICheckBox::kCross));

    // Setting the state by hand tells nobody.
    log.events.clear();
    box->setSelectedState(true);
    EXPECT_TRUE(shown(box, UICheckBox::kCross));
    EXPECT_TRUE(log.events.empty());
}

TEST(CheckBox, AbandonedTapChangesNothingAndTellsNoSelectionListener)
{
    guitest::Stage stage;
    guitest::LookWidget* parent = guitest::LookWidget::make("parent", CCPoint(0, 0), CCSize(10, 10));
    parent->setTouchEnabled(false);
    UICheckBox* box = makeBox("box");
    BoxLog log;
    log.listenToBox(box);
    ASSERT_TRUE(parent->addChild(box));
    ASSERT_TRUE(stage.root()->addChild(parent));

    stage.driver->touchDown(CCPoint(200, 300));
    stage.driver->step();
    stage.driver->touchMove(CCPoint(400, 300));
    stage.driver->step();
    stage.driver->touchUp(CCPoint(400, 300));
    stage.driver->step();
    // Down and the move are the base's; the release outside is heard by nobody.
    EXPECT_EQ((std::vector<std::string>{"box:began", "box:moved"}), log.events);
    EXPECT_FALSE(box->getSelectedState());
    EXPECT_FALSE(shown(box, UICheckBox::kCross));
    EXPECT_TRUE(shown(box, UICheckBox::kBox));
    // The parent still hears every phase.
    EXPECT_EQ((std::vector<std::string>{"0:box", "1:box", "2:box"}), parent->intercepted);
}

TEST(CheckBox, DisabledLookShowsTheDisabledCrossOnlyWhenSelected)
{
    FrameDriver driver;
    UICheckBox* box = makeBox("box");
    box->setSelectedState(true);
    box->setLookActive(false);
    box->onTouchBegan(CCPoint(200, 300));
    EXPECT_TRUE(shown(box, UICheckBox::kBoxDisabled));
    EXPECT_TRUE(shown(box, UICheckBox::kCrossDisabled));
    EXPECT_FALSE(shown(box, UICheckBox::kCross));
    EXPECT_FALSE(shown(box, UICheckBox::kBox));
    EXPECT_FALSE(shown(box, UICheckBox::kBoxPressed));

    UICheckBox* empty = makeBox("empty");
    empty->setLookActive(false);
    empty->onTouchBegan(CCPoint(200, 300));
    EXPECT_TRUE(shown(empty, UICheckBox::kBoxDisabled));
    EXPECT_FALSE(shown(empty, UICheckBox::kCrossDisabled));
}

TEST(CheckBox, TexturesFollowTheFittingRule)
{
    FrameDriver driver;
    UICheckBox* box = UICheckBox::create();
    ASSERT_NE(nullptr, box);
    EXPECT_STREQ("CheckBox", box->getTypeName());
    EXPECT_TRUE(box->isIgnoreSize());
    EXPECT_EQ(box->getPartRenderer(UICheckBox::kBox), box->getRenderNode());
    // All five sprites live under the render node, in part order.
    for (int i = 0; i < UICheckBox::kPartCount; ++i)
        EXPECT_EQ(box->getPartRenderer(static_cast<UICheckBox::Part>(i))->getParent(), box->getPartRenderer(UICheckBox::kBox)->getParent());

    box->loadBoxTexture("");
    box->loadBoxTexture(nullptr);
    EXPECT_TRUE(box->getSize().equals(CCSizeZero));

    // Only the box decides the widget's size while it follows its content.
    box->loadCrossTexture(writeSolidPNG("cross-20.png", 20, 10, kRed).c_str());
    EXPECT_TRUE(box->getSize().equals(CCSizeZero));
    box->loadBoxTexture(writeSolidPNG("box-40.png", 40, 40, kGrey).c_str());
    EXPECT_TRUE(box->getSize().equals(CCSize(40, 40)));
    EXPECT_TRUE(box->getContentSize().equals(CCSize(40, 40)));

    // A custom size stretches every sprite by its own texture size.
    box->setIgnoreSize(false);
    box->setSize(CCSize(80, 20));
    EXPECT_FLOAT_EQ(2.0f, box->getPartRenderer(UICheckBox::kBox)->getScaleX());
    EXPECT_FLOAT_EQ(0.5f, box->getPartRenderer(UICheckBox::kBox)->getScaleY());
    EXPECT_FLOAT_EQ(4.0f, box->getPartRenderer(UICheckBox::kCross)->getScaleX());
    EXPECT_FLOAT_EQ(2.0f, box->getPartRenderer(UICheckBox::kCross)->getScaleY());
    // Sprites without a picture keep scale 1.0.
    EXPECT_FLOAT_EQ(1.0f, box->getPartRenderer(UICheckBox::kBoxPressed)->getScaleX());
    box->loadBoxDisabledTexture("/no/such/box.png");
    EXPECT_FLOAT_EQ(1.0f, box->getPartRenderer(UICheckBox::kBoxDisabled)->getScaleY());
    box->setIgnoreSize(true);
    EXPECT_FLOAT_EQ(1.0f, box->getPartRenderer(UICheckBox::kCross)->getScaleX());
    EXPECT_TRUE(box->getSize().equals(CCSize(40, 40)));

    // Anchor and flips reach all five sprites; the flags read from the box.
    box->setAnchorPoint(CCPoint(0, 1));
    box->setFlipX(true);
    for (int i = 0; i < UICheckBox::kPartCount; ++i) {
        CCSprite* part = box->getPartRenderer(static_cast<UICheckBox::Part>(i));
        EXPECT_TRUE(part->getAnchorPoint().equals(CCPoint(0, 1)));
        EXPECT_TRUE(part->isFlipX());
    }
    EXPECT_TRUE(box->isFlipX());
    EXPECT_FALSE(box->isFlipY());

    // The widget's colour reaches a sprite when its texture loads.
    box->setColor(ccc3(10, 20, 30));
    box->loadBoxPressedTexture(writeSolidPNG("box-p.png", 40, 40, kGrey).c_str(), UI_TEX_TYPE_LOCAL);
    const ccColor3B tint = box->getPartRenderer(UICheckBox::kBoxPressed)->getColor();
    EXPECT_EQ(10, tint.r);
    EXPECT_EQ(30, tint.b);
    EXPECT_EQ(UI_TEX_TYPE_LOCAL, box->getTextureKind(UICheckBox::kBoxPressed));
}

} // namespace
} // namespace widgettest
} // namespace cc
