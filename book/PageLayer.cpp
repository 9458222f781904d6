// Building a page (layout, fixed controls, hint label, sentence bubble, word
// buttons), its lifecycle lines and what it tells its narration on entering
// and leaving the stage. Turning is in PageTurning.cpp, words in PageWords.cpp.
#include "book/PageLayer.h"

#include "book/BookPaths.h"
#include "book/BookSettings.h"
#include "book/PagePrefetch.h"
#include "book/PageState.h"
#include "book/ScreenKeys.h"
#include "book/StringTable.h"
#include "book/VisibleArea.h"
#include "book/WordNaming.h"

#include "audio/SimpleAudioEngine.h"
#include "base/CCArray.h"
#include "base/CCLog.h"
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
#include "text/CCLabelTTF.h"

#include <cmath>
#include <unordered_map>

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

const float kTapRadiusFraction = 30;
const float kBubbleWidth = 150;
const float kBubbleHeightFactor = 1.5f;
const unsigned int kTextItemFontSize = 45;
const float kIdleSeconds = 1.0f;
const float kFullVolume = 1.0f;
} // namespace

PageLayer::PageLayer(const PageLayerStyle& style) : m_style(style) {}

PageLayer::~PageLayer() = default;

bool PageLayer::init()
{
    if (!cc::CCLayer::init()) {
        return false;
    }
    const VisibleArea& area = VisibleArea::get();
    const int page = bookSettings().currentPage;
    m_narration.reset(Narration::create(*this));
    m_lastTouch = cc::CCPoint(0, 0);
    // Whatever narration was playing ends with the build of a page.
    cc::SimpleAudioEngine* audio = cc::SimpleAudioEngine::sharedEngine();
    audio->setBackgroundMusicVolume(kFullVolume);
    audio->stopBackgroundMusic();
    m_tapCount = 0;
    m_tapRadius = std::fabs(area.w / kTapRadiusFraction);
    m_uiLayer.reset(cc::UILayer::create());
    if (!m_uiLayer) {
        return false;
    }
    m_uiLayer->scheduleUpdate();

    const StringTable strings;
    m_hintLabel.reset(cc::CCLabelTTF::create(strings.caption("bntext").c_str(), kHintFont, kHintFontSize,
                                             cc::CCSizeZero, cc::kCCTextAlignmentCenter));
    if (!m_hintLabel) {
        return false;
    }
    m_hintLabel->setColor(kTextColour);
    m_hintLabel->setVisible(false);
    addChild(m_hintLabel.get(), m_style.hintZOrder);
    addChild(m_uiLayer.get());

    addMenu(strings.caption("main_page"), strings.caption("setmenu_set"));
    addChild(PageKeys::create(this, m_previousItem.get(), m_nextItem.get(), m_playItem.get(), m_returnItem.get()));
    loadPage(page);
    buildBubble();
    const int highestIndex = bindWordButtons(page);
    unscheduleAllSelectors();
    const bool narrationGoesOn = m_narration->beginPage(highestIndex);
    if (narrationGoesOn && m_style.writesBuildLines) {
        cc::CCLog("---------------------------------0000000000000");
    }
    setPlayImage(m_playItem.get(), narrationGoesOn);
    setTouchEnabled(true);
    schedule(schedule_selector(PageLayer::idleCheck), kIdleSeconds);
    return true;
}

void PageLayer::addMenu(const std::string& returnCaption, const std::string& settingsCaption)
{
    const VisibleArea& a = VisibleArea::get();
    m_previousItem.reset(
        cc::CCMenuItemImage::create(kPreviousNormal, kPreviousSelected, this, menu_selector(PageLayer::turnBack)));
    m_playItem.reset(cc::CCMenuItemImage::create(kPlayImage, kPauseImage, this, menu_selector(PageLayer::togglePlay)));
    m_nextItem.reset(
        cc::CCMenuItemImage::create(kNextNormal, kNextSelected, this, menu_selector(PageLayer::turnForward)));
    m_returnItem.reset(
        cc::CCMenuItemFont::create(returnCaption.c_str(), this, menu_selector(PageLayer::returnToMainMenu)));
    m_settingsItem.reset(
        cc::CCMenuItemFont::create(settingsCaption.c_str(), this, menu_selector(PageLayer::openSettings)));
    if (!m_previousItem || !m_playItem || !m_nextItem || !m_returnItem || !m_settingsItem) {
        cc::CCLog("PageLayer: a page control could not be made");
        m_previousItem = m_playItem = m_nextItem = nullptr;
        m_returnItem = m_settingsItem = nullptr;
        return;
    }
    for (cc::CCMenuItemFont* text : {m_returnItem.get(), m_settingsItem.get()}) {
        text->setFontSizeObj(kTextItemFontSize);
        text->setColor(kTextColour);
    }
    cc::CCMenu* menu = cc::CCMenu::create(m_previousItem.get(), m_playItem.get(), m_nextItem.get(),
                                          m_returnItem.get(), m_settingsItem.get(), nullptr);
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
    addChild(menu, m_style.menuZOrder);
    // The settings panel is not reachable from a page; manual mode has no play button.
    m_settingsItem->setVisible(false);
    if (pageState().playMode == PlayMode::manual) {
        m_playItem->setVisible(false);
    }
}

void PageLayer::loadPage(int page)
{
    const std::string path = pageLayoutPath(page);
    if (m_style.writesBuildLines) {
        const BookSettings& s = bookSettings();
        cc::CCLog("-----------page_name----- %s -------------- !", (s.resourceFolder + "/" + s.subName).c_str());
    }
    cc::UIWidget* root = cc::CCSGUIReader::shareReader()->readLayoutFile(path.c_str());
    m_pageRoot.reset(dynamic_cast<cc::Layout*>(root));
    if (m_pageRoot) {
        m_uiLayer->addWidget(m_pageRoot.get());
    }
}

void PageLayer::buildBubble()
{
    // Without a page there is nowhere to hang the bubble: the page has none.
    if (!m_pageRoot) {
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
    if (m_pageRoot->addChild(bubble)) {
        m_bubble.reset(bubble);
    }
}

int PageLayer::bindWordButtons(int page)
{
    int highestIndex = 0;
    m_words.clear();
    cc::UIWidget* root = m_uiLayer->getRootWidget();
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
        word->setTouchListener(this, toucheventselector(PageLayer::onWordTouched));
        word->setTag(wordTag(page, i));
        highestIndex = i;
        m_words.push_back(BoundWord{cc::CCRefPtr<cc::UIWidget>(word), i, word->getPosition()});
    }
    reportDuplicateWordNames(root, page);
    return highestIndex;
}

namespace {
// Adds one to the count of every widget below (and at) `widget` whose name
// is a key of `counts`.
void countNames(cc::UIWidget* widget, std::unordered_map<std::string, int>& counts)
{
    auto it = counts.find(widget->getName());
    if (it != counts.end()) {
        ++it->second;
    }
    cc::CCObject* child = nullptr;
    CCARRAY_FOREACH(widget->getChildren(), child)
    {
        countNames(static_cast<cc::UIWidget*>(child), counts);
    }
}
} // namespace

void PageLayer::reportDuplicateWordNames(cc::UIWidget* root, int page) const
{
    // Only the first button of a name is found and bound; the others would
    // sit on the page deaf to taps, which a book maker wants to hear about.
    if (!root || m_words.empty()) {
        return;
    }
    std::unordered_map<std::string, int> counts;
    for (const BoundWord& w : m_words) {
        counts.emplace(w.button->getName(), 0);
    }
    countNames(root, counts);
    for (const BoundWord& w : m_words) {
        const int count = counts[w.button->getName()];
        if (count > 1) {
            cc::CCLog("PageLayer: page %d has %d word buttons named %s; only the first one is bound", page, count,
                      w.button->getName());
        }
    }
}

void PageLayer::setPlayImage(cc::CCMenuItemSprite* item, bool playing)
{
    cc::CCSprite* image = item ? cc::CCSprite::create(playing ? kPauseImage : kPlayImage) : nullptr;
    if (image) {
        item->setNormalImage(image);
    }
}

const PageLayer::BoundWord* PageLayer::boundWord(cc::UIWidget* widget) const
{
    for (const BoundWord& w : m_words) {
        if (w.button == widget) {
            return &w;
        }
    }
    return nullptr;
}

cc::CCPoint PageLayer::homeOf(cc::UIWidget* word) const
{
    const BoundWord* w = boundWord(word);
    return w ? w->home : (word ? word->getPosition() : cc::CCPoint(0, 0));
}

// ---- Lifecycle ---------------------------------------------------------------

void PageLayer::onEnter()
{
    cc::CCLayer::onEnter();
    m_narration->pageEntered();
    cc::CCLog("%s onEnter", m_style.sceneName);
}

void PageLayer::onEnterTransitionDidFinish()
{
    cc::CCLayer::onEnterTransitionDidFinish();
    cc::CCLog("%s: onEnterTransitionDidFinish", m_style.sceneName);
    PagePrefetch::pageShown(bookSettings().currentPage);
}

void PageLayer::onExit()
{
    cc::CCLayer::onExit();
    // Nothing of a page that left the stage is touched again.
    m_sentenceLabel = nullptr;
    m_narration->pageLeft();
    unscheduleAllSelectors();
    cc::CCLog("%s onExit", m_style.sceneName);
}

void PageLayer::onExitTransitionDidStart()
{
    cc::CCNode::onExitTransitionDidStart();
    cc::CCLog("%s: onExitTransitionDidStart", m_style.sceneName);
}

} // namespace quibo
