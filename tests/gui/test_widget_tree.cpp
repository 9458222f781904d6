// The widget tree without touches: z-ordered children, parent rules,
// the enabled switch over a subtree, size rules, edges and colour defaults.
#include "GuiTestSupport.h"
#include "ScratchFolder.h"

#include "base/CCLog.h"
#include "gui/GUIRenderer.h"
#include "gui/Layout.h"
#include "gui/RectClippingNode.h"
#include "scene/CCLayer.h"
#include "gui/widgets/CCScale9Sprite.h"
#include "render/CCImage.h"
#include "render/CCSprite.h"

#include <cstdio>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace cc;
using namespace cc::guitest;

namespace {
std::vector<std::string> childNames(UIWidget* parent)
{
    std::vector<std::string> names;
    for (CCObject* o : *parent->getChildren()) names.push_back(static_cast<UIWidget*>(o)->getName());
    return names;
}

UIWidget* named(const char* name, int z)
{
    UIWidget* w = UIWidget::create();
    w->setName(name);
    w->setZOrder(z);
    return w;
}

// A leaf with content of its own, like an image.
struct ContentWidget : UIWidget {
    CCSize content = CCSize(30, 20);
    const CCSize& getContentSize() override { return content; }
    int sizeChanges = 0;
    void onSizeChanged() override { ++sizeChanges; }
    static ContentWidget* make()
    {
        ContentWidget* w = new ContentWidget();
        w->init();
        w->autorelease();
        return w;
    }
};
} // namespace

TEST(WidgetTree, ChildrenStaySortedByZOrderAndReinsertAfterEqualSiblings)
{
    FrameDriver driver;
    Layout* parent = Layout::create();
    UIWidget* a = named("a", 1);
    UIWidget* b = named("b", 0);
    UIWidget* c = named("c", 1);
    EXPECT_TRUE(parent->addChild(a));
    EXPECT_TRUE(parent->addChild(b));
    EXPECT_TRUE(parent->addChild(c));
    EXPECT_EQ((std::vector<std::string>{"b", "a", "c"}), childNames(parent));
    EXPECT_EQ(parent->getRenderNode(), a->getRenderNode()->getParent());
    EXPECT_EQ(1, a->getRenderNode()->getZOrder());

    // Same zOrder again: still moves behind every equal sibling.
    a->setZOrder(1);
    EXPECT_EQ((std::vector<std::string>{"b", "c", "a"}), childNames(parent));
    b->setZOrder(5);
    EXPECT_EQ((std::vector<std::string>{"c", "a", "b"}), childNames(parent));
    EXPECT_EQ(5, b->getRenderNode()->getZOrder());
    c->setZOrder(-1);
    EXPECT_EQ((std::vector<std::string>{"c", "a", "b"}), childNames(parent));

    // Duplicates and nulls are refused without change.
    EXPECT_FALSE(parent->addChild(a));
    EXPECT_FALSE(parent->addChild(nullptr));
    EXPECT_EQ(3u, parent->getChildren()->count());

    a->retain();
    EXPECT_TRUE(parent->removeChild(a));
    EXPECT_EQ(nullptr, a->getParent());
    EXPECT_EQ(nullptr, a->getRenderNode()->getParent());
    EXPECT_FALSE(parent->removeChild(a));
    a->release();

    parent->removeAllChildren();
    EXPECT_EQ(0u, parent->getChildren()->count());
    EXPECT_EQ(0u, parent->getRenderNode()->getChildrenCount());
}

TEST(WidgetTree, AWidgetWithAnotherParentIsRefusedWithOneLogLine)
{
    FrameDriver driver;
    Layout* first = Layout::create();
    Layout* second = Layout::create();
    UIWidget* child = UIWidget::create();
    ASSERT_TRUE(first->addChild(child));
    CCLogCapture log;
    EXPECT_FALSE(second->addChild(child));
    EXPECT_EQ(1u, log.lines().size());
    EXPECT_EQ(first, child->getParent());
    EXPECT_EQ(first->getRenderNode(), child->getRenderNode()->getParent());
    EXPECT_EQ(0u, second->getChildren()->count());
    // Once removed it may move.
    child->retain();
    first->removeChild(child);
    EXPECT_TRUE(second->addChild(child));
    child->release();
}

TEST(WidgetTree, EnabledSwitchCoversTheSubtreeAndItsRenderNodes)
{
    FrameDriver driver;
    Layout* panel = Layout::create();
    Layout* inner = Layout::create();
    UIWidget* leaf = UIWidget::create();
    panel->addChild(inner);
    inner->addChild(leaf);
    panel->setEnabled(false);
    EXPECT_FALSE(inner->isEnabled());
    EXPECT_FALSE(leaf->isEnabled());
    EXPECT_FALSE(static_cast<RectClippingNode*>(panel->getRenderNode())->isEnabled());
    EXPECT_FALSE(static_cast<GUIRenderer*>(leaf->getRenderNode())->isEnabled());
    panel->setEnabled(true);
    EXPECT_TRUE(leaf->isEnabled());
    EXPECT_TRUE(static_cast<GUIRenderer*>(leaf->getRenderNode())->isEnabled());
    // Visibility is a separate switch that goes to the render node only.
    leaf->setVisible(false);
    EXPECT_FALSE(leaf->getRenderNode()->isVisible());
    EXPECT_TRUE(leaf->isEnabled());
}

TEST(WidgetTree, SizeRulesForContentCustomSizeAndFractions)
{
    Stage stage;
    // A new container: zero size, lower-left anchor, no background.
    Layout* panel = Layout::create();
    EXPECT_EQ(CCSize(0, 0), panel->getSize());
    EXPECT_EQ(CCSize(0, 0), panel->getContentSize());
    EXPECT_EQ(CCPoint(0, 0), panel->getAnchorPoint());
    EXPECT_EQ(WidgetTypeContainer, panel->getWidgetType());
    EXPECT_STREQ("Layout", panel->getTypeName());

    // ignoreSize keeps the content size; the asked size waits in customSize.
    ContentWidget* image = ContentWidget::make();
    EXPECT_TRUE(image->isIgnoreSize());
    image->setSize(CCSize(100, 50));
    EXPECT_EQ(CCSize(30, 20), image->getSize());
    EXPECT_EQ(CCSize(100, 50), image->getCustomSize());
    image->setIgnoreSize(false);
    EXPECT_EQ(CCSize(100, 50), image->getSize());
    image->setIgnoreSize(true);
    EXPECT_EQ(CCSize(30, 20), image->getSize());

    // A fraction on a widget that is not running is only stored.
    UIWidget* w = UIWidget::create();
    w->setIgnoreSize(false);
    w->setSize(CCSize(40, 30));
    w->setSizeFraction(CCPoint(0.5f, 0.5f));
    EXPECT_EQ(CCSize(40, 30), w->getSize());
    EXPECT_EQ(CCPoint(0.5f, 0.5f), w->getSizeFraction());

    // Entering a running 200 x 100 parent recomputes from customSize, not the fraction.
    Layout* box = Layout::create();
    box->setSize(CCSize(200, 100));
    stage.root()->addChild(box);
    box->addChild(w);
    EXPECT_TRUE(w->isRunning());
    EXPECT_EQ(CCSize(40, 30), w->getSize());
    EXPECT_FLOAT_EQ(0.2f, w->getSizeFraction().x);
    EXPECT_FLOAT_EQ(0.3f, w->getSizeFraction().y);
    // Now fractions take effect at once, and setSize updates them.
    w->setSizeFraction(CCPoint(0.5f, 0.25f));
    EXPECT_EQ(CCSize(100, 25), w->getSize());
    EXPECT_EQ(CCSize(100, 25), w->getCustomSize());
    w->setSize(CCSize(50, 50));
    EXPECT_FLOAT_EQ(0.25f, w->getSizeFraction().x);
    EXPECT_FLOAT_EQ(0.5f, w->getSizeFraction().y);

    // A parent of 0 x 0 gives fraction 0 rather than a division by zero.
    Layout* empty = Layout::create();
    stage.root()->addChild(empty);
    UIWidget* v = UIWidget::create();
    v->setIgnoreSize(false);
    v->setSize(CCSize(10, 10));
    empty->addChild(v);
    EXPECT_EQ(CCPoint(0, 0), v->getSizeFraction());
    v->setSize(CCSize(20, 20));
    EXPECT_EQ(CCPoint(0, 0), v->getSizeFraction());
    v->setSizeFraction(CCPoint(0.5f, 0.5f));
    EXPECT_EQ(CCSize(0, 0), v->getSize());

    // The root covers the window.
    EXPECT_EQ(CCSize(640, 960), stage.root()->getSize());
    EXPECT_STREQ("RootWidget", stage.root()->getTypeName());
}

TEST(WidgetTree, EdgesDependOnTheKindOfWidget)
{
    FrameDriver driver;
    UIWidget* leaf = UIWidget::create();
    leaf->setIgnoreSize(false);
    leaf->setSize(CCSize(40, 20));
    leaf->setPosition(CCPoint(100, 50));
    EXPECT_FLOAT_EQ(80, leaf->getLeftEdge());
    EXPECT_FLOAT_EQ(40, leaf->getBottomEdge());
    EXPECT_FLOAT_EQ(120, leaf->getRightEdge());
    EXPECT_FLOAT_EQ(60, leaf->getTopEdge());
    Layout* box = Layout::create();
    box->setSize(CCSize(40, 20));
    box->setPosition(CCPoint(100, 50));
    EXPECT_FLOAT_EQ(100, box->getLeftEdge());
    EXPECT_FLOAT_EQ(70, box->getTopEdge());
    // The same rule in the widget's own node space: the anchor places a leaf.
    leaf->setAnchorPoint(CCPoint(0.25f, 0.5f));
    EXPECT_TRUE(leaf->getWidgetRect().equals(CCRect(-10, -10, 40, 20)));
    EXPECT_TRUE(box->getWidgetRect().equals(CCRect(0, 0, 40, 20)));
}

TEST(WidgetTree, ColourOfANodeWithoutColourIsWhite)
{
    FrameDriver driver;
    Layout* box = Layout::create();
    box->setColor(ccc3(10, 20, 30));
    EXPECT_EQ(ccc3(255, 255, 255), box->getColor());
    EXPECT_EQ(255, box->getOpacity());
    UIWidget* leaf = UIWidget::create();
    EXPECT_TRUE(leaf->isCascadeColorEnabled());
    leaf->setColor(ccc3(10, 20, 30));
    EXPECT_EQ(ccc3(10, 20, 30), leaf->getColor());
}

TEST(WidgetTree, ColourLayersFollowTheColourTypeAndTheSize)
{
    FrameDriver driver;
    Layout* box = Layout::create();
    box->setSize(CCSize(80, 60));
    box->setBackGroundColorType(LAYOUT_COLOR_SOLID);
    ASSERT_NE(nullptr, box->getColorLayer());
    EXPECT_EQ(CCSize(80, 60), box->getColorLayer()->getContentSize());
    EXPECT_EQ(255, box->getColorLayer()->getOpacity());
    EXPECT_EQ(-2, box->getColorLayer()->getZOrder());
    box->setBackGroundColorType(LAYOUT_COLOR_GRADIENT);
    EXPECT_EQ(nullptr, box->getColorLayer());
    ASSERT_NE(nullptr, box->getGradientLayer());
    box->setSize(CCSize(10, 20));
    EXPECT_EQ(CCSize(10, 20), box->getGradientLayer()->getContentSize());
    EXPECT_EQ(CCSize(10, 20), static_cast<RectClippingNode*>(box->getRenderNode())->getClippingSize());
    box->setBackGroundColorType(LAYOUT_COLOR_NONE);
    EXPECT_EQ(nullptr, box->getGradientLayer());
    EXPECT_EQ(0u, box->getRenderNode()->getChildrenCount());
}

namespace {
struct Ticking : UIWidget {
    int ticks = 0;
    void update(float) override { ++ticks; }
    static Ticking* make()
    {
        Ticking* w = new Ticking();
        w->init();
        w->autorelease();
        return w;
    }
};
} // namespace

TEST(WidgetTree, PerFrameUpdateRunsUntilTheWidgetIsRemoved)
{
    Stage stage;
    Layout* panel = Layout::create();
    Ticking* w = Ticking::make();
    stage.root()->addChild(panel);
    panel->addChild(w);
    w->setUpdateEnabled(true);
    stage.driver->step(3);
    EXPECT_EQ(3, w->ticks);
    w->retain();
    stage.root()->removeChild(panel); // unregisters the whole subtree
    stage.driver->step(2);
    EXPECT_EQ(3, w->ticks);
    w->release();
}

TEST(WidgetTree, BackgroundImageIsCentredAndSwitchesToNineSliceWithItsInsets)
{
    FrameDriver driver;
    quibotest::ScratchTemplate dir("quibo-layout-XXXXXX");
    ASSERT_NE(nullptr, mkdtemp(dir));
    const std::string png = std::string(dir) + "/bg.png";
    std::vector<unsigned char> pixels(40 * 30 * 4, 200);
    ASSERT_TRUE(CCImage::savePNG(png, pixels.data(), 40, 30));

    Layout* box = Layout::create();
    box->setSize(CCSize(100, 80));
    box->setBackGroundImage("");
    EXPECT_EQ(nullptr, box->getBackGroundImage());
    box->setBackGroundImage(png.c_str());
    ASSERT_NE(nullptr, dynamic_cast<CCSprite*>(box->getBackGroundImage()));
    EXPECT_EQ(CCSize(40, 30), box->getBackGroundImageTextureSize());
    EXPECT_EQ(CCPoint(50, 40), box->getBackGroundImage()->getPosition());
    EXPECT_EQ(-1, box->getBackGroundImage()->getZOrder());
    box->setSize(CCSize(200, 100));
    EXPECT_EQ(CCPoint(100, 50), box->getBackGroundImage()->getPosition());

    box->setBackGroundImageCapInsets(CCRect(5, 5, 10, 10));
    box->setBackGroundImageScale9Enabled(true);
    CCScale9Sprite* nine = dynamic_cast<CCScale9Sprite*>(box->getBackGroundImage());
    ASSERT_NE(nullptr, nine);
    EXPECT_EQ(1u, box->getRenderNode()->getChildrenCount());
    EXPECT_TRUE(nine->getCapInsets().equals(CCRect(5, 5, 10, 10)));
    EXPECT_EQ(CCSize(40, 30), nine->getOriginalSize());
    EXPECT_EQ(CCSize(200, 100), nine->getContentSize());
    box->setSize(CCSize(120, 60));
    EXPECT_EQ(CCSize(120, 60), nine->getContentSize());

    box->setBackGroundImageScale9Enabled(false);
    EXPECT_NE(nullptr, dynamic_cast<CCSprite*>(box->getBackGroundImage()));
    std::remove(png.c_str());
    rmdir(dir);
}
