// The image view: one texture shown as a plain sprite or as a nine-slice
// sprite, fitted to the widget's size. Loading and fitting are the shared
// texture helper's (TextureLoad); touches are the widget base's.
#pragma once

#include "gui/UIWidget.h"

#include <string>

namespace cc {

class CCNode;

class UIImageView : public UIWidget {
public:
    static UIImageView* create();
    UIImageView();

    // ---- Overrides of the widget base, in its slot order
    ~UIImageView() override;
    void setAnchorPoint(const CCPoint& anchor) override;
    // Plain mode mirrors the sprite; nine-slice mode is never mirrored.
    void setFlipX(bool flipX) override;
    bool isFlipX() override;
    void setFlipY(bool flipY) override;
    bool isFlipY() override;
    // Refused (true asked) while nine-slice mode is on.
    void setIgnoreSize(bool ignore) override;
    // The image renderer (the content node).
    CCNode* getRenderNode() override;
    // The texture size after the last load.
    const CCSize& getContentSize() override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    void createRenderNode() override;

    // ---- Texture. An empty name leaves the view as it was.
    void loadTexture(const char* name, TextureResType kind = UI_TEX_TYPE_LOCAL);
    // Swaps the renderer for a nine-slice (or plain) one and reloads the texture.
    void setScale9Enabled(bool enabled);
    // Kept in plain mode, applied once nine-slice mode is on.
    void setCapInsets(const CCRect& capInsets);

    // ---- Inspection
    bool isScale9Enabled() const { return m_scale9; }
    const CCRect& getCapInsets() const { return m_capInsets; }
    CCNode* getImageRenderer() const { return m_imageRenderer; }
    const std::string& getTextureFile() const { return m_textureFile; }
    TextureResType getTextureKind() const { return m_textureKind; }
    const CCSize& getTextureSize() const { return m_textureSize; }
    bool getPreviousIgnoreSize() const { return m_prevIgnoreSize; }

private:
    void fitRenderer();

    bool m_scale9 = false;
    bool m_prevIgnoreSize = true;
    CCRect m_capInsets;
    CCNode* m_imageRenderer = nullptr; // owned by the render node
    std::string m_textureFile;
    TextureResType m_textureKind = UI_TEX_TYPE_LOCAL;
    CCSize m_textureSize;
};

} // namespace cc
