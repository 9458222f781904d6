// UIPageView: a clipping container showing a horizontal row of pages one
// view wide; a released swipe snaps to the nearest page in 0.2 s and reports
// a page-turning event. Children added with addChild are not pages and stay put.
#pragma once

#include "gui/Layout.h"
#include "gui/widgets/UIScrollInterface.h"

namespace cc {

enum PageViewEventKind {
    PAGEVIEW_EVENT_TURNING = 0,
};

typedef void (CCObject::*SEL_PageViewEvent)(CCObject* sender, PageViewEventKind kind);
#define pagevieweventselector(_SELECTOR) static_cast<cc::SEL_PageViewEvent>(&_SELECTOR)

class UIPageView : public Layout, public UIScrollInterface {
public:
    UIPageView();
    static UIPageView* create();

    // --- overrides ---
    ~UIPageView() override;
    void update(float dt) override;
    bool addChild(UIWidget* child) override;
    bool removeChild(UIWidget* child) override;
    void removeAllChildren() override;
    void interceptChildTouch(TouchPhase phase, UIWidget* sender, const CCPoint& point) override;
    void onTouchBegan(const CCPoint& worldPoint) override;
    void onTouchMoved(const CCPoint& worldPoint) override;
    void onTouchEnded(const CCPoint& worldPoint) override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    bool init() override;
    void doLayout() override;
    void handlePress(const CCPoint& worldPoint) override;
    void handleMove(const CCPoint& worldPoint) override;
    void handleRelease(const CCPoint& worldPoint) override;
    void handleChildTouch(TouchPhase phase, UIWidget* sender, const CCPoint& worldPoint) override;

    // --- appended virtual operation ---
    // Moves every page by offset; false when a row end clamped the move or there is nothing to move.
    virtual bool scrollPages(float offset);

    // Enters page in the page list and as a child, sized to the view; false for
    // no page or one that is already a child.
    bool addPage(Layout* page);
    // Starts the snap to that page; out-of-range indexes are ignored.
    void scrollToPage(int index);
    int getCurPageIndex() const { return m_nCurPageIdx; }
    CCArray* getPages() const { return m_pages.get(); }
    bool isAutoScrolling() const { return m_bAutoScroll; }

    void setPageViewListener(CCObject* target, SEL_PageViewEvent selector);
    void setPageTurningListener(CCObject* target, SEL_CallFuncO selector);

    static constexpr float kSnapDuration = 0.2f;
    static constexpr float kChildFocusCancelDistance = 5.0f;

private:
    void layoutPages();
    void refreshEndPages();
    void movePagesBy(float offset);
    void reportTurning();

    int m_nCurPageIdx = 0;
    CCRefPtr<CCArray> m_pages; // retains its pages
    int m_nTouchMoveDir = 0;    // 0 left, 1 right
    float m_fTouchStart = 0;
    float m_fTouchEnd = 0;
    float m_fTouchMoveStart = 0;
    UIWidget* m_pLeftChild = nullptr;  // first page; held by m_pages
    UIWidget* m_pRightChild = nullptr; // last page; held by m_pages
    float m_fLeftBoundary = 0;
    float m_fRightBoundary = 0;
    bool m_bAutoScroll = false;
    float m_fAutoScrollDistance = 0;
    float m_fAutoScrollSpeed = 0;
    int m_nAutoScrollDir = 0; // 0 pages move left, 1 right
    float m_fChildFocusCancelDistance = kChildFocusCancelDistance;
    // Listeners' targets (the *Target members) are not retained: whoever sets
    // a listener keeps its target alive while this widget can call it.
    CCObject* m_pPageViewTarget = nullptr;
    SEL_PageViewEvent m_pPageViewSelector = nullptr;
    CCObject* m_pTurningTarget = nullptr;
    SEL_CallFuncO m_pTurningSelector = nullptr;
};

} // namespace cc
