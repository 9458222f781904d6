// Building the settings panel, marking the touched button and the three ways
// out: back to the page (with or without the chosen mode) and the main menu.
#include "book/SetLayer.h"

#include "book/BookPaths.h"
#include "book/OpenPage.h"
#include "book/PageScene.h"
#include "book/TestLayer1.h"

#include "base/CCLog.h"
#include "gui/CCSGUIReader.h"
#include "gui/Layout.h"
#include "gui/UILayer.h"
#include "gui/UIRootWidget.h"
#include "gui/WidgetLookup.h"
#include "gui/widgets/UIButton.h"
#include "scene/CCDirector.h"
#include "transitions/CCTransitionZoomFlipY.h"

namespace quibo {

namespace {
const cc::ccColor3B kMarkedTitle = {44, 5, 247};
const cc::ccColor3B kPlainTitle = {25, 24, 25};
// The way back to the page flips at once.
const float kBackFlipSeconds = 0;

void setTitleColour(cc::UIWidget* w, const cc::ccColor3B& colour)
{
    if (cc::UIButton* b = dynamic_cast<cc::UIButton*>(w)) b->setTitleColor(colour);
}
} // namespace

SetLayer::SetLayer() = default;
SetLayer::~SetLayer() = default;

bool SetLayer::init()
{
    if (!cc::CCLayer::init()) return false;
    m_pendingMode = pageState().playMode;
    m_selected = nullptr;

    m_uiLayer.reset(cc::UILayer::create());
    if (!m_uiLayer) return false;
    m_uiLayer->scheduleUpdate();
    addChild(m_uiLayer.get());

    const std::string path = settingsLayoutPath();
    cc::UIWidget* root = cc::CCSGUIReader::shareReader()->readLayoutFile(path.c_str());
    m_panelRoot.reset(dynamic_cast<cc::Layout*>(root));
    if (root) {
        m_uiLayer->getRootWidget()->addChild(root);
    } else {
        cc::CCLog("SetLayer: the panel layout %s could not be read", path.c_str());
    }

    bindButton("bnmain", kMain);
    bindButton("bnpres", kManual);
    bindButton("bnaotopage", kRepeatPage);
    bindButton("bnaoto", kAutoTurn);
    bindButton("bnok", kConfirm);
    bindButton("bncancel", kCancel);
    setTouchEnabled(true);
    return true;
}

void SetLayer::bindButton(const char* name, int tag)
{
    cc::UIWidget* button = cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(m_uiLayer->getRootWidget(), name);
    if (!button) {
        cc::CCLog("SetLayer: the panel has no button \"%s\"", name);
        return;
    }
    button->setTag(tag);
    button->setTouchListener(this, toucheventselector(SetLayer::onSettingTouched));
}

void SetLayer::onEnter()
{
    cc::CCLayer::onEnter();
    cc::CCLog("SetLayer  onEnter");
}

void SetLayer::onEnterTransitionDidFinish()
{
    cc::CCLayer::onEnterTransitionDidFinish();
    cc::CCLog("SetLayer 2: onEnterTransitionDidFinish");
}

void SetLayer::onExit()
{
    cc::CCLayer::onExit();
    cc::CCLog("SetLayer 2 onExit");
}

void SetLayer::onExitTransitionDidStart()
{
    cc::CCNode::onExitTransitionDidStart();
    cc::CCLog("SetLayer 2: onExitTransitionDidStart");
}

void SetLayer::markSelected(cc::UIWidget* button)
{
    cc::UIWidget* previous = m_selected.get();
    if (previous && previous != button) {
        setTitleColour(previous, kPlainTitle);
        previous->setLookActive(true);
        // The widget base offers no way to set the look style itself: a
        // focus round trip leaves it at normal (the button is not pressed now).
        if (previous->getLookStyle() != cc::LOOK_STYLE_NORMAL && !previous->isFocused()) {
            previous->setFocused(true);
            previous->setFocused(false);
        }
        previous->onNormalState();
    }
    m_selected.reset(button);
    button->setLookActive(false);
    button->onDisabledState();
    setTitleColour(button, kMarkedTitle);
}

void SetLayer::onSettingTouched(cc::CCObject* sender, cc::TouchPhase kind)
{
    cc::UIWidget* button = dynamic_cast<cc::UIWidget*>(sender);
    if (!button || kind != cc::kTouchBegan || m_leaving) return;
    markSelected(button);
    switch (button->getTag()) {
    case kMain:
        m_leaving = returnToMainMenu();
        break;
    case kManual:
        m_pendingMode = PlayMode::manual;
        break;
    case kRepeatPage:
        m_pendingMode = PlayMode::repeatPage;
        break;
    case kAutoTurn:
        m_pendingMode = PlayMode::autoTurn;
        break;
    case kConfirm:
        pageState().playMode = m_pendingMode;
        m_leaving = backToPage();
        break;
    case kCancel:
        m_leaving = backToPage();
        break;
    default:
        break;
    }
}

bool SetLayer::backToPage()
{
    PageScene* scene = PageScene::create();
    TestLayer1* page = scene ? TestLayer1::create() : nullptr;
    if (!page) {
        cc::CCLog("SetLayer: the page could not be built");
        return false;
    }
    scene->addChild(page);
    cc::CCDirector* director = cc::CCDirector::sharedDirector();
    director->setDepthTest(false);
    cc::CCScene* flip = cc::CCTransitionZoomFlipY::create(kBackFlipSeconds, scene,
                                                          cc::kCCTransitionOrientationDownOver);
    if (!flip) return false;
    director->replaceScene(flip);
    return true;
}

} // namespace quibo
