// Focus mark and Return on the main menu.
#include "book/MainMenuKeys.h"

#include "gui/UIWidget.h"
#include "render/CCDrawNode.h"

#include <algorithm>

namespace quibo {

namespace {
// The reader's warm highlight colour, opaque enough to read on any picture.
const cc::ccColor4F kMarkColour = {0.91f, 0.35f, 0.24f, 1.0f};
const cc::ccColor4F kNoFill = {0, 0, 0, 0};

// The widget's touch area in world points: the rectangle its hit test uses.
cc::CCRect worldBox(cc::UIWidget* w)
{
    cc::CCNode* node = w->getOwnRenderNode();
    const cc::CCSize& size = w->getSize();
    const float left = -w->getAnchorPoint().x * size.width;
    const float bottom = -w->getAnchorPoint().y * size.height;
    const cc::CCPoint a = node->convertToWorldSpace(cc::CCPoint(left, bottom));
    const cc::CCPoint b = node->convertToWorldSpace(cc::CCPoint(left + size.width, bottom + size.height));
    return cc::CCRect(std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y));
}
} // namespace

MainMenuKeys* MainMenuKeys::create(const std::vector<cc::UIWidget*>& buttons)
{
    MainMenuKeys* keys = new MainMenuKeys();
    keys->m_mark = cc::CCDrawNode::create();
    if (!keys->init() || !keys->m_mark) {
        delete keys;
        return nullptr;
    }
    for (cc::UIWidget* b : buttons) {
        if (!b) continue;
        keys->m_buttons.emplace_back(b);
    }
    keys->m_mark->setVisible(false);
    keys->addChild(keys->m_mark);
    keys->autorelease();
    return keys;
}

MainMenuKeys::~MainMenuKeys() = default;

cc::UIWidget* MainMenuKeys::getFocusedButton() const { return m_mark && m_mark->isVisible() ? m_focused : nullptr; }

std::vector<cc::UIWidget*> MainMenuKeys::pressableButtons() const
{
    std::vector<cc::UIWidget*> out;
    for (const cc::CCRefPtr<cc::UIWidget>& b : m_buttons) {
        if (b->isVisible() && b->isEnabled() && b->isTouchEnabled()) out.push_back(b.get());
    }
    std::stable_sort(out.begin(), out.end(), [](cc::UIWidget* a, cc::UIWidget* b) {
        const cc::CCRect ra = worldBox(a), rb = worldBox(b);
        return ra.getMaxY() > rb.getMaxY();
    });
    return out;
}

bool MainMenuKeys::ccKeyPressed(const cc::CCKeyEvent& event)
{
    if (!event.hasOnly(cc::kCCKeyModifierNone)) return false;
    switch (event.key) {
    case cc::kCCKeyUp: moveFocus(-1); return true;
    case cc::kCCKeyDown: moveFocus(1); return true;
    case cc::kCCKeyReturn:
        if (!event.repeat) pressFocused();
        return true;
    default: return false;
    }
}

void MainMenuKeys::moveFocus(int step)
{
    const std::vector<cc::UIWidget*> buttons = pressableButtons();
    if (buttons.empty()) return;
    auto at = std::find(buttons.begin(), buttons.end(), getFocusedButton());
    int index;
    if (at == buttons.end()) {
        // The first key shows the mark: on the top button for Down, the bottom one for Up.
        index = step > 0 ? 0 : static_cast<int>(buttons.size()) - 1;
    } else {
        const int n = static_cast<int>(buttons.size());
        index = ((static_cast<int>(at - buttons.begin()) + step) % n + n) % n;
    }
    m_focused = buttons[static_cast<size_t>(index)];
    drawMark();
}

void MainMenuKeys::pressFocused()
{
    const std::vector<cc::UIWidget*> buttons = pressableButtons();
    cc::UIWidget* button = getFocusedButton();
    if (!button || std::find(buttons.begin(), buttons.end(), button) == buttons.end()) {
        // Nothing marked yet: Return shows where it would press.
        moveFocus(1);
        return;
    }
    // The phases a tap in the middle of the button gives it; the menu acts on
    // the first, and may replace the whole screen meanwhile.
    const cc::CCRect box = worldBox(button);
    const cc::CCPoint centre(box.getMidX(), box.getMidY());
    cc::CCRefPtr<cc::UIWidget> keepAlive(button);
    button->onTouchBegan(centre);
    button->onTouchEnded(centre);
}

void MainMenuKeys::drawMark()
{
    m_mark->clear();
    if (!m_focused) {
        m_mark->setVisible(false);
        return;
    }
    // This node sits at the menu layer's origin, which is the window's.
    const cc::CCRect box = worldBox(m_focused);
    const float l = box.getMinX() - kMarkMargin, r = box.getMaxX() + kMarkMargin;
    const float b = box.getMinY() - kMarkMargin, t = box.getMaxY() + kMarkMargin;
    const cc::CCPoint corners[4] = {cc::CCPoint(l, b), cc::CCPoint(r, b), cc::CCPoint(r, t), cc::CCPoint(l, t)};
    m_mark->drawPolygon(corners, 4, kNoFill, kMarkWidth, kMarkColour);
    m_mark->setVisible(true);
}

} // namespace quibo
