// UIWidget: the reference-counted base of every screen element built from a
// layout file. It owns one render node and a z-ordered tree of child widgets
// kept in parallel with the render nodes; touch routing lives in WidgetTouchRouter.
#pragma once

#include <string>

#include "base/CCArray.h"
#include "base/CCGeometry.h"
#include "base/CCObject.h"
#include "base/CCRefPtr.h"
#include "base/ccTypes.h"
#include "scene/CCTouchPhase.h"

namespace cc {

class CCNode;
class CCActionManager;
class CCScheduler;

class UIWidget;

enum LookStyle {
    LOOK_STYLE_NONE = -1,
    LOOK_STYLE_NORMAL = 0,
    LOOK_STYLE_HIGHLIGHT = 1,
};

enum WidgetType {
    WidgetTypeWidget = 0,
    WidgetTypeContainer = 1,
};

// How an image name is resolved: a file on disk or a frame of the sprite frame cache.
enum TextureResType : int { // a fixed type: layout files may carry any other number
    UI_TEX_TYPE_LOCAL = 0,
    UI_TEX_TYPE_PLIST = 1,
};

// Called on the listener target with (sender widget, phase).
typedef void (CCObject::*TouchEventSelector)(CCObject* sender, TouchPhase phase);
#define toucheventselector(_SELECTOR) static_cast<cc::TouchEventSelector>(&_SELECTOR)

class UIWidget : public CCObject {
public:
    UIWidget();
    static UIWidget* create();

    // --- virtual operations, in this order (subclasses append after releaseResources) ---
    ~UIWidget() override;
    virtual void setEnabled(bool enabled);
    virtual void setTouchEnabled(bool enabled);
    virtual bool addChild(UIWidget* child);
    virtual bool removeChild(UIWidget* child);
    virtual void removeFromParent();
    virtual void removeAllChildren();
    virtual void reorderChild(UIWidget* child);
    virtual CCArray* getChildren();
    virtual void setAnchorPoint(const CCPoint& anchor);
    virtual void setScale(float scale);
    virtual void setScaleX(float scaleX);
    virtual void setScaleY(float scaleY);
    virtual void setFlipX(bool flipX);
    virtual bool isFlipX();
    virtual void setFlipY(bool flipY);
    virtual bool isFlipY();
    virtual void setColor(const ccColor3B& color);
    virtual const ccColor3B& getColor();
    virtual void setOpacity(GLubyte opacity);
    virtual GLubyte getOpacity();
    virtual bool isCascadeOpacityEnabled();
    virtual void setCascadeOpacityEnabled(bool enabled);
    virtual bool isCascadeColorEnabled();
    virtual void setCascadeColorEnabled(bool enabled);
    virtual void setActionManager(CCActionManager* manager);
    virtual CCActionManager* getActionManager();
    // A descendant reports a touch phase (began, moved or ended).
    virtual void interceptChildTouch(TouchPhase phase, UIWidget* sender, const CCPoint& point);
    virtual void setSize(const CCSize& size);
    virtual void setSizeFraction(const CCPoint& fraction);
    virtual bool hitTest(const CCPoint& worldPoint);
    virtual void onTouchBegan(const CCPoint& worldPoint);
    virtual void onTouchMoved(const CCPoint& worldPoint);
    virtual void onTouchEnded(const CCPoint& worldPoint);
    virtual void onTouchCancelled(const CCPoint& worldPoint);
    virtual void setIgnoreSize(bool ignore);
    virtual CCNode* getRenderNode();
    // The node the widget itself owns and places (position, scale, colour);
    // getRenderNode may answer with content inside it (a button's current look).
    CCNode* getOwnRenderNode() const { return m_pRenderNode.get(); }
    virtual const CCSize& getContentSize();
    virtual const char* getTypeName();
    virtual void onEnter();
    virtual void onExit();
    virtual void onSizeChanged();
    virtual bool init();
    virtual void createRenderNode();
    virtual void onNormalState();
    virtual void onPressedState();
    virtual void onDisabledState();
    virtual void releaseResources();

    // --- plain operations ---
    void setTouchListener(CCObject* target, TouchEventSelector selector);
    void setVisible(bool visible);
    bool isVisible() const { return m_bVisible; }
    bool isEnabled() const { return m_bEnabled; }
    bool isTouchEnabled() const { return m_bTouchEnabled; }
    bool isFocused() const { return m_bFocused; }
    void setFocused(bool focused);
    void setZOrder(int zOrder);
    int getZOrder() const { return m_nZOrder; }
    void setPosition(const CCPoint& position);
    const CCPoint& getPosition();
    const CCPoint& getAnchorPoint() const { return m_anchorPoint; }
    float getScaleX();
    float getScaleY();
    void setTag(int tag) { m_nTag = tag; }
    int getTag() const { return m_nTag; }
    void setName(const char* name) { m_strName = name ? name : ""; }
    const char* getName() const { return m_strName.c_str(); }
    void setActionTag(int tag) { m_nActionTag = tag; }
    int getActionTag() const { return m_nActionTag; }
    const CCSize& getSize() const { return m_size; }
    const CCSize& getCustomSize() const { return m_customSize; }
    const CCPoint& getSizeFraction() const { return m_sizeFraction; }
    bool isIgnoreSize() const { return m_bIgnoreSize; }
    UIWidget* getParent() const { return m_pParent; }
    WidgetType getWidgetType() const { return m_widgetType; }
    LookStyle getLookStyle() const { return m_lookStyle; }
    // false: touch phases show the disabled look instead of normal/pressed.
    void setLookActive(bool active) { m_bLookActive = active; }
    bool isLookActive() const { return m_bLookActive; }
    bool isRunning() const { return m_bRunning; }
    bool isUpdateEnabled() const { return m_bUpdateEnabled; }
    bool isAffectedByClipping() const { return m_bAffectedByClipping; }
    const CCPoint& getTouchStartPos() const { return m_touchStartPos; }
    const CCPoint& getTouchMovePos() const { return m_touchMovePos; }
    const CCPoint& getTouchEndPos() const { return m_touchEndPos; }
    // The widget's own rectangle in its render node's space: a container's
    // starts at the node's origin, a leaf's is placed around it by the anchor.
    // Tools and culling measure a widget by it.
    CCRect getWidgetRect() const;
    float getLeftEdge();
    float getBottomEdge();
    float getRightEdge();
    float getTopEdge();
    bool clippingParentContains(const CCPoint& worldPoint);

    // Per-frame update through the director's scheduler (priority 0, not paused).
    void setUpdateEnabled(bool enabled);

protected:
    // Fires the listener, if both target and selector are set.
    void notifyListener(TouchPhase phase);
    // Inserts into m_children keeping ascending zOrder, equal ones in insertion order.
    void insertByZOrder(UIWidget* child);
    // Drops this widget and its whole subtree from per-frame update.
    void unscheduleSubtree();

    bool m_bEnabled = true;
    bool m_bVisible = true;
    bool m_bLookActive = true;
    bool m_bTouchEnabled = false;
    bool m_bFocused = false;
    int m_nZOrder = 0;
    CCPoint m_anchorPoint = CCPoint(0.5f, 0.5f);
    // Not retained: the parent holds its children, and clears this when it
    // removes one (it removes them all when it lets go of its resources).
    UIWidget* m_pParent = nullptr;
    LookStyle m_lookStyle = LOOK_STYLE_NONE;
    bool m_bUpdateEnabled = false;
    CCRefPtr<CCNode> m_pRenderNode;
    CCPoint m_touchStartPos;
    CCPoint m_touchMovePos;
    CCPoint m_touchEndPos;
    // Not retained (a listener's target never is): the target is the screen
    // holding the layer this widget shows in, and touches reach the widget
    // only while that layer is on the stage.
    CCObject* m_pListenerTarget = nullptr;
    TouchEventSelector m_pListenerSelector = nullptr;
    int m_nTag = -1;
    std::string m_strName = "default";
    WidgetType m_widgetType = WidgetTypeWidget;
    int m_nActionTag = 0;
    CCSize m_size;
    CCSize m_customSize;
    bool m_bIgnoreSize = false;
    CCRefPtr<CCArray> m_children;
    bool m_bAffectedByClipping = false;
    CCRefPtr<CCScheduler> m_pScheduler;
    CCPoint m_sizeFraction;
    bool m_bRunning = false;
};

} // namespace cc
