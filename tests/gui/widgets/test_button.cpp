// Button: textures per look, fitting in plain and nine-slice modes, the
// ignore-size flag across mode switches, cap insets, the title, pressed
// zoom, and a real press through a UI layer drawn in a hidden window.
#include "WidgetTestSupport.h"

#include "gui/UILayer.h"
#include "gui/UIRootWidget.h"
#include "gui/widgets/CCScale9Sprite.h"
#include "gui/widgets/UIButton.h"

#include "render/CCFrameCapture.h"
#include "render/CCSprite.h"
#include "render/CCSpriteFrame.h"
#include "render/CCSpriteFrameCache.h"
#include "render/CCTextureCache.h"
#include "scene/CCScene.h"
#include "text/CCLabelTTF.h"

#include <gtest/gtest.h>

#include <vector>

namespace cc {
namespace widgettest {
namespace {

const ccColor4B kRed = {255, 0, 0, 255}, kBlue = {0, 0, 255, 255}, kGrey = {128, 128, 128, 255};

struct Pictures {
    std::string normal = writeSolidPNG("btn-normal.png", 100, 50, kRed);
    std::string pressed = writeSolidPNG("btn-pressed.png", 120, 60, kBlue);
    std::string disabled = writeSolidPNG("btn-disabled.png", 90, 40, kGrey);
};

// Which of the three textures is shown, as a letter: n, p, d, or - for none or several.
char shown(UIButton* b)
{
    const bool n = b->getNormalRenderer()->isVisible(), p = b->getPressedRenderer()->isVisible(),
               d = b->getDisabledRenderer()->isVisible();
    if (n + p + d != 1) return '-';
    return n ? 'n' : (p ? 'p' : 'd');
}

TEST(Button, ThreeTexturesFollowTheLook)
{
    FrameDriver driver;
    Pictures pics;
    UIButton* b = UIButton::create();
    ASSERT_NE(nullptr, b);
    EXPECT_STREQ("Button", b->getTypeName());
    b->loadTextures(pics.normal.c_str(), pics.pressed.c_str(), pics.disabled.c_str());
    EXPECT_EQ(pics.normal, b->getNormalFileName());
    EXPECT_EQ('n', shown(b));
    EXPECT_EQ(b->getNormalRenderer(), b->getRenderNode());

    b->setFocused(true);
    EXPECT_EQ('p', shown(b));
    EXPECT_EQ(b->getPressedRenderer(), b->getRenderNode());
    b->setFocused(false);
    EXPECT_EQ('n', shown(b));

    b->setLookActive(false);
    b->setFocused(true);
    EXPECT_EQ('d', shown(b));
    EXPECT_EQ(b->getDisabledRenderer(), b->getRenderNode());

    // An empty name leaves the state as it was; a button without a disabled
    // texture shows an empty renderer in its disabled look.
    UIButton* bare = UIButton::create();
    bare->loadTextures(pics.normal.c_str(), pics.pressed.c_str(), "");
    bare->loadNormalTexture(nullptr);
    EXPECT_EQ(pics.normal, bare->getNormalFileName());
    EXPECT_EQ("", bare->getDisabledFileName());
    bare->setLookActive(false);
    bare->setFocused(true);
    EXPECT_EQ('d', shown(bare));
    EXPECT_TRUE(bare->getDisabledRenderer()->getContentSize().equals(CCSizeZero));
}

TEST(Button, PlainTexturesFitTheWidgetSize)
{
    FrameDriver driver;
    Pictures pics;
    UIButton* b = UIButton::create();
    b->loadNormalTexture(pics.normal.c_str());
    b->loadPressedTexture(pics.pressed.c_str());
    // Ignore-size on: the normal texture sizes the button; the larger pressed one changes nothing.
    EXPECT_TRUE(b->getSize().equals(CCSize(100, 50)));
    EXPECT_TRUE(b->getContentSize().equals(CCSize(100, 50)));
    EXPECT_EQ(1.0f, b->getPressedRenderer()->getScaleX());
    EXPECT_TRUE(b->getPressedTextureSize().equals(CCSize(120, 60)));

    b->setSize(CCSize(200, 100));
    EXPECT_TRUE(b->getSize().equals(CCSize(100, 50)));
    b->setIgnoreSize(false);
    EXPECT_TRUE(b->getSize().equals(CCSize(200, 100)));
    EXPECT_FLOAT_EQ(2.0f, b->getNormalRenderer()->getScaleX());
    EXPECT_FLOAT_EQ(2.0f, b->getNormalRenderer()->getScaleY());
    EXPECT_FLOAT_EQ(200.f / 120, b->getPressedRenderer()->getScaleX());
    EXPECT_FLOAT_EQ(100.f / 60, b->getPressedRenderer()->getScaleY());
    // An image that cannot be loaded has no size: scale 1.0.
    b->loadDisabledTexture((tempDir() + "/missing.png").c_str());
    EXPECT_TRUE(b->getDisabledTextureSize().equals(CCSizeZero));
    EXPECT_EQ(1.0f, b->getDisabledRenderer()->getScaleX());
    EXPECT_EQ(1.0f, b->getDisabledRenderer()->getScaleY());

    // Back to ignore-size: the widget takes the normal texture's size again, scales reset.
    b->setIgnoreSize(true);
    EXPECT_TRUE(b->getSize().equals(CCSize(100, 50)));
    EXPECT_EQ(1.0f, b->getNormalRenderer()->getScaleX());
    EXPECT_EQ(1.0f, b->getPressedRenderer()->getScaleY());

    // Sprite frames by name; other kinds load nothing but are remembered.
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(pics.pressed.c_str());
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFrame(
        CCSpriteFrame::createWithTexture(texture, CCRect(0, 0, 40, 30)), "button-frame.png");
    UIButton* framed = UIButton::create();
    framed->loadNormalTexture("button-frame.png", UI_TEX_TYPE_PLIST);
    EXPECT_TRUE(framed->getSize().equals(CCSize(40, 30)));
    EXPECT_EQ(UI_TEX_TYPE_PLIST, framed->getNormalTextureKind());
    framed->loadNormalTexture(pics.normal.c_str(), static_cast<TextureResType>(7));
    EXPECT_EQ(7, framed->getNormalTextureKind());
    EXPECT_TRUE(framed->getNormalTextureSize().equals(CCSize(40, 30)));
}

TEST(Button, NineSliceModeForcesCustomSizeAndRestoresThePreviousFlag)
{
    FrameDriver driver;
    Pictures pics;
    UIButton* b = UIButton::create();
    b->loadTextures(pics.normal.c_str(), pics.pressed.c_str(), pics.disabled.c_str());
    // Insets given in plain mode wait for nine-slice mode.
    b->setCapInsets(CCRect(10, 10, 80, 30));
    b->setSize(CCSize(300, 90));
    b->setFocused(true);
    ASSERT_EQ('p', shown(b));

    b->setScale9Enabled(true);
    EXPECT_TRUE(b->isScale9Enabled());
    EXPECT_FALSE(b->isIgnoreSize());
    EXPECT_TRUE(b->getPreviousIgnoreSize());
    EXPECT_TRUE(b->getSize().equals(CCSize(300, 90)));
    EXPECT_EQ('n', shown(b)); // the look starts again from normal
    auto* normal = dynamic_cast<CCScale9Sprite*>(b->getNormalRenderer());
    auto* pressed = dynamic_cast<CCScale9Sprite*>(b->getPressedRenderer());
    ASSERT_NE(nullptr, normal);
    ASSERT_NE(nullptr, pressed);
    EXPECT_TRUE(normal->getCapInsets().equals(CCRect(10, 10, 80, 30)));
    EXPECT_TRUE(normal->getContentSize().equals(CCSize(300, 90)));
    EXPECT_TRUE(pressed->getContentSize().equals(CCSize(300, 90)));
    EXPECT_EQ(1.0f, normal->getScaleX());
    EXPECT_FALSE(b->isFlipX());

    // Refused while nine-slice; resizing stretches all three.
    b->setIgnoreSize(true);
    EXPECT_FALSE(b->isIgnoreSize());
    b->setSize(CCSize(150, 70));
    EXPECT_TRUE(dynamic_cast<CCScale9Sprite*>(b->getDisabledRenderer())->getPreferredSize().equals(CCSize(150, 70)));
    b->setCapInsets(CCRect(5, 5, 10, 10));
    EXPECT_TRUE(pressed->getCapInsets().equals(CCRect(5, 5, 10, 10)));
    EXPECT_TRUE(pressed->getContentSize().equals(CCSize(150, 70)));

    // Off again: ignore-size as it was before (on), plain sprites, texture size.
    b->setScale9Enabled(false);
    EXPECT_TRUE(b->isIgnoreSize());
    EXPECT_EQ(nullptr, dynamic_cast<CCScale9Sprite*>(b->getNormalRenderer()));
    EXPECT_TRUE(b->getSize().equals(CCSize(100, 50)));

    // A button that had ignore-size off keeps it off after the round trip,
    // and one whose look is inactive shows its disabled texture after a switch.
    UIButton* fixed = UIButton::create();
    fixed->loadNormalTexture(pics.normal.c_str());
    fixed->setIgnoreSize(false);
    fixed->setLookActive(false);
    fixed->setScale9Enabled(true);
    EXPECT_EQ('d', shown(fixed));
    fixed->setScale9Enabled(false);
    EXPECT_FALSE(fixed->isIgnoreSize());

    // Nine-slice from a sprite frame name.
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(pics.normal.c_str());
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFrame(
        CCSpriteFrame::createWithTexture(texture, CCRect(0, 0, 60, 30)), "nine-frame.png");
    UIButton* framed = UIButton::create();
    framed->setScale9Enabled(true);
    framed->loadNormalTexture("nine-frame.png", UI_TEX_TYPE_PLIST);
    EXPECT_TRUE(dynamic_cast<CCScale9Sprite*>(framed->getNormalRenderer())->getRegionSize().equals(CCSize(60, 30)));
    EXPECT_TRUE(framed->getContentSize().equals(CCSize(60, 30)));
}

TEST(Button, TitleIsDrawnAboveTheTexturesAndKeepsItsColour)
{
    FrameDriver driver;
    Pictures pics;
    UIButton* b = UIButton::create();
    b->loadNormalTexture(pics.normal.c_str());
    CCLabelTTF* title = b->getTitleRenderer();
    ASSERT_NE(nullptr, title);
    CCNode* renderNode = title->getParent();
    ASSERT_NE(nullptr, renderNode);
    EXPECT_EQ(renderNode, b->getNormalRenderer()->getParent());
    EXPECT_EQ(1, title->getZOrder());
    EXPECT_EQ(0, b->getNormalRenderer()->getZOrder());
    // The title is the last child, drawn after every texture.
    EXPECT_EQ(title, renderNode->getChildren()->objectAtIndex(renderNode->getChildrenCount() - 1));

    b->setTitleText("Play");
    b->setTitleFontSize(30);
    b->setTitleFontName("sans");
    b->setTitleColor(ccc3(0, 0, 255));
    EXPECT_STREQ("Play", b->getTitleText());
    EXPECT_EQ(30, b->getTitleFontSize());
    EXPECT_STREQ("sans", b->getTitleFontName());
    b->setColor(ccc3(255, 0, 0));
    EXPECT_TRUE(b->getColor() == ccc3(255, 0, 0));
    EXPECT_TRUE(title->getColor() == ccc3(0, 0, 255));

    // The title is centred at the last anchor change, not at later size changes.
    b->setAnchorPoint(CCPoint(0, 0));
    EXPECT_TRUE(title->getPosition().equals(CCPoint(50, 25)));
    EXPECT_TRUE(b->getNormalRenderer()->getAnchorPoint().equals(CCPoint(0, 0)));
    b->setIgnoreSize(false);
    b->setSize(CCSize(300, 100));
    EXPECT_TRUE(title->getPosition().equals(CCPoint(50, 25)));
    b->setAnchorPoint(CCPoint(1, 1));
    EXPECT_TRUE(title->getPosition().equals(CCPoint(-150, -50)));

    // Flips reach the title and, in plain mode, the sprites.
    b->setFlipX(true);
    EXPECT_TRUE(b->isFlipX());
    EXPECT_TRUE(title->isFlipX());
    EXPECT_TRUE(static_cast<CCSprite*>(b->getPressedRenderer())->isFlipX());
}

TEST(Button, PressedZoomGrowsTheTexturesWhileHeld)
{
    FrameDriver driver;
    Pictures pics;
    UIButton* b = UIButton::create();
    b->loadTextures(pics.normal.c_str(), pics.pressed.c_str(), pics.disabled.c_str());
    b->setIgnoreSize(false);
    b->setSize(CCSize(200, 100)); // the normal sprite is fitted at scale 2
    b->retain(); // only its render node goes on the stage
    CCScene* scene = CCScene::create();
    scene->addChild(b->getTitleRenderer()->getParent());
    driver.show(scene);

    // Off by default: a press leaves the scales alone.
    b->setFocused(true);
    driver.advance(0.1);
    EXPECT_FLOAT_EQ(2.0f, b->getNormalRenderer()->getScaleX());
    b->setFocused(false);

    b->setPressedActionEnabled(true);
    b->setFocused(true);
    driver.advance(0.1);
    for (CCNode* r : {b->getNormalRenderer(), b->getPressedRenderer(), b->getDisabledRenderer()}) {
        EXPECT_NEAR(1.1f, r->getScaleX(), 1e-4);
        EXPECT_NEAR(1.1f, r->getScaleY(), 1e-4);
    }
    b->setFocused(false);
    driver.step();
    EXPECT_GT(b->getNormalRenderer()->getScaleX(), 1.0f); // 0.05 s: still on its way
    driver.advance(0.1);
    for (CCNode* r : {b->getNormalRenderer(), b->getPressedRenderer(), b->getDisabledRenderer()})
        EXPECT_NEAR(1.0f, r->getScaleX(), 1e-4);
    b->release();
}

// A screen layer listening to its button.
class Listener : public CCObject {
public:
    void onTouch(CCObject*, TouchPhase kind) { kinds.push_back(kind); }
    std::vector<TouchPhase> kinds;
};

TEST(Button, PressedTextureShowsInTheFrameWhileTheTouchIsHeld)
{
    FrameDriver driver;
    if (!startRendering(driver, 320, 480)) GTEST_SKIP() << "no display: run under xvfb-run";
    Pictures pics;
    UILayer* layer = UILayer::create();
    ASSERT_NE(nullptr, layer);
    UIButton* b = UIButton::create();
    b->loadTextures(pics.normal.c_str(), pics.pressed.c_str(), pics.disabled.c_str());
    b->setTouchEnabled(true);
    b->setPosition(CCPoint(320, 480));
    Listener listener;
    b->setTouchListener(&listener, toucheventselector(Listener::onTouch));
    ASSERT_TRUE(layer->getRootWidget()->addChild(b));
    CCScene* scene = CCScene::create();
    scene->addChild(layer);
    driver.show(scene);
    driver.step();
    EXPECT_TRUE(near(pixelAt(320, 480), 255, 0, 0)) << describe(pixelAt(320, 480));
    EXPECT_TRUE(near(pixelAt(320, 530), 0, 0, 0)) << describe(pixelAt(320, 530));

    driver.touchDown(CCPoint(320, 480));
    driver.step();
    EXPECT_TRUE(near(pixelAt(320, 480), 0, 0, 255)) << describe(pixelAt(320, 480));
    // The larger pressed texture reaches past the normal one.
    EXPECT_TRUE(near(pixelAt(320, 507), 0, 0, 255)) << describe(pixelAt(320, 507));
    driver.touchUp(CCPoint(320, 480));
    driver.step();
    EXPECT_TRUE(near(pixelAt(320, 480), 255, 0, 0)) << describe(pixelAt(320, 480));
    ASSERT_EQ(2u, listener.kinds.size());
    EXPECT_EQ(kTouchBegan, listener.kinds[0]);
    EXPECT_EQ(kTouchEnded, listener.kinds[1]);
    stopRendering();
}

} // namespace
} // namespace widgettest
} // namespace cc
