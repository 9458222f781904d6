// Page turning by item, swipe and the end of automatic narration (always to
// a page of the other class), leaving for the main menu or the settings
// panel, and the repeated-tap hint. The scenes it goes to build themselves.
#include "book/PageLayer.h"

#include "book/BookSettings.h"
#include "book/OpenPage.h"
#include "book/PageScene.h"
#include "book/PageState.h"
#include "book/StringTable.h"

#include "base/CCLog.h"
#include "base/CCSet.h"
#include "scene/CCDirector.h"
#include "scene/CCTouch.h"
#include "text/CCLabelTTF.h"
#include "transitions/CCTransitionPageTurn.h"
#include "transitions/CCTransitionZoomFlipY.h"

#include <cmath>

namespace quibo {

namespace {
const float kHintWidthInRadii = 8;
const float kHintSeconds = 3.0f;

cc::CCTouch* firstTouch(cc::CCSet* touches)
{
    return touches ? dynamic_cast<cc::CCTouch*>(touches->anyObject()) : nullptr;
}
} // namespace

// ---- Turning pages -----------------------------------------------------------

void PageLayer::turnForward(cc::CCObject*)
{
    if (bookSettings().currentPage < bookSettings().pageMax) {
        turnBy(+1);
    }
}

void PageLayer::turnBack(cc::CCObject*)
{
    if (bookSettings().currentPage > bookSettings().pageMin) {
        turnBy(-1);
    }
}

void PageLayer::turnBy(int direction)
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

void PageLayer::goToPage()
{
    m_leaving = true;
    unscheduleAllSelectors();
    m_narration->stopTicking();
    m_narration->forgetHighlightedWord();
    PageScene* scene = PageScene::create();
    PageLayer* layer = scene ? createOtherPage() : nullptr;
    if (!layer) {
        cc::CCLog("PageLayer: page %d could not be built", bookSettings().currentPage);
        return;
    }
    scene->addChild(layer);
    cc::CCDirector* director = cc::CCDirector::sharedDirector();
    director->setDepthTest(true);
    cc::CCScene* turn = cc::CCTransitionPageTurn::create(kTurnSeconds, scene, pageState().turnDirection == -1);
    if (!turn) {
        cc::CCLog("PageLayer: the page-turn transition could not be made");
        return;
    }
    director->replaceScene(turn);
}

void PageLayer::returnToMainMenu(cc::CCObject*)
{
    if (m_leaving) {
        return;
    }
    m_narration->cancelAutoPlay();
    unscheduleAllSelectors();
    m_leaving = ::quibo::returnToMainMenu();
}

void PageLayer::openSettings(cc::CCObject*)
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
    // autoPlay stays: the page the panel returns to may go on reading.
    unscheduleAllSelectors();
    m_narration->stopTicking();
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

void PageLayer::ccTouchesBegan(cc::CCSet* touches, cc::CCEvent*)
{
    cc::CCTouch* touch = firstTouch(touches);
    if (!touch) {
        return;
    }
    m_touchDownSeen = true;
    m_touchDownId = touch->getID();
    const cc::CCPoint prev = m_lastTouch;
    m_lastTouch = touch->getLocation();
    const float dx = std::trunc(prev.x - m_lastTouch.x);
    const float dy = std::trunc(prev.y - m_lastTouch.y);
    if (std::fabs(dx) < m_tapRadius && std::fabs(dy) < m_tapRadius) {
        cc::CCLog("ccTouchesBegan  --------=+++--------------");
        ++m_tapCount;
        if (m_tapCount > 1 && m_hintLabel) {
            const StringTable strings;
            m_hintLabel->setDimensions(cc::CCSize(m_tapRadius * kHintWidthInRadii, 0));
            m_hintLabel->setString(strings.caption("nopresenglish").c_str());
            m_hintLabel->setPosition(touch->getLocation());
            unschedule(schedule_selector(PageLayer::hideHint));
            m_hintLabel->setVisible(true);
            schedule(schedule_selector(PageLayer::hideHint), kHintSeconds);
            cc::CCLog("ccTouchesBegan  --------yes--------------");
        }
    } else {
        m_tapCount = 0;
    }
    cc::CCLog("ccTouchesBegan  ------------------------");
}

void PageLayer::ccTouchesMoved(cc::CCSet* touches, cc::CCEvent*)
{
    cc::CCTouch* touch = firstTouch(touches);
    // A finger that came down on the page before this one was on stage is
    // measured against nothing this page knows: it turns nothing.
    if (!touch || !m_touchDownSeen || touch->getID() != m_touchDownId) {
        return;
    }
    const BookSettings& s = bookSettings();
    const float x = touch->getLocation().x;
    const float start = m_lastTouch.x;
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
        m_lastTouch.x = x;
        turnBy(direction);
    }
}

void PageLayer::ccTouchesEnded(cc::CCSet* touches, cc::CCEvent*)
{
    cc::CCTouch* touch = firstTouch(touches);
    if (touch && touch->getID() == m_touchDownId) {
        m_touchDownSeen = false;
    }
}

void PageLayer::ccTouchesCancelled(cc::CCSet* touches, cc::CCEvent* event) { ccTouchesEnded(touches, event); }

void PageLayer::hideHint(float)
{
    if (m_hintLabel) {
        m_hintLabel->setVisible(false);
    }
}

} // namespace quibo
