// The loading bar: one texture, plain or nine-slice, whose visible length
// shows a percent, filling from the left or from the right edge. Loading and
// fitting go through the shared texture helper (TextureLoad).
#pragma once

#include "gui/UIWidget.h"

#include <string>

namespace cc {

// The side the bar fills from. Other values can be stored and do nothing.
enum LoadingBarDirection : int {
    LoadingBarTypeLeft = 0,
    LoadingBarTypeRight = 1,
};

class UILoadingBar : public UIWidget {
public:
    static UILoadingBar* create();
    UILoadingBar();

    // ---- Overrides of the widget base, in its slot order
    ~UILoadingBar() override;
    // Refused (true asked) while nine-slice mode is on.
    void setIgnoreSize(bool ignore) override;
    // The bar renderer.
    CCNode* getRenderNode() override;
    // The bar texture's size (not the cropped part's).
    const CCSize& getContentSize() override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    void createRenderNode() override;

    // ---- Texture. An empty name leaves the bar as it was.
    void loadTexture(const char* name, TextureResType kind = UI_TEX_TYPE_LOCAL);
    // Swaps the renderer for a nine-slice (or plain) one and reloads the texture.
    void setScale9Enabled(bool enabled);
    // Kept in plain mode, applied once nine-slice mode is on.
    void setCapInsets(const CCRect& capInsets);
    void setDirection(LoadingBarDirection direction);
    LoadingBarDirection getDirection() const { return m_direction; }

    // ---- Value: a value outside 0..100 is ignored, and so is any value
    // while the bar has no length yet.
    void setPercent(int percent);
    int getPercent() const { return m_percent; }

    // ---- Inspection
    bool isScale9Enabled() const { return m_scale9; }
    float getTotalLength() const { return m_totalLength; }
    CCNode* getBarRenderer() const { return m_barRenderer; }
    TextureResType getTextureKind() const { return m_textureKind; }
    const CCRect& getCapInsets() const { return m_capInsets; }
    const std::string& getTextureFile() const { return m_textureFile; }

private:
    void fitBar();
    // Anchor, position and mirror for the direction.
    void applyDirection(bool placeToo);

    LoadingBarDirection m_direction = LoadingBarTypeLeft;
    int m_percent = 100;
    float m_totalLength = 0;
    CCNode* m_barRenderer = nullptr; // owned by the render node
    TextureResType m_textureKind = UI_TEX_TYPE_LOCAL;
    CCSize m_barTextureSize;
    bool m_scale9 = false;
    bool m_prevIgnoreSize = true;
    CCRect m_capInsets;
    std::string m_textureFile;
};

} // namespace cc
