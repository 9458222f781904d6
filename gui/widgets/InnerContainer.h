// The inner container shared by the scroll view and the drag panel: the
// Layout that really holds their children and is moved to scroll, and the
// base class that routes adding, listing and removing children through it
// and keeps it at least as large as the view. How it moves is the subclass's.
#pragma once

#include <vector>

#include "gui/Layout.h"
#include "gui/widgets/UIScrollInterface.h"

namespace cc {

// The moving content. While its view clips, a frame draws only the children
// whose drawing meets the view, so long content stays cheap. A child's
// drawing is its whole subtree: its widget rectangle and every visible node
// below it, turned, scaled and placed as drawn.
class InnerContainer : public Layout {
public:
    static InnerContainer* create();
    const char* getTypeName() override;
    void createRenderNode() override;

    // The children whose drawing meets rect (or, with meeting false, misses
    // it), rect given in this container's space.
    void childrenMeeting(const CCRect& rect, std::vector<UIWidget*>& out, bool meeting = true);
    // Children hidden for the frame being drawn; put back right after it.
    void hideChildrenOutside(const CCRect& rect);
    void showHiddenChildren();

    ~InnerContainer() override;

private:
    friend class InnerContainerNode;
    std::vector<UIWidget*> m_hiddenForFrame; // each still a child, so held by m_children
};

// Base of the scroll view and the drag panel.
class InnerContainerLayout : public Layout, public UIScrollInterface {
public:
    ~InnerContainerLayout() override;

    bool addChild(UIWidget* child) override;
    bool removeChild(UIWidget* child) override;
    void removeAllChildren() override;
    CCArray* getChildren() override;
    // Touches of descendants are the container's to scroll with; they go no higher.
    void interceptChildTouch(TouchPhase phase, UIWidget* sender, const CCPoint& point) override;
    void onTouchBegan(const CCPoint& worldPoint) override;
    void onTouchMoved(const CCPoint& worldPoint) override;
    void onTouchEnded(const CCPoint& worldPoint) override;
    void createRenderNode() override;
    void releaseResources() override;
    void setLayoutType(int type) override;
    int getLayoutType() override;
    void doLayout() override;

    Layout* getInnerContainer() const { return m_pInnerContainer; }
    // At least the view's size; placed with its top edge at the view's top.
    void setInnerContainerSize(const CCSize& size);

protected:
    // Grows the inner container to cover the view, keeping it where it is.
    void growInnerContainerToView();
    void placeInnerContainerAtTop();
    // The touch point in the view's own space.
    CCPoint toViewSpace(const CCPoint& worldPoint);

    InnerContainer* m_pInnerContainer = nullptr; // one of m_children while resources live
};

} // namespace cc
