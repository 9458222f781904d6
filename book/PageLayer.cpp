// Page layer build and lifecycle, shared by both variants; turning and
// page touches are in PageTurning.cpp, words and narration in PageWords.cpp.
// Widgets, menus, labels and sound are the toolkit's and the engine's.
#include "book/PageLayer.h"
#include "book/PageLayerShared.h"

#include "book/BookPaths.h"
#include "book/BookSettings.h"
#include "book/OpenPage.h"
#include "book/PagePrefetch.h"
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

template <class V>
PageLayer<V>::~PageLayer() = default;

template <class V>
bool PageLayer<V>::init()
{
    if (!cc::CCLayer::init()) {
        return false;
    }
    PageState& state = pageState();
    const VisibleArea& area = VisibleArea::get();
    const int page = bookSettings().currentPage;
    m_f.lastTouch = cc::CCPoint(0, 0);
    audio()->setBackgroundMusicVolume(1.0f);
    audio()->stopBackgroundMusic();
    m_f.tapCount = 0;
    m_f.tapRadius = std::fabs(area.w / kTapRadiusFraction);
    m_f.uiLayer = cc::UILayer::create();
    if (!m_f.uiLayer) {
        return false;
    }
    m_f.uiLayer->scheduleUpdate();

    const StringTable strings;
    state.sentenceLabel = nullptr;
    m_hintLabel = cc::CCLabelTTF::create(strings.caption("bntext").c_str(), kHintFont, kHintFontSize,
                                         cc::CCSizeZero, cc::kCCTextAlignmentCenter);
    if (!m_hintLabel) {
        return false;
    }
    m_hintLabel->setColor(kBlue);
    m_hintLabel->setVisible(false);
    if (V::kUiLayerFirst) {
        addChild(m_f.uiLayer);
        addChild(m_hintLabel, V::kHintZ);
    } else {
        addChild(m_hintLabel, V::kHintZ);
        addChild(m_f.uiLayer);
    }
    state.hintLabel = m_hintLabel;

    addMenu(strings.caption("main_page"), strings.caption("setmenu_set"));
    loadPage(page);
    buildBubble();
    bindWordButtons(page);
    state.nextWordIndex = 1;
    continueOrStopNarration();
    state.currentWord = nullptr;
    setTouchEnabled(true);
    schedule(schedule_selector(PageLayer<V>::idleCheck), kIdleSeconds);
    return true;
}

template <class V>
void PageLayer<V>::addMenu(const std::string& returnCaption, const std::string& settingsCaption)
{
    const VisibleArea& a = VisibleArea::get();
    m_previousItem = cc::CCMenuItemImage::create(kPreviousNormal, kPreviousSelected, this,
                                                 menu_selector(PageLayer<V>::turnBack));
    m_playItem = cc::CCMenuItemImage::create(kPlayImage, kPauseImage, this, menu_selector(PageLayer<V>::togglePlay));
    m_nextItem =
        cc::CCMenuItemImage::create(kNextNormal, kNextSelected, this, menu_selector(PageLayer<V>::turnForward));
    m_returnItem = cc::CCMenuItemFont::create(returnCaption.c_str(), this,
                                              menu_selector(PageLayer<V>::returnToMainMenu));
    m_settingsItem = cc::CCMenuItemFont::create(settingsCaption.c_str(), this,
                                                menu_selector(PageLayer<V>::openSettings));
    cc::CCMenuItem* items[] = {m_previousItem, m_playItem, m_nextItem, m_returnItem, m_settingsItem};
    for (cc::CCMenuItem* item : items) {
        if (!item) {
            cc::CCLog("PageLayer: a page control could not be made");
            m_previousItem = m_playItem = m_nextItem = nullptr;
            m_returnItem = m_settingsItem = nullptr;
            return;
        }
    }
    for (cc::CCMenuItemFont* text : {m_returnItem, m_settingsItem}) {
        text->setFontSizeObj(kTextItemFontSize);
        text->setColor(kBlue);
    }
    cc::CCMenu* menu = cc::CCMenu::create(m_previousItem, m_playItem, m_nextItem, m_returnItem, m_settingsItem,
                                          nullptr);
    if (!menu) {
        return;
    }
    menu->setPosition(cc::CCPoint(0, 0));
    const cc::CCSize play = m_playItem->getContentSize();
    m_previousItem->setPosition(cc::CCPoint(a.ox + a.w / 2 - play.width / 2, a.oy + play.height / 2 + 6));
    m_playItem->setPosition(cc::CCPoint(a.ox + a.w - 60, a.oy + 40));
    m_nextItem->setPosition(cc::CCPoint(a.ox + a.w / 2 + play.width / 2, a.oy + play.height / 2 + 6));
    m_returnItem->setPosition(cc::CCPoint(a.ox + 60, a.oy + 30));
    m_settingsItem->setPosition(cc::CCPoint(a.ox + a.w - 60, a.oy + 30));
    addChild(menu, V::kMenuZ);
    // The settings panel is not reachable from a page; manual mode has no play button.
    m_settingsItem->setVisible(false);
    if (pageState().playMode == PlayMode::manual) {
        m_playItem->setVisible(false);
    }
}

template <class V>
void PageLayer<V>::loadPage(int page)
{
    const std::string path = pageLayoutPath(page);
    if (V::kWritesBuildLines) {
        const BookSettings& s = bookSettings();
        cc::CCLog("-----------page_name----- %s -------------- !", (s.resourceFolder + "/" + s.subName).c_str());
    }
    cc::UIWidget* root = cc::CCSGUIReader::shareReader()->readLayoutFile(path.c_str());
    m_f.pageRoot = dynamic_cast<cc::Layout*>(root);
    if (m_f.pageRoot) {
        m_f.uiLayer->addWidget(m_f.pageRoot);
    }
}

template <class V>
void PageLayer<V>::buildBubble()
{
    PageState& state = pageState();
    state.sentenceBubble = nullptr;
    // Without a page there is nowhere to hang the bubble: the page has none.
    if (!m_f.pageRoot) {
        return;
    }
    cc::UIButton* bubble = cc::UIButton::create();
    if (!bubble) {
        return;
    }
    const VisibleArea& a = VisibleArea::get();
    bubble->setTouchEnabled(false);
    bubble->setScale9Enabled(true);
    bubble->loadNormalTexture(kBubbleImage, cc::UI_TEX_TYPE_LOCAL);
    bubble->loadPressedTexture(kBubbleImage, cc::UI_TEX_TYPE_LOCAL);
    bubble->loadDisabledTexture("", cc::UI_TEX_TYPE_LOCAL);
    bubble->setPosition(cc::CCPoint(a.ox + a.w / 2, a.oy + a.h));
    bubble->setSize(cc::CCSize(kBubbleWidth, bubble->getContentSize().height * kBubbleHeightFactor));
    bubble->setVisible(false);
    if (!m_f.pageRoot->addChild(bubble)) {
        return;
    }
    m_bubble = bubble;
    state.sentenceBubble = bubble;
}

template <class V>
void PageLayer<V>::bindWordButtons(int page)
{
    PageState& state = pageState();
    state.wordCount = 0;
    m_words.clear();
    cc::UIWidget* root = m_f.uiLayer->getRootWidget();
    const bool ispep = bookSettings().ispep && page != kPageKeepingWordTextures;
    for (int i = 1; i <= kMaxWords; ++i) {
        const std::string name = wordButtonName(page, i);
        cc::UIWidget* word = root ? cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(root, name.c_str())
                                  : nullptr;
        if (!word) {
            continue;
        }
        if (ispep) {
            word->setOpacity(255);
            if (cc::UIButton* button = dynamic_cast<cc::UIButton*>(word)) {
                button->loadNormalTexture(kWordNormal, cc::UI_TEX_TYPE_LOCAL);
                button->loadPressedTexture(kWordPressed, cc::UI_TEX_TYPE_LOCAL);
            }
        }
        word->setVisible(false);
        word->setTouchListener(this, toucheventselector(PageLayer<V>::onWordTouched));
        word->setTag(wordTag(page, i));
        state.wordCount = i;
        m_words[word] = WordInfo{i, word->getPosition()};
    }
}

template <class V>
void PageLayer<V>::continueOrStopNarration()
{
    PageState& state = pageState();
    if (state.autoPlay && state.playMode == PlayMode::autoTurn) {
        if (V::kWritesBuildLines) {
            cc::CCLog("---------------------------------0000000000000");
        }
        unscheduleAllSelectors();
        schedule(schedule_selector(PageLayer<V>::narrationTick), kFirstTickSeconds);
        setPlayImage(kPauseImage);
    } else {
        state.autoPlay = false;
        setPlayImage(kPlayImage);
        unscheduleAllSelectors();
    }
}

template <class V>
void PageLayer<V>::setPlayImage(const char* file)
{
    cc::CCSprite* image = m_playItem ? cc::CCSprite::create(file) : nullptr;
    if (image) {
        m_playItem->setNormalImage(image);
    }
}

// ---- Lifecycle ---------------------------------------------------------------

template <class V>
void PageLayer<V>::onEnter()
{
    cc::CCLayer::onEnter();
    cc::CCLog("%s onEnter", V::kSceneName);
}

template <class V>
void PageLayer<V>::onEnterTransitionDidFinish()
{
    cc::CCLayer::onEnterTransitionDidFinish();
    cc::CCLog("%s: onEnterTransitionDidFinish", V::kSceneName);
    PagePrefetch::pageShown(bookSettings().currentPage);
}

template <class V>
void PageLayer<V>::onExit()
{
    cc::CCLayer::onExit();
    // The page entered by a turn is built before this one leaves: forget
    // only what this page owns, and keep every pointer of the new page.
    PageState& state = pageState();
    if (state.sentenceLabel && state.sentenceLabel == m_sentenceLabel) {
        state.sentenceLabel = nullptr;
    }
    if (state.sentenceBubble && state.sentenceBubble == m_bubble) {
        state.sentenceBubble = nullptr;
    }
    if (state.hintLabel && state.hintLabel == m_hintLabel) {
        state.hintLabel = nullptr;
    }
    if (state.currentWord && m_words.count(state.currentWord)) {
        state.currentWord = nullptr;
    }
    unscheduleAllSelectors();
    cc::CCLog("%s onExit", V::kSceneName);
}

template <class V>
void PageLayer<V>::onExitTransitionDidStart()
{
    cc::CCNode::onExitTransitionDidStart();
    cc::CCLog("%s: onExitTransitionDidStart", V::kSceneName);
}

template <class V>
cc::CCPoint PageLayer<V>::homeOf(cc::UIWidget* word) const
{
    auto it = m_words.find(word);
    return it != m_words.end() ? it->second.home : (word ? word->getPosition() : cc::CCPoint(0, 0));
}

template <class V>
int PageLayer<V>::wordIndexOf(cc::UIWidget* word) const
{
    auto it = m_words.find(word);
    return it != m_words.end() ? it->second.index : wordIndexFromTag(word->getTag(), bookSettings().currentPage);
}

template class PageLayer<FirstPageVariant>;
template class PageLayer<SecondPageVariant>;

} // namespace quibo
