// Building one screen of the page selection grid and stepping between
// screens. Positions come from the visible area; the paging state decides
// which pages this screen shows and is updated as the screen is built.
#include "book/MenuLayerMainMenu.h"

#include "book/BookSettings.h"
#include "book/MenuTestScene.h"
#include "book/OpenPage.h"
#include "book/ScreenKeys.h"
#include "book/PagePrefetch.h"
#include "book/StringTable.h"
#include "book/VisibleArea.h"

#include "actions/CCActions.h"
#include "base/CCLog.h"
#include "menu/CCMenu.h"
#include "menu/CCMenuItemLabel.h"
#include "scene/CCDirector.h"
#include "text/CCLabelTTF.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace quibo {

namespace {
const char* const kFontName = "Arial";
const cc::ccColor4B kEntryBackground = {255, 0, 0, 255};
const cc::ccColor3B kEntryCaptionColour = {255, 255, 0};
const float kEntryFontSize = 60;
// The screen buttons are 2.4 units wide, a unit being an eighth of the width.
const float kStepWidthInUnits = 2.4f;
// Rows start 0.7 entry heights below the top.
const double kRowOffset = 0.7;
// Children start this far beyond half the window width.
const int kSlideMargin = 50;

// Page numbers come from the book configuration and may lie anywhere in the
// int range: sums and differences of them are taken in 64 bits and brought
// back into range, never overflowed.
int clampToInt(long long value)
{
    return static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, value)));
}

bool& pagingStarted()
{
    static bool started = false;
    return started;
}
} // namespace

void MenuPaging::reset() { pagingStarted() = false; }

MenuPaging& menuPaging()
{
    static MenuPaging paging;
    if (!pagingStarted()) {
        pagingStarted() = true;
        const int first = bookSettings().pageMin;
        paging.menuFirst = paging.menuNext = paging.menuPreviousFirst = first;
        paging.menuAtEnd = false;
    }
    return paging;
}

cc::CCMenuItemLabel* MenuLayerMainMenu::makeBoxItem(const cc::ccColor4B& background, float width, float height,
                                                    const std::string& caption, float fontSize,
                                                    const cc::ccColor3B& captionColour, cc::CCObject* target,
                                                    cc::SEL_MenuHandler action)
{
    cc::CCLayerColor* box = cc::CCLayerColor::create(background, width, height);
    cc::CCLabelTTF* label = cc::CCLabelTTF::create(caption.c_str(), kFontName, fontSize);
    if (!box || !label) return nullptr;
    label->setColor(captionColour);
    label->setPosition(cc::CCPoint(width / 2, height / 2));
    box->addChild(label);
    return cc::CCMenuItemLabel::create(box, target, action);
}

MenuLayerMainMenu::MenuLayerMainMenu() = default;
MenuLayerMainMenu::~MenuLayerMainMenu() = default;

bool MenuLayerMainMenu::init()
{
    if (!cc::CCLayer::init()) return false;
    m_menu.reset(cc::CCMenu::create());
    if (!m_menu) return false;
    StringTable strings;
    if (!fillGrid()) return false;

    const VisibleArea& a = VisibleArea::get();
    const float u = a.w / 8;
    MenuPaging& paging = menuPaging();
    const BookSettings& book = bookSettings();
    const long long next = static_cast<long long>(paging.menuFirst) + static_cast<long long>(m_entries.size());
    paging.menuNext = clampToInt(next);

    m_previous.reset(makeBoxItem(kButtonBackground, kStepWidthInUnits * u, u, strings.caption("up_page"),
                                 kButtonFontSize, kButtonCaptionColour, this,
                                 menu_selector(MenuLayerMainMenu::onPreviousScreen)));
    m_next.reset(makeBoxItem(kButtonBackground, kStepWidthInUnits * u, u, strings.caption("after_page"),
                             kButtonFontSize, kButtonCaptionColour, this,
                             menu_selector(MenuLayerMainMenu::onNextScreen)));
    if (!m_previous || !m_next) return false;
    m_previous->setPosition(cc::CCPoint(a.ox + a.w / 2 - kStepWidthInUnits * u, u / 2));
    m_menu->addChild(m_previous.get());
    m_next->setPosition(cc::CCPoint(a.ox + a.w / 2 + kStepWidthInUnits * u, u / 2));
    m_menu->addChild(m_next.get());
    m_menu->setContentSize(cc::CCSize(a.w, a.h));

    // A grey button still takes touches; its step then finds its bound.
    paging.menuAtEnd = next > book.pageMax;
    if (paging.menuAtEnd) m_next->setColor(kInactiveBackground);
    if (paging.menuFirst <= book.pageMin) m_previous->setColor(kInactiveBackground);

    std::vector<cc::CCNode*> added;
    for (const cc::CCRefPtr<cc::CCMenuItemLabel>& entry : m_entries) added.push_back(entry.get());
    added.push_back(m_previous.get());
    added.push_back(m_next.get());
    slideIn(added);
    m_menu->setPosition(cc::CCPoint(0, 0));
    addChild(m_menu.get());
    addChild(SelectionMenuKeys::create(this));
    PagePrefetch::gridShown(paging.menuFirst, paging.menuNext - 1);
    return true;
}

bool MenuLayerMainMenu::fillGrid()
{
    const VisibleArea& a = VisibleArea::get();
    const float side = a.w / 4; // one column, also one row step
    const int first = menuPaging().menuFirst;
    const int last = bookSettings().pageMax;
    for (int i = 0; static_cast<long long>(first) + i <= last; ++i) {
        const int row = i / 4, column = i % 4;
        const double rowDepth = side * (row + kRowOffset);
        if (side > a.h - rowDepth) break; // no room for another row
        char caption[16];
        std::snprintf(caption, sizeof caption, "%d ", first + i);
        cc::CCMenuItemLabel* entry = makeBoxItem(kEntryBackground, side * 8 / 9, side * 8 / 9, caption,
                                                 kEntryFontSize, kEntryCaptionColour, this,
                                                 menu_selector(MenuLayerMainMenu::onEntryChosen));
        if (!entry) {
            cc::CCLog("MenuLayerMainMenu: the entry for page %d could not be made", first + i);
            return false;
        }
        m_menu->addChild(entry, kEntryZOrderBase + i);
        entry->setPosition(cc::CCPoint((a.w / 8) * (2 * column + 1), static_cast<float>((a.oy + a.h) - rowDepth)));
        m_entries.emplace_back(entry);
    }
    return true;
}

void MenuLayerMainMenu::slideIn(const std::vector<cc::CCNode*>& children)
{
    const int d = static_cast<int>(cc::CCDirector::sharedDirector()->getWinSize().width / 2 + kSlideMargin);
    for (size_t j = 0; j < children.size(); ++j) {
        cc::CCNode* child = children[j];
        const float from = (j % 2 == 0) ? -d : d;
        const cc::CCPoint place = child->getPosition();
        child->setPosition(cc::CCPoint(place.x + from, place.y));
        cc::CCMoveBy* move = cc::CCMoveBy::create(kSlideSeconds, cc::CCPoint(-from, 0));
        cc::CCActionInterval* eased = move ? cc::CCEaseElasticOut::create(move, kSlidePeriod) : nullptr;
        if (eased) {
            child->runAction(eased);
        } else {
            child->setPosition(place); // no slide, but the child is where it belongs
        }
    }
}

void MenuLayerMainMenu::onEntryChosen(cc::CCObject* sender)
{
    cc::CCNode* entry = dynamic_cast<cc::CCNode*>(sender);
    if (!entry) return;
    BookSettings& book = bookSettings();
    book.currentPage = clampToInt(static_cast<long long>(entry->getZOrder() - kEntryZOrderBase) + menuPaging().menuFirst);
    book.readingStarted = true;
    openPage();
}

void MenuLayerMainMenu::onPreviousScreen(cc::CCObject*)
{
    MenuPaging& paging = menuPaging();
    if (paging.menuFirst <= bookSettings().pageMin) return;
    // The last screen may be short: go back to where the last step came from.
    const long long first = paging.menuFirst;
    paging.menuFirst = paging.menuAtEnd ? paging.menuPreviousFirst : clampToInt(first - (paging.menuNext - first));
    cc::CCDirector::sharedDirector()->purgeCachedData();
    runSelectionMenu();
}

void MenuLayerMainMenu::onNextScreen(cc::CCObject*)
{
    MenuPaging& paging = menuPaging();
    // At the end of the int range menuNext cannot pass pageMax; the screen
    // then knows it shows the last page.
    if (paging.menuAtEnd || paging.menuNext > bookSettings().pageMax) return;
    paging.menuPreviousFirst = paging.menuFirst;
    paging.menuFirst = paging.menuNext;
    cc::CCDirector::sharedDirector()->purgeCachedData();
    runSelectionMenu();
}

} // namespace quibo
