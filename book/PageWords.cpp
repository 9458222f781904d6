// What a page shows of its narration: the highlighted word and its elastic
// glide, the sentence label with its bubble, the idle check that hides the
// sentence, and the play image. Which word and when is the Narration's.
#include "book/PageLayer.h"

#include "book/BookSettings.h"
#include "book/NarrationSpeed.h"
#include "book/VisibleArea.h"

#include "actions/CCActions.h"
#include "base/CCLog.h"
#include "gui/UILayer.h"
#include "gui/UIRootWidget.h"
#include "gui/WidgetLookup.h"
#include "gui/widgets/UIButton.h"
#include "menu/CCMenuItem.h"
#include "text/CCLabelTTF.h"

#include <algorithm>
#include <cmath>

namespace quibo {

namespace {
// The sentence font's name as the book's platform spells it (GBK bytes).
const char* const kSentenceFont = "\xCB\xCE\xCC\xE5";
const float kBubbleGapFraction = 40;
const float kGlideSeconds = 1.0f;
const float kGlidePeriod = 9.25f;
// The speed note stays this long after the last reading key, above the
// page's controls (as a fraction of the visible height).
const float kSpeedNoteSeconds = 1.5f;
const float kSpeedNoteHeight = 0.12f;

// The widget's own node (the one its position lives on); a button's
// getRenderNode() answers with its current look instead.
cc::CCNode* ownNode(cc::UIWidget* widget) { return widget ? widget->getOwnRenderNode() : nullptr; }

cc::CCRect unionOf(const cc::CCRect& a, const cc::CCRect& b)
{
    const float minX = std::min(a.getMinX(), b.getMinX());
    const float minY = std::min(a.getMinY(), b.getMinY());
    return cc::CCRect(minX, minY, std::max(a.getMaxX(), b.getMaxX()) - minX,
                      std::max(a.getMaxY(), b.getMaxY()) - minY);
}
} // namespace

// ---- Told by the user ----------------------------------------------------------

void PageLayer::onWordTouched(cc::CCObject* sender, cc::TouchPhase)
{
    cc::UIWidget* word = dynamic_cast<cc::UIWidget*>(sender);
    const BoundWord* bound = word ? boundWord(word) : nullptr;
    if (bound) {
        m_narration->wordTapped(word, bound->index);
    }
}

void PageLayer::togglePlay(cc::CCObject* sender)
{
    cc::CCMenuItemSprite* item = dynamic_cast<cc::CCMenuItemSprite*>(sender);
    if (item) {
        setPlayImage(item, m_narration->togglePlay());
    }
}

void PageLayer::stepNarrationSpeed(int direction)
{
    const std::string text = narrationSpeedText(quibo::stepNarrationSpeed(direction));
    if (!m_speedNote) {
        m_speedNote.reset(cc::CCLabelTTF::create(text.c_str(), kHintFont, kHintFontSize, cc::CCSizeZero,
                                                 cc::kCCTextAlignmentCenter));
        if (!m_speedNote) {
            return;
        }
        const VisibleArea& a = VisibleArea::get();
        m_speedNote->setColor(kTextColour);
        m_speedNote->setPosition(cc::CCPoint(a.ox + a.w / 2, a.oy + a.h * kSpeedNoteHeight));
        addChild(m_speedNote.get(), m_style.hintZOrder);
    }
    m_speedNote->setString(text.c_str());
    m_speedNote->setVisible(true);
    unschedule(schedule_selector(PageLayer::hideSpeedNote));
    schedule(schedule_selector(PageLayer::hideSpeedNote), kSpeedNoteSeconds);
}

void PageLayer::hideSpeedNote(float)
{
    unschedule(schedule_selector(PageLayer::hideSpeedNote));
    if (m_speedNote) {
        m_speedNote->setVisible(false);
    }
}

void PageLayer::idleCheck(float)
{
    if (!Narration::isPlaying() && m_bubble && m_sentenceLabel) {
        m_bubble->setVisible(false);
        m_sentenceLabel->setVisible(false);
    }
}

// ---- Told by the narration -------------------------------------------------------

cc::UIWidget* PageLayer::findWordButton(const std::string& name)
{
    cc::UIWidget* root = m_uiLayer->getRootWidget();
    return root ? cc::WidgetLookup::shareWidgetLookup()->findWidgetByName(root, name.c_str()) : nullptr;
}

bool PageLayer::hasSentenceBubble() const { return static_cast<bool>(m_bubble); }

cc::CCPoint PageLayer::unhighlightWord(cc::UIWidget* word)
{
    word->setVisible(false);
    const cc::CCPoint at = word->getPosition();
    word->setFocused(false);
    return at;
}

void PageLayer::highlightWord(cc::UIWidget* word, const cc::CCPoint& from)
{
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

void PageLayer::keepWordFocused(cc::UIWidget* word) { word->setFocused(true); }

void PageLayer::turnToNextPage() { turnForward(nullptr); }

void PageLayer::showSentence(cc::UIWidget* word, const std::string* entry)
{
    if (!entry) {
        // A label of an earlier word stays until the idle check hides it.
        if (m_bubble) {
            m_bubble->setSize(cc::CCSize(0, 0));
        }
        return;
    }
    if (entry->size() >= kSentenceLimit) {
        if (m_tooLongReported.insert(word).second) {
            cc::CCLog("PageLayer: the sentence of %s is %zu bytes long; sentences of %zu bytes or more are not shown",
                      word->getName(), entry->size(), kSentenceLimit);
        }
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
        moveBubbleTo(parent);
    }
    const float sx = std::fabs(word->getScaleX());
    const float sy = std::fabs(word->getScaleY());
    const float gap = VisibleArea::get().h / kBubbleGapFraction;
    const std::string text = "-" + *entry + "-";
    cc::CCLog("test222222222222222-----CCLabelAtlas-------%s---====", text.c_str());
    const cc::CCSize wordSize = word->getContentSize();
    cc::CCLabelTTF* label =
        cc::CCLabelTTF::create(text.c_str(), kSentenceFont, static_cast<float>(bookSettings().textsize),
                               cc::CCSize(wordSize.width * sx, 0), cc::kCCTextAlignmentCenter);
    if (!label) {
        return;
    }
    label->setColor(kTextColour);
    // Above a word that lies below its container's origin, else below it.
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
    m_sentenceLabel.reset(label);
    keepSentenceInView(label, ownNode(parent));
}

void PageLayer::keepSentenceInView(cc::CCLabelTTF* label, cc::CCNode* parentNode)
{
    // The sentence is centred on its word; for a word near the page's edge
    // that would cut the bubble and its text off, so both move sideways just
    // enough to lie inside the visible area (centred on it when wider).
    cc::CCRect local = label->boundingBox();
    if (m_bubble) {
        local = unionOf(local, m_bubble->getOwnRenderNode()->boundingBox());
    }
    const cc::CCRect world = cc::CCRectApplyAffineTransform(local, parentNode->nodeToWorldTransform());
    const VisibleArea& a = VisibleArea::get();
    const float left = world.getMinX();
    const float right = world.getMaxX();
    float shift = 0;
    if (right - left > a.w) {
        shift = (a.ox + a.w / 2) - (left + right) / 2;
    } else if (left < a.ox) {
        shift = a.ox - left;
    } else if (right > a.ox + a.w) {
        shift = a.ox + a.w - right;
    }
    if (shift == 0) {
        return;
    }
    // The same distance in the container's own units (it may be scaled).
    const float y = world.getMidY();
    const float dx = parentNode->convertToNodeSpace(cc::CCPoint(left + shift, y)).x -
                     parentNode->convertToNodeSpace(cc::CCPoint(left, y)).x;
    label->setPosition(label->getPosition() + cc::CCPoint(dx, 0));
    if (m_bubble) {
        m_bubble->setPosition(m_bubble->getPosition() + cc::CCPoint(dx, 0));
    }
}

void PageLayer::removeSentenceLabel()
{
    if (m_sentenceLabel) {
        m_sentenceLabel->removeFromParentAndCleanup(true);
    }
    m_sentenceLabel = nullptr;
}

void PageLayer::moveBubbleTo(cc::UIWidget* parent)
{
    // m_bubble holds the bubble between leaving one container and joining the
    // next. If neither takes it the page shows no bubble from then on.
    cc::UIWidget* oldParent = m_bubble->getParent();
    m_bubble->removeFromParent();
    if (!parent->addChild(m_bubble.get()) && !(oldParent && oldParent->addChild(m_bubble.get()))) {
        m_bubble = nullptr;
    }
}

} // namespace quibo
