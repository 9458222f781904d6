// Page layer: turning by item, swipe and the end of narration (always to a
// page of the other class), leaving for the menu or the settings, and the
// repeated-tap hint. Shared by both variants.
#include "book/PageLayer.h"
#include "book/PageLayerShared.h"

#include "book/BookPaths.h"
#include "book/BookSettings.h"
#include "book/OpenPage.h"
#include "book/PageScene.h"
#include "book/StringTable.h"
#include "book/TestLayer1.h"
#include "book/TestLayer2.h"
#include "book/VisibleArea.h"
#include "book/WordNaming.h"

#include "actions/CCActions.h"
#include "audio/SimpleAudioEngine.h"
#include "base/CCDictionary.h"
#include "base/CCLog.h"
#include "base/CCSet.h"
#include "base/CCString.h"
#include "gui/CCSGUIReader.h"
#include "gui/Layout.h"
#include "gui/UILayer.h"
#include "gui/UIRootWidget.h"
#include "gui/WidgetLookup.h"
#include "gui/widgets/UIButton.h"
#include "menu/CCMenu.h"
#include "menu/CCMenuItem.h"
#include "menu/CCMenuItemLabel.h"
#include "render/CCSprite.h"
#include "scene/CCDirector.h"
#include "scene/CCTouch.h"
#include "text/CCLabelTTF.h"
#include "transitions/CCTransitionPageTurn.h"
#include "transitions/CCTransitionZoomFlipY.h"

#include <cmath>

namespace quibo {

using namespace pagelayer;

namespace {
template <class Variant>
cc::CCLayer* createOtherPage();
template <>
cc::CCLayer* createOtherPage<FirstPageVariant>() { return TestLayer2::create(); }
template <>
cc::CCLayer* createOtherPage<SecondPageVariant>() { return TestLayer1::create(); }
} // namespace

// ---- Turning pages -----------------------------------------------------------

template <class V>
void PageLayer<V>::turnForward(cc::CCObject*)
{
    if (bookSettings().currentPage < bookSettings().pageMax) {
        turnBy(+1);
    }
}

template <class V>
void PageLayer<V>::turnBack(cc::CCObject*)
{
    if (bookSettings().currentPage > bookSettings().pageMin) {
        turnBy(-1);
    }
}

template <class V>
void PageLayer<V>::turnBy(int direction)
{
    // One request to leave per page: a second one (a button pressed in the
    // frame the narration turned the page) would build a page too many.
    if (m_leaving) {
        return;
    }
    setTouchEnabled(false);
    bookSettings().currentPage += direction;
    pageState().turnDirection = direction;
    goToPage();
}

template <class V>
void PageLayer<V>::goToPage()
{
    m_leaving = true;
    unscheduleAllSelectors();
    PageState& state = pageState();
    state.currentWord = nullptr;
    PageScene* scene = PageScene::create();
    cc::CCLayer* layer = scene ? createOtherPage<V>() : nullptr;
    if (!layer) {
        cc::CCLog("PageLayer: page %d could not be built", bookSettings().currentPage);
        return;
    }
    scene->addChild(layer);
    cc::CCDirector* director = cc::CCDirector::sharedDirector();
    director->setDepthTest(true);
    cc::CCScene* turn = cc::CCTransitionPageTurn::create(kTurnSeconds, scene, state.turnDirection == -1);
    if (!turn) {
        cc::CCLog("PageLayer: the page-turn transition could not be made");
        return;
    }
    director->replaceScene(turn);
}

template <class V>
void PageLayer<V>::returnToMainMenu(cc::CCObject*)
{
    if (m_leaving) {
        return;
    }
    pageState().autoPlay = false;
    unscheduleAllSelectors();
    m_leaving = ::quibo::returnToMainMenu();
}

template <class V>
void PageLayer<V>::openSettings(cc::CCObject*)
{
    if (m_leaving) {
        return;
    }
    cc::CCLayer* panel = createSettingsPanel();
    PageScene* scene = panel ? PageScene::create() : nullptr;
    if (!scene) {
        cc::CCLog("PageLayer: no settings panel to open");
        return;
    }
    unscheduleAllSelectors();
    scene->addChild(panel);
    cc::CCDirector* director = cc::CCDirector::sharedDirector();
    director->setDepthTest(false);
    cc::CCScene* flip = cc::CCTransitionZoomFlipY::create(kTurnSeconds, scene, cc::kCCTransitionOrientationDownOver);
    if (flip) {
        m_leaving = true;
        director->replaceScene(flip);
    }
}

// ---- Page touches ------------------------------------------------------------

template <class V>
void PageLayer<V>::ccTouchesBegan(cc::CCSet* touches, cc::CCEvent*)
{
    cc::CCTouch* touch = firstTouch(touches);
    if (!touch) {
        return;
    }
    m_touchDownSeen = true;
    m_touchDownId = touch->getID();
    const cc::CCPoint prev = m_f.lastTouch;
    m_f.lastTouch = touch->getLocation();
    const float dx = std::trunc(prev.x - m_f.lastTouch.x);
    const float dy = std::trunc(prev.y - m_f.lastTouch.y);
    if (std::fabs(dx) < m_f.tapRadius && std::fabs(dy) < m_f.tapRadius) {
        cc::CCLog("ccTouchesBegan  --------=+++--------------");
        ++m_f.tapCount;
        if (m_f.tapCount > 1 && m_hintLabel) {
            const StringTable strings;
            m_hintLabel->setDimensions(cc::CCSize(m_f.tapRadius * kHintWidthInRadii, 0));
            m_hintLabel->setString(strings.caption("nopresenglish").c_str());
            m_hintLabel->setPosition(touch->getLocation());
            unschedule(schedule_selector(PageLayer<V>::hideHint));
            m_hintLabel->setVisible(true);
            schedule(schedule_selector(PageLayer<V>::hideHint), kHintSeconds);
            cc::CCLog("ccTouchesBegan  --------yes--------------");
        }
    } else {
        m_f.tapCount = 0;
    }
    cc::CCLog("ccTouchesBegan  ------------------------");
}

template <class V>
void PageLayer<V>::ccTouchesMoved(cc::CCSet* touches, cc::CCEvent*)
{
    cc::CCTouch* touch = firstTouch(touches);
    // A finger that came down on the page before this one was on stage is
    // measured against nothing this page knows: it turns nothing.
    if (!touch || !m_touchDownSeen || touch->getID() != m_touchDownId) {
        return;
    }
    const BookSettings& s = bookSettings();
    const float x = touch->getLocation().x;
    const float start = m_f.lastTouch.x;
    int direction = 0;
    if (x > start) {
        if (x - start >= kSwipeDistance && s.currentPage > s.pageMin) {
            direction = -1;
        }
    } else if (x < start) {
        if (start - x >= kSwipeDistance && s.currentPage < s.pageMax) {
            direction = +1;
        }
    }
    if (direction != 0 && !m_leaving) {
        m_f.lastTouch.x = x;
        turnBy(direction);
    }
}

template <class V>
void PageLayer<V>::ccTouchesEnded(cc::CCSet* touches, cc::CCEvent*)
{
    cc::CCTouch* touch = firstTouch(touches);
    if (touch && touch->getID() == m_touchDownId) {
        m_touchDownSeen = false;
    }
}

template <class V>
void PageLayer<V>::ccTouchesCancelled(cc::CCSet* touches, cc::CCEvent* event)
{
    ccTouchesEnded(touches, event);
}

template <class V>
void PageLayer<V>::hideHint(float)
{
    if (m_hintLabel) {
        m_hintLabel->setVisible(false);
    }
}


template class PageLayer<FirstPageVariant>;
template class PageLayer<SecondPageVariant>;

} // namespace quibo
