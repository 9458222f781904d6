// Layout: the container widget. Children keep their absolute positions; the
// container adds a clipping rectangle (for drawing and touching), a colour or
// gradient background and an optional plain or nine-slice background image.
#pragma once

#include <string>

#include "gui/UIWidget.h"

namespace cc {

class CCLayerColor;
class CCLayerGradient;

enum LayoutBackGroundColorType {
    LAYOUT_COLOR_NONE = 0,
    LAYOUT_COLOR_SOLID = 1,
    LAYOUT_COLOR_GRADIENT = 2,
};

enum LayoutType {
    LAYOUT_ABSOLUTE = 0,
};

class Layout : public UIWidget {
public:
    Layout();
    static Layout* create();

    // --- overrides of the widget base ---
    ~Layout() override;
    void setColor(const ccColor3B& color) override;
    void setOpacity(GLubyte opacity) override;
    bool hitTest(const CCPoint& worldPoint) override;
    const CCSize& getContentSize() override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    bool init() override;
    void createRenderNode() override;

    // --- appended virtual operations, in this order ---
    virtual void setClippingEnabled(bool enabled);
    virtual bool isClippingEnabled();
    virtual void setLayoutType(int type);
    virtual int getLayoutType();
    // Absolute layout: children stay where they were put.
    virtual void doLayout();
    // Same as setClippingEnabled; the layout reader's entry for "clipAble".
    virtual void setClippingEnable(bool enabled);

    // --- backgrounds ---
    void setBackGroundImageScale9Enabled(bool enabled);
    bool isBackGroundImageScale9Enabled() const { return m_bBackGroundScale9Enabled; }
    void setBackGroundImage(const char* fileName, TextureResType texType = UI_TEX_TYPE_LOCAL);
    void setBackGroundImageCapInsets(const CCRect& capInsets);
    const CCRect& getBackGroundImageCapInsets() const { return m_backGroundImageCapInsets; }
    void setBackGroundColorType(int type);
    int getBackGroundColorType() const { return m_colorType; }
    void setBackGroundColor(const ccColor3B& color);
    void setBackGroundColor(const ccColor3B& startColor, const ccColor3B& endColor);
    void setBackGroundColorOpacity(int opacity);
    void setBackGroundColorVector(const CCPoint& vector);
    CCNode* getBackGroundImage() const { return m_pBackGroundImage; }
    CCLayerColor* getColorLayer() const { return m_pColorLayer; }
    CCLayerGradient* getGradientLayer() const { return m_pGradientLayer; }
    const CCSize& getBackGroundImageTextureSize() const { return m_backGroundImageTextureSize; }

protected:
    // A fresh, empty background image node of the current kind, under the render node at z -1.
    void addBackGroundImageNode();
    void removeColorLayers(int oldType);

    bool m_bClippingEnabled = false;
    bool m_bBackGroundScale9Enabled = false;
    CCNode* m_pBackGroundImage = nullptr; // a child of the render node
    std::string m_strBackGroundImageFileName;
    CCRect m_backGroundImageCapInsets;
    int m_colorType = LAYOUT_COLOR_NONE;
    TextureResType m_eBGImageTexType = UI_TEX_TYPE_LOCAL;
    CCLayerColor* m_pColorLayer = nullptr;       // a child of the render node
    CCLayerGradient* m_pGradientLayer = nullptr; // a child of the render node
    ccColor3B m_cColor = {255, 255, 255};
    ccColor3B m_gStartColor = {255, 255, 255};
    ccColor3B m_gEndColor = {255, 255, 255};
    CCPoint m_alongVector = CCPoint(0, -1);
    int m_nCOpacity = 255;
    CCSize m_backGroundImageTextureSize;
    int m_nLayoutType = LAYOUT_ABSOLUTE;
};

} // namespace cc
