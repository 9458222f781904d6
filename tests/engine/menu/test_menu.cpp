// Menus on the frame driver: selection under the finger, following it,
// activation on release, and items that may never be selected.
#include "base/CCLog.h"
#include "ScratchFolder.h"
#include "menu/CCMenu.h"
#include "menu/CCMenuItem.h"
#include "menu/CCMenuItemLabel.h"
#include "platform/FrameDriver.h"
#include "render/CCImage.h"
#include "render/CCSprite.h"
#include "scene/CCLayer.h"
#include "scene/CCScene.h"
#include "text/CCLabelTTF.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

using namespace cc;

namespace {
class Recorder : public CCObject {
public:
    std::vector<CCObject*> activated;
    void onItem(CCObject* sender) { activated.push_back(sender); }
};

// A 100 x 50 coloured item centred at (x, y).
CCMenuItemLabel* boxItem(Recorder* r, float x, float y)
{
    CCLayerColor* box = CCLayerColor::create(ccc4(255, 0, 0, 255), 100, 50);
    CCMenuItemLabel* item = CCMenuItemLabel::create(box, r, menu_selector(Recorder::onItem));
    item->setPosition(CCPoint(x, y));
    return item;
}

struct MenuScene {
    CCScene* scene;
    CCMenu* menu;
    CCMenuItemLabel* left;
    CCMenuItemLabel* right;
    CCMenuItemLabel* hidden;
};

MenuScene buildMenu(Recorder* r)
{
    MenuScene m;
    m.scene = CCScene::create();
    m.left = boxItem(r, 100, 100);
    m.right = boxItem(r, 300, 100);
    m.hidden = boxItem(r, 500, 100);
    m.hidden->setVisible(false);
    m.menu = CCMenu::create(m.left, m.right, m.hidden, nullptr);
    m.menu->setPosition(CCPointZero);
    m.scene->addChild(m.menu);
    return m;
}

std::string writePng(const char* name, int w, int h)
{
    quibotest::ScratchTemplate tmpl("quibo-menu-XXXXXX");
    const std::string path = std::string(mkdtemp(tmpl)) + "/" + name;
    std::vector<unsigned char> px(static_cast<size_t>(w) * h * 4, 200);
    EXPECT_TRUE(CCImage::savePNG(path, px.data(), w, h));
    return path;
}
} // namespace

TEST(Menu, SelectionFollowsTheFingerAndReleaseActivates)
{
    FrameDriver driver;
    Recorder r;
    MenuScene m = buildMenu(&r);
    driver.show(m.scene);

    driver.touchDown(CCPoint(100, 100));
    EXPECT_EQ(m.menu->getSelectedItem(), m.left);
    EXPECT_TRUE(m.left->isSelected());
    driver.touchMove(CCPoint(300, 110));
    EXPECT_EQ(m.menu->getSelectedItem(), m.right);
    EXPECT_FALSE(m.left->isSelected());
    EXPECT_TRUE(m.right->isSelected());
    driver.touchMove(CCPoint(200, 100)); // between the items: nothing selected
    EXPECT_EQ(m.menu->getSelectedItem(), nullptr);
    driver.touchMove(CCPoint(120, 90));
    driver.touchUp(CCPoint(120, 90));
    ASSERT_EQ(r.activated.size(), 1u);
    EXPECT_EQ(r.activated[0], m.left);
    EXPECT_FALSE(m.left->isSelected());

    // Released outside every item: nothing happens.
    driver.touchDown(CCPoint(300, 100));
    driver.touchMove(CCPoint(300, 400));
    driver.touchUp(CCPoint(300, 400));
    EXPECT_EQ(r.activated.size(), 1u);

    // A touch that starts off the items is not the menu's.
    driver.touchDown(CCPoint(20, 800));
    driver.touchMove(CCPoint(300, 100));
    driver.touchUp(CCPoint(300, 100));
    EXPECT_EQ(r.activated.size(), 1u);

    driver.tap(CCPoint(300, 100));
    ASSERT_EQ(r.activated.size(), 2u);
    EXPECT_EQ(r.activated[1], m.right);
}

TEST(Menu, HiddenAndDisabledItemsAreNeverSelected)
{
    FrameDriver driver;
    Recorder r;
    MenuScene m = buildMenu(&r);
    driver.show(m.scene);

    driver.tap(CCPoint(500, 100));
    driver.touchDown(CCPoint(300, 100));
    driver.touchMove(CCPoint(500, 100));
    EXPECT_EQ(m.menu->getSelectedItem(), nullptr);
    driver.touchUp(CCPoint(500, 100));
    EXPECT_TRUE(r.activated.empty());

    m.right->setEnabled(false);
    driver.tap(CCPoint(300, 100));
    EXPECT_TRUE(r.activated.empty());

    // Shown again, the item works.
    m.hidden->setVisible(true);
    driver.tap(CCPoint(500, 100));
    ASSERT_EQ(r.activated.size(), 1u);
    EXPECT_EQ(r.activated[0], m.hidden);

    // An invisible menu takes no touches at all.
    m.menu->setVisible(false);
    driver.tap(CCPoint(100, 100));
    EXPECT_EQ(r.activated.size(), 1u);
}

TEST(Menu, SwallowsTouchesFromLayersBelow)
{
    class CountingLayer : public CCLayer {
    public:
        int began = 0;
        void ccTouchesBegan(CCSet*, CCEvent*) override { ++began; }
    };
    FrameDriver driver;
    Recorder r;
    MenuScene m = buildMenu(&r);
    CountingLayer* layer = new CountingLayer();
    layer->init();
    layer->setTouchEnabled(true);
    m.scene->addChild(layer, -1);
    layer->release();
    driver.show(m.scene);

    driver.tap(CCPoint(100, 100));
    EXPECT_EQ(layer->began, 0);
    driver.tap(CCPoint(100, 600));
    EXPECT_EQ(layer->began, 1);
}

TEST(MenuItemLabel, ColourAndDisabledColourReachTheVisual)
{
    FrameDriver driver;
    CCLayerColor* box = CCLayerColor::create(ccc4(250, 243, 242, 199), 192, 80);
    CCMenuItemLabel* item = CCMenuItemLabel::create(box);
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->getContentSize().equals(CCSize(192, 80)));

    item->setColor(ccc3(145, 145, 145));
    EXPECT_EQ(box->getColor(), ccc3(145, 145, 145));
    EXPECT_EQ(box->getOpacity(), 199);

    item->setDisabledColor(ccc3(1, 2, 3));
    item->setEnabled(false);
    EXPECT_EQ(box->getColor(), ccc3(1, 2, 3));
    item->setEnabled(true);
    EXPECT_EQ(box->getColor(), ccc3(145, 145, 145));

    CCLabelTTF* caption = CCLabelTTF::create("12 ", "Arial", 60);
    CCMenuItemLabel* text = CCMenuItemLabel::create(caption);
    text->setColor(ccc3(255, 255, 0));
    EXPECT_EQ(caption->getColor(), ccc3(255, 255, 0));
    EXPECT_TRUE(text->getContentSize().equals(caption->getContentSize()));
    const float before = text->getContentSize().width;
    text->setString("12345 ");
    EXPECT_GT(text->getContentSize().width, before);
}

TEST(MenuItemFont, DefaultSizeAppliesToLaterItems)
{
    FrameDriver driver;
    const unsigned int saved = CCMenuItemFont::fontSize();
    CCMenuItemFont::setFontSize(20);
    CCMenuItemFont* small = CCMenuItemFont::create("Back");
    CCMenuItemFont::setFontSize(45);
    EXPECT_EQ(CCMenuItemFont::fontSize(), 45u);
    CCMenuItemFont* big = CCMenuItemFont::create("Back");
    EXPECT_EQ(small->fontSizeObj(), 20u);
    EXPECT_EQ(big->fontSizeObj(), 45u);
    EXPECT_GT(big->getContentSize().height, small->getContentSize().height * 1.8f);
    EXPECT_FLOAT_EQ(static_cast<CCLabelTTF*>(big->getLabel())->getFontSize(), 45);

    big->setColor(ccc3(0, 0, 255));
    EXPECT_EQ(static_cast<CCLabelTTF*>(big->getLabel())->getColor(), ccc3(0, 0, 255));
    CCMenuItemFont::setFontSize(saved);
}

TEST(MenuItemFont, AHugeCaptionStaysInItsBoxAndLeavesTapsToTheItemsBeside)
{
    FrameDriver driver;
    Recorder r;
    const std::string caption(1 << 20, 'W');
    CCMenuItemFont* text = CCMenuItemFont::create(caption.c_str(), &r, menu_selector(Recorder::onItem));
    ASSERT_NE(text, nullptr);
    EXPECT_LE(text->getContentSize().width, 320);
    EXPECT_LE(text->getContentSize().height, 120);
    text->setPosition(CCPoint(320, 800));
    CCMenuItemLabel* beside = boxItem(&r, 100, 800);
    CCMenu* menu = CCMenu::create(text, beside, nullptr);
    menu->setPosition(CCPointZero);
    CCScene* scene = CCScene::create();
    scene->addChild(menu);
    driver.show(scene);
    driver.tap(CCPoint(100, 800));
    ASSERT_EQ(1u, r.activated.size());
    EXPECT_EQ(beside, r.activated[0]);
    // A short caption keeps its natural size.
    CCMenuItemFont* small = CCMenuItemFont::create("Back");
    EXPECT_TRUE(small->getContentSize().equals(small->getLabel()->getContentSize()));
    EXPECT_LT(small->getContentSize().width, 200);
}

TEST(MenuItemImage, ImagesFollowTheStateAndTheNormalImageCanBeReplaced)
{
    FrameDriver driver;
    const std::string normal = writePng("normal.png", 60, 40);
    const std::string pressed = writePng("pressed.png", 60, 40);
    const std::string other = writePng("other.png", 80, 30);
    Recorder r;
    CCMenuItemImage* item = CCMenuItemImage::create(normal.c_str(), pressed.c_str(), &r, menu_selector(Recorder::onItem));
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->getContentSize().equals(CCSize(60, 40)));
    EXPECT_TRUE(item->getNormalImage()->isVisible());
    EXPECT_FALSE(item->getSelectedImage()->isVisible());

    item->selected();
    EXPECT_FALSE(item->getNormalImage()->isVisible());
    EXPECT_TRUE(item->getSelectedImage()->isVisible());
    item->unselected();
    EXPECT_TRUE(item->getNormalImage()->isVisible());

    CCNode* old = item->getNormalImage();
    CCSprite* replacement = CCSprite::create(other.c_str());
    item->setNormalImage(replacement);
    EXPECT_EQ(item->getNormalImage(), replacement);
    EXPECT_EQ(replacement->getParent(), item);
    EXPECT_EQ(old->getParent(), nullptr);
    EXPECT_TRUE(item->getContentSize().equals(CCSize(80, 30)));

    item->activate();
    EXPECT_EQ(r.activated.size(), 1u);
    item->setEnabled(false);
    item->activate();
    EXPECT_EQ(r.activated.size(), 1u);

    // A missing file leaves an empty image, not a crash.
    CCMenuItemImage* broken = CCMenuItemImage::create("/no/such.png", "/no/such2.png");
    ASSERT_NE(broken, nullptr);
    EXPECT_TRUE(broken->getContentSize().equals(CCSizeZero));
}

TEST(Menu, AlignItemsVertically)
{
    FrameDriver driver;
    Recorder r;
    CCMenuItemLabel* a = boxItem(&r, 0, 0);
    CCMenuItemLabel* b = boxItem(&r, 0, 0);
    CCMenu* menu = CCMenu::create(a, b, nullptr);
    menu->alignItemsVerticallyWithPadding(10);
    EXPECT_FLOAT_EQ(a->getPositionY(), 30);
    EXPECT_FLOAT_EQ(b->getPositionY(), -30);
    CCLogCapture log;
    menu->addChild(CCNode::create());
    EXPECT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(menu->getChildrenCount(), 2u);
}

TEST(Menu, ActivateItemPressesLikeATapAndOnlyWhereATapCould)
{
    FrameDriver driver;
    Recorder r;
    MenuScene m = buildMenu(&r);
    // Off stage nothing can be tapped.
    EXPECT_FALSE(m.menu->activateItem(m.left));
    driver.show(m.scene);

    EXPECT_TRUE(m.menu->activateItem(m.left));
    ASSERT_EQ(r.activated.size(), 1u);
    EXPECT_EQ(r.activated[0], m.left);
    EXPECT_FALSE(m.left->isSelected());
    EXPECT_EQ(m.menu->getSelectedItem(), nullptr);

    // Hidden or disabled items, another menu's item, no item.
    EXPECT_FALSE(m.menu->activateItem(m.hidden));
    m.right->setEnabled(false);
    EXPECT_FALSE(m.menu->activateItem(m.right));
    m.right->setEnabled(true);
    CCMenuItemLabel* stranger = boxItem(&r, 10, 10);
    EXPECT_FALSE(m.menu->activateItem(stranger));
    EXPECT_FALSE(m.menu->activateItem(nullptr));
    EXPECT_EQ(r.activated.size(), 1u);

    // While a finger is on the menu the press waits for it, as a second finger would.
    driver.touchDown(CCPoint(300, 100));
    EXPECT_FALSE(m.menu->activateItem(m.left));
    driver.touchUp(CCPoint(300, 100));
    ASSERT_EQ(r.activated.size(), 2u);
    EXPECT_EQ(r.activated[1], m.right);

    // A disabled or hidden menu, or one that takes no touches, presses nothing.
    m.menu->setEnabled(false);
    EXPECT_FALSE(m.menu->activateItem(m.left));
    m.menu->setEnabled(true);
    m.scene->setVisible(false);
    EXPECT_FALSE(m.menu->activateItem(m.left));
    m.scene->setVisible(true);
    m.menu->setTouchEnabled(false);
    EXPECT_FALSE(m.menu->activateItem(m.left));
    m.menu->setTouchEnabled(true);
    EXPECT_TRUE(m.menu->activateItem(m.right));
    EXPECT_EQ(r.activated.size(), 3u);
}
