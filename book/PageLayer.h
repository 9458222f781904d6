// A book page on stage: built from its layout file with the fixed controls on
// top, it turns pages by item and swipe, shows the repeated-tap hint, and
// shows what its Narration tells it (highlight glide, sentence bubble). Which
// word plays and when is the Narration's; TestLayer1 and TestLayer2 are the
// two classes pages alternate between, told apart by a PageLayerStyle.
#pragma once

#include "book/Narration.h"

#include "base/CCRefPtr.h"
#include "base/ccTypes.h"
#include "gui/UIWidget.h"
#include "scene/CCLayer.h"

#include <string>
#include <unordered_set>
#include <vector>

namespace cc {
class CCLabelTTF;
class CCMenuItemFont;
class CCMenuItemImage;
class CCMenuItemSprite;
class Layout;
class UIButton;
class UILayer;
} // namespace cc

namespace quibo {

// What tells the two page classes apart; none of it changes what is seen.
struct PageLayerStyle {
    const char* sceneName;  // "Scene 1" or "Scene 2" in the lifecycle lines
    int hintZOrder;         // both put the hint label above the menu,
    int menuZOrder;         // and the menu above the page's widgets
    bool writesBuildLines;  // the "page_name" and "0000000000000" lines
};

class PageLayer : public cc::CCLayer, private NarrationPage {
public:
    ~PageLayer() override;
    // Builds the page shown by bookSettings().currentPage.
    bool init() override;

    void onEnter() override;
    void onEnterTransitionDidFinish() override;
    void onExit() override;
    void onExitTransitionDidStart() override;

    // Page-layer touches are the ones no widget claimed: a repeated tap shows
    // the hint, a horizontal swipe of 50 points turns the page.
    void ccTouchesBegan(cc::CCSet* touches, cc::CCEvent* event) override;
    void ccTouchesMoved(cc::CCSet* touches, cc::CCEvent* event) override;
    void ccTouchesEnded(cc::CCSet* touches, cc::CCEvent* event) override;
    void ccTouchesCancelled(cc::CCSet* touches, cc::CCEvent* event) override;

    // Menu actions.
    void turnForward(cc::CCObject* sender);
    void turnBack(cc::CCObject* sender);
    void togglePlay(cc::CCObject* sender);
    void returnToMainMenu(cc::CCObject* sender);
    void openSettings(cc::CCObject* sender);
    // Touch selector of every word button; runs for every event kind.
    void onWordTouched(cc::CCObject* sender, cc::TouchPhase kind);

    // The reading keys: the narration one step slower (direction < 0) or
    // faster, with the new speed shown for a moment in the hint's style.
    void stepNarrationSpeed(int direction);

    // Scheduled operations.
    void idleCheck(float dt);
    void hideHint(float dt);
    void hideSpeedNote(float dt);

    // Inspection for tests, tools and the code around the page.
    cc::UILayer* getUILayer() const { return m_uiLayer.get(); }
    cc::Layout* getPageRoot() const { return m_pageRoot.get(); }
    int32_t getTapCount() const { return m_tapCount; }
    float getTapRadius() const { return m_tapRadius; }
    const cc::CCPoint& getLastTouch() const { return m_lastTouch; }
    cc::CCMenuItemImage* getPreviousItem() const { return m_previousItem.get(); }
    cc::CCMenuItemImage* getPlayItem() const { return m_playItem.get(); }
    cc::CCMenuItemImage* getNextItem() const { return m_nextItem.get(); }
    cc::CCMenuItemFont* getReturnItem() const { return m_returnItem.get(); }
    cc::CCMenuItemFont* getSettingsItem() const { return m_settingsItem.get(); }
    cc::CCLabelTTF* getHintLabel() const { return m_hintLabel.get(); }
    // The note showing the narration speed; null until a reading key asked.
    cc::CCLabelTTF* getSpeedNote() const { return m_speedNote.get(); }
    // The bubble behind the sentence; null on a page without a layout.
    cc::UIButton* getSentenceBubble() const { return m_bubble.get(); }
    // The label of the sentence shown last; null before the first, after an
    // entry too long to show, and once the page has left the stage.
    cc::CCLabelTTF* getSentenceLabel() const { return m_sentenceLabel.get(); }
    // The page's narration: the highlighted word, the next word, the word count.
    const Narration& getNarration() const { return *m_narration; }
    int boundWordCount() const { return static_cast<int>(m_words.size()); }
    // The place the layout gave a bound word button.
    cc::CCPoint homeOf(cc::UIWidget* word) const;

    // Length from which a sentence entry is not shown.
    static constexpr size_t kSentenceLimit = 1600;
    static constexpr int kMaxWords = 49;
    static constexpr float kSwipeDistance = 50.0f;
    static constexpr float kTurnSeconds = 0.5f;
    static constexpr int kGlideActionTag = 0x9d1e;

protected:
    explicit PageLayer(const PageLayerStyle& style);
    // A new page of the other class, for the page a turn goes to.
    virtual PageLayer* createOtherPage() const = 0;

private:
    struct BoundWord {
        cc::CCRefPtr<cc::UIWidget> button;
        int index;
        cc::CCPoint home;
    };

    // Building (PageLayer.cpp).
    void addMenu(const std::string& returnCaption, const std::string& settingsCaption);
    void loadPage(int page);
    void buildBubble();
    int bindWordButtons(int page);
    void reportDuplicateWordNames(cc::UIWidget* root, int page) const;
    void setPlayImage(cc::CCMenuItemSprite* item, bool playing);
    const BoundWord* boundWord(cc::UIWidget* widget) const;

    // Turning and leaving (PageTurning.cpp).
    void turnBy(int direction);
    void goToPage();

    // What the narration tells the page (PageWords.cpp).
    cc::UIWidget* findWordButton(const std::string& name) override;
    bool hasSentenceBubble() const override;
    cc::CCPoint unhighlightWord(cc::UIWidget* word) override;
    void highlightWord(cc::UIWidget* word, const cc::CCPoint& from) override;
    void keepWordFocused(cc::UIWidget* word) override;
    void showSentence(cc::UIWidget* word, const std::string* sentence) override;
    void turnToNextPage() override;
    void removeSentenceLabel();
    void moveBubbleTo(cc::UIWidget* parent);
    void keepSentenceInView(cc::CCLabelTTF* label, cc::CCNode* parentNode);

    // The colour of the text items, the hint and the sentence.
    static constexpr cc::ccColor3B kTextColour = {0, 0, 255};
    // The hint's font, which the speed note shares.
    static constexpr const char* kHintFont = "Arial";
    static constexpr float kHintFontSize = 22;

    const PageLayerStyle m_style;
    cc::CCRefPtr<Narration> m_narration;
    cc::CCRefPtr<cc::UILayer> m_uiLayer; // a child of the page layer
    cc::CCRefPtr<cc::Layout> m_pageRoot; // in the UI layer's widget tree
    cc::CCRefPtr<cc::CCMenuItemImage> m_previousItem; // the menu's children
    cc::CCRefPtr<cc::CCMenuItemImage> m_playItem;
    cc::CCRefPtr<cc::CCMenuItemImage> m_nextItem;
    cc::CCRefPtr<cc::CCMenuItemFont> m_returnItem;
    cc::CCRefPtr<cc::CCMenuItemFont> m_settingsItem;
    cc::CCRefPtr<cc::CCLabelTTF> m_hintLabel;     // a child of this layer
    cc::CCRefPtr<cc::CCLabelTTF> m_speedNote;     // a child of this layer, made when first needed
    cc::CCRefPtr<cc::UIButton> m_bubble;          // a child of a container of the page
    cc::CCRefPtr<cc::CCLabelTTF> m_sentenceLabel; // the label this page shows, if any
    std::vector<BoundWord> m_words;               // bound word buttons, by index
    std::unordered_set<const cc::UIWidget*> m_tooLongReported; // words whose sentence was too long

    int32_t m_tapCount = 0; // consecutive touch-downs near the previous one
    float m_tapRadius = 0;  // closer than this in both axes is the same place
    cc::CCPoint m_lastTouch;
    // A swipe is judged only for a touch whose touch-down this page saw.
    bool m_touchDownSeen = false;
    int m_touchDownId = -1;
    // Set once this page asked for another scene; later requests do nothing.
    bool m_leaving = false;
};

} // namespace quibo
