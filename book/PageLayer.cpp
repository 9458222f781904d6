// Page layer behaviour shared by both variants: the build, the lifecycle
// lines, turning, word taps, sentences, automatic narration and the hint.
// Widgets, menus, labels and sound are the toolkit's and the engine's.
#include "book/PageLayer.h"

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

namespace {

const char* const kPreviousNormal = "Images/up1.png";
const char* const kPreviousSelected = "Images/up2.png";
const char* const kPlayImage = "Images/play_btn.png";
const char* const kPauseImage = "Images/pause_btn.png";
const char* const kNextNormal = "Images/next1.png";
const char* const kNextSelected = "Images/next2.png";
const char* const kBubbleImage = "Images/bnchback1.png";
const char* const kWordNormal = "Images/bnren1.png";
const char* const kWordPressed = "Images/bnren2.png";
const int kPageKeepingWordTextures = 198;

const char* const kHintFont = "Arial";
const float kHintFontSize = 22;
const float kHintWidthInRadii = 8;
const float kHintSeconds = 3.0f;
const float kTapRadiusFraction = 30;
// The sentence font's name as the book's platform spells it (GBK bytes).
const char* const kSentenceFont = "\xCB\xCE\xCC\xE5";
const float kBubbleWidth = 150;
const float kBubbleHeightFactor = 1.5f;
const float kBubbleGapFraction = 40;
const unsigned int kTextItemFontSize = 45;
const cc::ccColor3B kBlue = {0, 0, 255};

const float kIdleSeconds = 1.0f;
const float kFirstTickSeconds = 0.2f;
const float kTickSeconds = 0.5f;
const float kGlideSeconds = 1.0f;
const float kGlidePeriod = 9.25f;

// The widget's own node (the one its position lives on); a button's
// getRenderNode() answers with its current look instead.
struct RenderNodeAccess : cc::UIWidget {
    static cc::CCNode* cc::UIWidget::*member() { return &RenderNodeAccess::m_pRenderNode; }
};
cc::CCNode* ownNode(cc::UIWidget* widget) { return widget ? widget->*RenderNodeAccess::member() : nullptr; }

cc::CCTouch* firstTouch(cc::CCSet* touches)
{
    return touches ? dynamic_cast<cc::CCTouch*>(touches->anyObject()) : nullptr;
}

cc::SimpleAudioEngine* audio() { return cc::SimpleAudioEngine::sharedEngine(); }

bool narrationPlaying() { return audio()->isBackgroundMusicPlaying(); }

template <class Variant>
cc::CCLayer* createOtherPage();
template <>
cc::CCLayer* createOtherPage<FirstPageVariant>() { return TestLayer2::create(); }
template <>
cc::CCLayer* createOtherPage<SecondPageVariant>() { return TestLayer1::create(); }

} // namespace

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
