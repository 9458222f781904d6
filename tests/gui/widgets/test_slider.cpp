// Slider: the percent from the touch point at the bar's ends and beyond them
// (through a real UI layer), dragging, the progress bar's crop, nine-slice
// bars, and the guards for a bar without length and a progress bar without
// a picture.
#include "WidgetTestSupport.h"
#include "gui/GuiTestSupport.h"

#include "gui/widgets/CCScale9Sprite.h"
#include "gui/widgets/UISlider.h"
#include "render/CCSprite.h"

#include <gtest/gtest.h>

namespace cc {
namespace widgettest {
namespace {

const ccColor4B kGrey = {128, 128, 128, 255}, kBlue = {0, 0, 220, 255}, kWhite = {255, 255, 255, 255};

struct SliderLog : guitest::EventLog {
    std::vector<int> percents;
    int sliderEvents = 0;
    void onPercent(CCObject* sender) { percents.push_back(static_cast<UISlider*>(sender)->getPercent()); }
    void onSlider(CCObject*, SliderEventKind kind)
    {
        EXPECT_EQ(SLIDER_PERCENTCHANGED, kind);
        ++sliderEvents;
    }
    void listenToSlider(UISlider* slider)
    {
        listenTo(slider);
        slider->setPercentListener(this, callfuncO_selector(SliderLog::onPercent));
        slider->setSliderListener(this, slidereventselector(SliderLog::onSlider));
    }
};

// A 200-point bar centred at (320, 480).
UISlider* makeSlider()
{
    UISlider* slider = UISlider::create();
    slider->setName("slider");
    slider->loadBarTexture(writeSolidPNG("bar.png", 200, 20, kGrey).c_str());
    slider->loadProgressBarTexture(writeSolidPNG("progress.png", 200, 20, kBlue).c_str());
    slider->loadBallTextures(writeSolidPNG("ball.png", 16, 16, kWhite).c_str(), writeSolidPNG("ball-p.png", 18, 18, kWhite).c_str(),
                             writeSolidPNG("ball-d.png", 14, 14, kGrey).c_str());
    slider->setTouchEnabled(true);
    slider->setPosition(CCPoint(320, 480));
    return slider;
}

float ballX(UISlider* slider) { return slider->getSlideBallNode()->getPosition().x; }

TEST(Slider, PercentFollowsTheTouchAndClampsBeyondTheEnds)
{
    guitest::Stage stage;
    UISlider* slider = makeSlider();
    SliderLog log;
    log.listenToSlider(slider);
    ASSERT_TRUE(stage.root()->addChild(slider));
    EXPECT_FLOAT_EQ(200.0f, slider->getBarLength());
    EXPECT_EQ(0, slider->getPercent());
    EXPECT_FLOAT_EQ(-100.0f, ballX(slider));

    // x = 50 in the render node's space is three quarters along the bar.
    stage.driver->touchDown(CCPoint(370, 480));
    stage.driver->step();
    EXPECT_EQ(75, slider->getPercent());
    EXPECT_FLOAT_EQ(50.0f, ballX(slider));
    EXPECT_EQ((std::vector<int>{75}), log.percents);
    EXPECT_EQ(1, log.sliderEvents);
    // Beyond the ends (the touch stays with the slider once it began there).
    stage.driver->touchMove(CCPoint(170, 480));
    stage.driver->step();
    EXPECT_EQ(0, slider->getPercent());
    EXPECT_FLOAT_EQ(-100.0f, ballX(slider));
    stage.driver->touchMove(CCPoint(470, 470));
    stage.driver->step();
    EXPECT_EQ(100, slider->getPercent());
    EXPECT_FLOAT_EQ(100.0f, ballX(slider));
    // The exact ends.
    stage.driver->touchMove(CCPoint(220, 480));
    stage.driver->step();
    EXPECT_EQ(0, slider->getPercent());
    stage.driver->touchMove(CCPoint(420, 480));
    stage.driver->step();
    EXPECT_EQ(100, slider->getPercent());
    stage.driver->touchUp(CCPoint(420, 480));
    stage.driver->step();
    EXPECT_EQ((std::vector<int>{75, 0, 100, 0, 100}), log.percents);
    EXPECT_EQ(5, log.sliderEvents);
    // Moves are never touch events; the release is the base's.
    EXPECT_EQ((std::vector<std::string>{"slider:began", "slider:ended"}), log.events);

    // By hand: clamped, too.
    slider->setPercent(150);
    EXPECT_EQ(100, slider->getPercent());
    slider->setPercent(-1);
    EXPECT_EQ(0, slider->getPercent());
}

TEST(Slider, DraggingKeepsThePressedLookAndTellsEveryMove)
{
    guitest::Stage stage;
    UISlider* slider = makeSlider();
    SliderLog log;
    log.listenToSlider(slider);
    ASSERT_TRUE(stage.root()->addChild(slider));
    stage.driver->touchDown(CCPoint(320, 480));
    stage.driver->step();
    EXPECT_TRUE(slider->getBallPressedRenderer()->isVisible());
    EXPECT_FALSE(slider->getBallNormalRenderer()->isVisible());
    // Out of the widget's rectangle and back: the look stays pressed.
    for (float y : {480.0f, 700.0f, 100.0f, 485.0f}) {
        stage.driver->touchMove(CCPoint(340, y));
        stage.driver->step();
        EXPECT_TRUE(slider->getBallPressedRenderer()->isVisible()) << y;
    }
    EXPECT_EQ((std::vector<int>{50, 60, 60, 60, 60}), log.percents);
    stage.driver->touchUp(CCPoint(340, 485));
    stage.driver->step();
    EXPECT_TRUE(slider->getBallNormalRenderer()->isVisible());
    EXPECT_FALSE(slider->getBallPressedRenderer()->isVisible());
    EXPECT_EQ((std::vector<std::string>{"slider:began", "slider:ended"}), log.events);

    slider->setLookActive(false);
    slider->onTouchBegan(CCPoint(320, 480));
    EXPECT_TRUE(slider->getBallDisabledRenderer()->isVisible());
    EXPECT_FALSE(slider->getBallNormalRenderer()->isVisible());
}

TEST(Slider, ProgressBarIsCroppedNotScaled)
{
    FrameDriver driver;
    UISlider* slider = makeSlider();
    EXPECT_STREQ("Slider", slider->getTypeName());
    EXPECT_EQ(slider->getBarRenderer(), slider->getRenderNode());
    EXPECT_TRUE(slider->getSize().equals(CCSize(200, 20)));
    CCSprite* progress = static_cast<CCSprite*>(slider->getProgressBarRenderer());
    EXPECT_TRUE(progress->getAnchorPoint().equals(CCPoint(0, 0.5f)));
    EXPECT_FLOAT_EQ(-100.0f, progress->getPosition().x);
    EXPECT_EQ(-1, progress->getZOrder());
    EXPECT_EQ(0, slider->getSlideBallNode()->getZOrder());
    slider->setPercent(30);
    EXPECT_FLOAT_EQ(60.0f, progress->getTextureRect().size.width);
    EXPECT_FLOAT_EQ(20.0f, progress->getTextureRect().size.height);
    EXPECT_FLOAT_EQ(1.0f, progress->getScaleX());
    EXPECT_FLOAT_EQ(-40.0f, ballX(slider));

    // A custom size stretches both bars by their texture sizes; the crop stays a fraction.
    slider->setIgnoreSize(false);
    slider->setSize(CCSize(400, 10));
    EXPECT_FLOAT_EQ(400.0f, slider->getBarLength());
    EXPECT_FLOAT_EQ(2.0f, slider->getBarRenderer()->getScaleX());
    EXPECT_FLOAT_EQ(0.5f, slider->getBarRenderer()->getScaleY());
    EXPECT_FLOAT_EQ(2.0f, progress->getScaleX());
    EXPECT_FLOAT_EQ(-200.0f, progress->getPosition().x);
    EXPECT_FLOAT_EQ(60.0f, progress->getTextureRect().size.width);
    EXPECT_FLOAT_EQ(-80.0f, ballX(slider));
    // The balls are never scaled.
    EXPECT_FLOAT_EQ(1.0f, slider->getBallNormalRenderer()->getScaleX());
}

TEST(Slider, NineSliceBarsUseTheirPreferredSize)
{
    FrameDriver driver;
    UISlider* slider = makeSlider();
    slider->setCapInsets(CCRect(4, 4, 8, 8));
    slider->setScale9Enabled(true);
    auto* bar = dynamic_cast<CCScale9Sprite*>(slider->getBarRenderer());
    auto* progress = dynamic_cast<CCScale9Sprite*>(slider->getProgressBarRenderer());
    ASSERT_NE(nullptr, bar);
    ASSERT_NE(nullptr, progress);
    EXPECT_FALSE(slider->isIgnoreSize());
    EXPECT_TRUE(bar->getCapInsets().equals(CCRect(4, 4, 8, 8)));
    EXPECT_TRUE(progress->getCapInsets().equals(CCRect(4, 4, 8, 8)));
    EXPECT_TRUE(progress->getAnchorPoint().equals(CCPoint(0, 0.5f)));
    EXPECT_EQ(-1, bar->getZOrder());
    // Ignore-size is refused in nine-slice mode.
    slider->setIgnoreSize(true);
    EXPECT_FALSE(slider->isIgnoreSize());
    slider->setSize(CCSize(300, 30));
    EXPECT_TRUE(bar->getPreferredSize().equals(CCSize(300, 30)));
    slider->setPercent(50);
    EXPECT_TRUE(progress->getPreferredSize().equals(CCSize(150, 20)));
    // Back to plain: the ignore-size flag from before nine-slice mode returns.
    slider->setScale9Enabled(false);
    EXPECT_TRUE(slider->isIgnoreSize());
    EXPECT_NE(nullptr, dynamic_cast<CCSprite*>(slider->getBarRenderer()));
    EXPECT_TRUE(slider->getSize().equals(CCSize(200, 20)));
}

TEST(Slider, NoLengthKeepsThePercentAndNoPictureKeepsScaleOne)
{
    guitest::Stage stage;
    // No bar texture: length 0; a touch exactly on the widget's point hits its empty rectangle.
    UISlider* bare = UISlider::create();
    bare->setTouchEnabled(true);
    bare->setPosition(CCPoint(100, 100));
    bare->setPercent(40);
    SliderLog log;
    log.listenToSlider(bare);
    ASSERT_TRUE(stage.root()->addChild(bare));
    EXPECT_FLOAT_EQ(0.0f, bare->getBarLength());
    stage.driver->touchDown(CCPoint(100, 100));
    stage.driver->step();
    stage.driver->touchMove(CCPoint(150, 100));
    stage.driver->step();
    stage.driver->touchUp(CCPoint(150, 100));
    stage.driver->step();
    EXPECT_EQ((std::vector<int>{40, 40}), log.percents);
    EXPECT_EQ(40, bare->getPercent());

    // A progress picture that cannot load: zero texture size, scale 1.0
    // whether or not the slider follows its content.
    UISlider* slider = UISlider::create();
    slider->loadBarTexture(writeSolidPNG("bar-2.png", 200, 20, kGrey).c_str());
    slider->loadProgressBarTexture("/no/such/progress.png");
    EXPECT_TRUE(slider->getProgressBarTextureSize().equals(CCSizeZero));
    EXPECT_FLOAT_EQ(1.0f, slider->getProgressBarRenderer()->getScaleX());
    EXPECT_FLOAT_EQ(1.0f, slider->getProgressBarRenderer()->getScaleY());
    slider->setIgnoreSize(false);
    slider->setSize(CCSize(100, 10));
    EXPECT_FLOAT_EQ(1.0f, slider->getProgressBarRenderer()->getScaleX());
    EXPECT_FLOAT_EQ(0.5f, slider->getBarRenderer()->getScaleX());
}

} // namespace
} // namespace widgettest
} // namespace cc
