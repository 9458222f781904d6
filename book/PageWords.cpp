// Page layer: word taps with the elastic highlight glide, the sentence
// bubble, the idle check and automatic narration. Shared by both variants.
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

// ---- Words, sentences and narration --------------------------------------------

template <class V>
void PageLayer<V>::onWordTouched(cc::CCObject* sender, cc::TouchEventKind)
{
    cc::UIWidget* word = dynamic_cast<cc::UIWidget*>(sender);
    if (!word || !m_words.count(word)) {
        return;
    }
    PageState& state = pageState();
    cc::CCPoint from(0, 0);
    if (state.currentWord && m_words.count(state.currentWord)) {
        if (word == state.currentWord && narrationPlaying()) {
            word->setFocused(true);
            return;
        }
        from = dropHighlight();
    }
    highlightWord(word, from);
    const int page = bookSettings().currentPage;
    const int index = wordIndexOf(word);
    state.nextWordIndex = index + 1;
    showSentence(word, sentenceKey(page, index));
    audio()->playBackgroundMusic(narrationPath(narrationName(page, index)).c_str());
}

template <class V>
cc::CCPoint PageLayer<V>::dropHighlight()
{
    cc::UIWidget* word = pageState().currentWord;
    if (!word) {
        return cc::CCPoint(0, 0);
    }
    word->setVisible(false);
    const cc::CCPoint at = word->getPosition();
    word->setFocused(false);
    return at;
}

template <class V>
void PageLayer<V>::highlightWord(cc::UIWidget* word, const cc::CCPoint& from)
{
    pageState().currentWord = word;
    word->setFocused(true);
    word->setVisible(true);
    cc::CCNode* node = ownNode(word);
    // A glide still running would add its rest to the new one and leave the
    // button (and its hit area) off the printed word.
    node->stopActionByTag(kGlideActionTag);
    const cc::CCPoint home = homeOf(word);
    word->setPosition(from);
    cc::CCMoveBy* move = cc::CCMoveBy::create(kGlideSeconds, home - from);
    cc::CCActionInterval* glide = move ? cc::CCEaseElasticOut::create(move, kGlidePeriod) : nullptr;
    if (glide) {
        glide->setTag(kGlideActionTag);
        node->runAction(glide);
    } else {
        word->setPosition(home);
    }
}

template <class V>
void PageLayer<V>::removeSentenceLabel()
{
    PageState& state = pageState();
    if (m_sentenceLabel) {
        m_sentenceLabel->removeFromParentAndCleanup(true);
    }
    m_sentenceLabel = nullptr;
    state.sentenceLabel = nullptr;
}

template <class V>
void PageLayer<V>::showSentence(cc::UIWidget* word, const std::string& key)
{
    cc::CCDictionary* strings = cc::CCDictionary::createWithContentsOfFile(pageStringsPath().c_str());
    if (strings) {
        cc::CCLog("test11111111111111-------------------====");
    }
    const cc::CCString* entry = strings ? dynamic_cast<const cc::CCString*>(strings->objectForKey(key)) : nullptr;
    if (!entry) {
        if (m_bubble) {
            m_bubble->setSize(cc::CCSize(0, 0));
        }
        return;
    }
    const std::string sentence = entry->getCString();
    if (sentence.size() >= kSentenceLimit) {
        removeSentenceLabel();
        if (m_bubble) {
            m_bubble->setVisible(false);
        }
        return;
    }
    removeSentenceLabel();
    cc::UIWidget* parent = word->getParent();
    if (!parent) {
        return;
    }
    if (m_bubble && m_bubble->getParent() != parent) {
        // The old parent's child list is the bubble's only owner: keep it
        // alive between leaving there and arriving here.
        cc::UIWidget* oldParent = m_bubble->getParent();
        m_bubble->retain();
        m_bubble->removeFromParent();
        if (!parent->addChild(m_bubble) && !(oldParent && oldParent->addChild(m_bubble))) {
            pageState().sentenceBubble = nullptr;
            m_bubble->release();
            m_bubble = nullptr;
        } else {
            m_bubble->release();
        }
    }
    const float sx = std::fabs(word->getScaleX());
    const float sy = std::fabs(word->getScaleY());
    const float gap = VisibleArea::get().h / kBubbleGapFraction;
    const std::string text = "-" + sentence + "-";
    cc::CCLog("test222222222222222-----CCLabelAtlas-------%s---====", text.c_str());
    const cc::CCSize wordSize = word->getContentSize();
    cc::CCLabelTTF* label =
        cc::CCLabelTTF::create(text.c_str(), kSentenceFont, static_cast<float>(bookSettings().textsize),
                               cc::CCSize(wordSize.width * sx, 0), cc::kCCTextAlignmentCenter);
    if (!label) {
        return;
    }
    label->setColor(kBlue);
    const cc::CCPoint q = homeOf(word);
    const float wordHeight = wordSize.height * sy;
    const float labelHeight = label->getContentSize().height;
    float labelY;
    float bubbleY;
    if (q.y < 0) {
        labelY = q.y + wordHeight / 2 + labelHeight / 2;
        bubbleY = labelY + gap / 2;
    } else {
        labelY = q.y - wordHeight / 2 - labelHeight / 2;
        bubbleY = labelY - gap / 2;
    }
    label->setVisible(true);
    label->setPosition(cc::CCPoint(q.x, labelY));
    if (m_bubble) {
        m_bubble->setVisible(true);
        m_bubble->setPosition(cc::CCPoint(q.x, bubbleY));
        m_bubble->setSize(cc::CCSize(label->getContentSize().width, labelHeight + gap));
    }
    ownNode(parent)->addChild(label, 0);
    m_sentenceLabel = label;
    pageState().sentenceLabel = label;
}

template <class V>
void PageLayer<V>::idleCheck(float)
{
    PageState& state = pageState();
    if (!narrationPlaying() && m_bubble && state.sentenceBubble == m_bubble && m_sentenceLabel &&
        state.sentenceLabel == m_sentenceLabel) {
        m_bubble->setVisible(false);
        m_sentenceLabel->setVisible(false);
    }
}

template <class V>
void PageLayer<V>::startNarrationTick(float delay)
{
    unschedule(schedule_selector(PageLayer<V>::narrationTick));
    schedule(schedule_selector(PageLayer<V>::narrationTick), delay);
}

template <class V>
void PageLayer<V>::narrationTick(float)
{
    unschedule(schedule_selector(PageLayer<V>::narrationTick));
    PageState& state = pageState();
    if (narrationPlaying()) {
        startNarrationTick(kTickSeconds);
        return;
    }
    if (state.skipIdleTick) {
        state.skipIdleTick = false;
        startNarrationTick(kTickSeconds);
        return;
    }
    if (state.nextWordIndex > state.wordCount) {
        if (state.playMode == PlayMode::repeatPage) {
            state.nextWordIndex = 1;
            state.skipIdleTick = true;
            startNarrationTick(kFirstTickSeconds);
        } else if (state.playMode == PlayMode::autoTurn) {
            // On the last page this does nothing and the narration halts.
            state.skipIdleTick = true;
            turnForward(nullptr);
        }
        return;
    }
    const int index = state.nextWordIndex;
    const int page = bookSettings().currentPage;
    cc::CCPoint from(0, 0);
    if (state.currentWord && m_words.count(state.currentWord)) {
        from = dropHighlight();
    }
    state.currentWord = nullptr;
    const std::string name = wordButtonName(page, index);
    cc::CCLog("bnName-----------%s---------====", name.c_str());
    cc::UIWidget* root = m_f.uiLayer->getRootWidget();
    cc::UIWidget* word = root ? cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(root, name.c_str()) : nullptr;
    if (word) {
        highlightWord(word, from);
        if (m_bubble) {
            showSentence(word, sentenceKey(page, index));
        }
    }
    audio()->playBackgroundMusic(narrationPath(narrationName(page, index)).c_str());
    state.nextWordIndex = index + 1;
    state.skipIdleTick = true;
    startNarrationTick(kTickSeconds);
}

template <class V>
void PageLayer<V>::togglePlay(cc::CCObject* sender)
{
    cc::CCMenuItemSprite* item = dynamic_cast<cc::CCMenuItemSprite*>(sender);
    if (!item) {
        return;
    }
    PageState& state = pageState();
    state.autoPlay = !state.autoPlay;
    cc::CCSprite* image = cc::CCSprite::create(state.autoPlay ? kPauseImage : kPlayImage);
    if (state.autoPlay) {
        startNarrationTick(kFirstTickSeconds);
    } else {
        audio()->setBackgroundMusicVolume(1.0f);
        audio()->stopBackgroundMusic();
        unschedule(schedule_selector(PageLayer<V>::narrationTick));
    }
    if (image) {
        item->setNormalImage(image);
    }
}

template class PageLayer<FirstPageVariant>;
template class PageLayer<SecondPageVariant>;

} // namespace quibo
