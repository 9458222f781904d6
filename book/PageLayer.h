// The one implementation of a book page: building it from its layout file,
// turning pages, word taps with highlight, sentence and narration, automatic
// narration and the repeated-tap hint. TestLayer1 and TestLayer2 are its two
// variants (pages alternate between them on every turn); the variant decides
// only the order and z-orders of the children, the field order and the log
// lines. What the scene around a page does is PageScene's.
#pragma once

#include "book/PageState.h"

#include "gui/UIWidget.h"
#include "scene/CCLayer.h"

#include <string>
#include <unordered_map>

namespace cc {
class CCLabelTTF;
class CCMenuItemFont;
class CCMenuItemImage;
class CCScene;
class Layout;
class UIButton;
class UILayer;
} // namespace cc

namespace quibo {

// Page fields in the order TestLayer1 declares them.
struct FirstPageFields {
    cc::UILayer* uiLayer = nullptr; // a child of the page layer
    int32_t tapCount = 0;
    float tapRadius = 0;
    cc::CCPoint lastTouch;
    cc::Layout* pageRoot = nullptr; // owned by the UI layer's widget tree
};

// TestLayer2 keeps the tap fields before the UI layer.
struct SecondPageFields {
    int32_t tapCount = 0;
    float tapRadius = 0;
    cc::UILayer* uiLayer = nullptr;
    cc::CCPoint lastTouch;
    cc::Layout* pageRoot = nullptr;
};

template <class Variant>
class PageLayer : public cc::CCLayer {
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
    void onWordTouched(cc::CCObject* sender, cc::TouchEventKind kind);

    // Scheduled operations.
    void narrationTick(float dt);
    void idleCheck(float dt);
    void hideHint(float dt);

    // Inspection for tests and tools.
    cc::UILayer* getUILayer() const { return m_f.uiLayer; }
    cc::Layout* getPageRoot() const { return m_f.pageRoot; }
    int32_t getTapCount() const { return m_f.tapCount; }
    float getTapRadius() const { return m_f.tapRadius; }
    const cc::CCPoint& getLastTouch() const { return m_f.lastTouch; }
    cc::CCMenuItemImage* getPreviousItem() const { return m_previousItem; }
    cc::CCMenuItemImage* getPlayItem() const { return m_playItem; }
    cc::CCMenuItemImage* getNextItem() const { return m_nextItem; }
    cc::CCMenuItemFont* getReturnItem() const { return m_returnItem; }
    cc::CCMenuItemFont* getSettingsItem() const { return m_settingsItem; }
    int boundWordCount() const { return static_cast<int>(m_words.size()); }
    // The place the layout gave a bound word button.
    cc::CCPoint homeOf(cc::UIWidget* word) const;

    // Length from which a sentence entry is not shown.
    static constexpr size_t kSentenceLimit = 1600;
    static constexpr int kMaxWords = 49;
    static constexpr float kSwipeDistance = 50.0f;
    static constexpr float kTurnSeconds = 0.5f;
    static constexpr int kGlideActionTag = 0x9d1e;

private:
    struct WordInfo {
        int index;
        cc::CCPoint home;
    };

    void addMenu(const std::string& returnCaption, const std::string& settingsCaption);
    void loadPage(int page);
    void buildBubble();
    void bindWordButtons(int page);
    void continueOrStopNarration();
    void goToPage();
    void turnBy(int direction);
    void highlightWord(cc::UIWidget* word, const cc::CCPoint& from);
    // Hides and unfocuses the highlighted word; its position, or (0, 0).
    cc::CCPoint dropHighlight();
    void showSentence(cc::UIWidget* word, const std::string& key);
    void removeSentenceLabel();
    void setPlayImage(const char* file);
    void startNarrationTick(float delay);
    int wordIndexOf(cc::UIWidget* word) const;
    bool ownsWidget(cc::UIWidget* widget) const;

    typename Variant::Fields m_f;

    cc::CCMenuItemImage* m_previousItem = nullptr; // the menu's children
    cc::CCMenuItemImage* m_playItem = nullptr;
    cc::CCMenuItemImage* m_nextItem = nullptr;
    cc::CCMenuItemFont* m_returnItem = nullptr;
    cc::CCMenuItemFont* m_settingsItem = nullptr;
    cc::CCLabelTTF* m_hintLabel = nullptr;      // a child of this layer
    cc::UIButton* m_bubble = nullptr;           // a child of the page root
    cc::CCLabelTTF* m_sentenceLabel = nullptr;  // the label this page shows, if any
    std::unordered_map<cc::UIWidget*, WordInfo> m_words; // bound word buttons
    // A swipe is judged only for a touch whose touch-down this page saw.
    bool m_touchDownSeen = false;
    int m_touchDownId = -1;
    // Set once this page asked for another scene; later requests do nothing.
    bool m_leaving = false;
};

struct FirstPageVariant {
    using Fields = FirstPageFields;
    static constexpr const char* kSceneName = "Scene 1";
    static constexpr bool kUiLayerFirst = false;
    static constexpr int kHintZ = 10000;
    static constexpr int kMenuZ = 3;
    static constexpr bool kWritesBuildLines = true;
};

struct SecondPageVariant {
    using Fields = SecondPageFields;
    static constexpr const char* kSceneName = "Scene 2";
    static constexpr bool kUiLayerFirst = true;
    static constexpr int kHintZ = 1000;
    static constexpr int kMenuZ = 1;
    static constexpr bool kWritesBuildLines = false;
};

extern template class PageLayer<FirstPageVariant>;
extern template class PageLayer<SecondPageVariant>;

} // namespace quibo
