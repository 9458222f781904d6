// The push button: three textures (normal, pressed, disabled), plain or
// nine-slice, switched by the widget base's look hooks, with a text title
// drawn above them. Touch handling is entirely the widget base's.
#pragma once

#include "gui/UIWidget.h"

#include <string>

namespace cc {

class CCLabelTTF;
class CCNode;

class UIButton : public UIWidget {
public:
    static UIButton* create();
    UIButton();

    // ---- Overrides of the widget base, in its slot order
    ~UIButton() override;
    // Also re-centres the title for the current size.
    void setAnchorPoint(const CCPoint& anchor) override;
    void setFlipX(bool flipX) override;
    bool isFlipX() override;
    void setFlipY(bool flipY) override;
    bool isFlipY() override;
    // Tints the textures; the title keeps its own colour.
    void setColor(const ccColor3B& color) override;
    // Refused (true asked) while nine-slice mode is on: such a button is
    // always sized by its custom size.
    void setIgnoreSize(bool ignore) override;
    // The renderer of the look shown now; null while no look is set.
    CCNode* getRenderNode() override;
    const CCSize& getContentSize() override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    void createRenderNode() override;
    void onNormalState() override;
    void onPressedState() override;
    void onDisabledState() override;

    // Nine-slice textures instead of plain sprites; reloads all three.
    virtual void setScale9Enabled(bool enabled);

    // ---- Textures. An empty name leaves that state as it was.
    void loadTextures(const char* normal, const char* pressed, const char* disabled,
                      TextureResType kind = UI_TEX_TYPE_LOCAL);
    void loadNormalTexture(const char* name, TextureResType kind = UI_TEX_TYPE_LOCAL);
    void loadPressedTexture(const char* name, TextureResType kind = UI_TEX_TYPE_LOCAL);
    void loadDisabledTexture(const char* name, TextureResType kind = UI_TEX_TYPE_LOCAL);
    // The same insets for all three states; kept for later in plain mode.
    void setCapInsets(const CCRect& capInsets);
    // Textures grow a little while pressed (off unless a program turns it on).
    void setPressedActionEnabled(bool enabled) { m_pressedZoom = enabled; }
    bool isPressedActionEnabled() const { return m_pressedZoom; }

    // ---- Title
    void setTitleText(const char* text);
    const char* getTitleText() const;
    void setTitleColor(const ccColor3B& color);
    const ccColor3B& getTitleColor() const { return m_titleColor; }
    void setTitleFontSize(float size);
    float getTitleFontSize() const;
    void setTitleFontName(const char* name);
    const char* getTitleFontName() const;

    // ---- Read-back for tests, tools and the layout writer
    bool isScale9Enabled() const { return m_scale9; }
    CCNode* getNormalRenderer() const { return m_states[kNormal].renderer; }
    CCNode* getPressedRenderer() const { return m_states[kPressed].renderer; }
    CCNode* getDisabledRenderer() const { return m_states[kDisabled].renderer; }
    CCLabelTTF* getTitleRenderer() const { return m_titleRenderer; }
    const std::string& getNormalFileName() const { return m_states[kNormal].fileName; }
    const std::string& getPressedFileName() const { return m_states[kPressed].fileName; }
    const std::string& getDisabledFileName() const { return m_states[kDisabled].fileName; }
    TextureResType getNormalTextureKind() const { return m_states[kNormal].kind; }
    TextureResType getPressedTextureKind() const { return m_states[kPressed].kind; }
    TextureResType getDisabledTextureKind() const { return m_states[kDisabled].kind; }
    const CCSize& getNormalTextureSize() const { return m_states[kNormal].textureSize; }
    const CCSize& getPressedTextureSize() const { return m_states[kPressed].textureSize; }
    const CCSize& getDisabledTextureSize() const { return m_states[kDisabled].textureSize; }
    const CCRect& getNormalCapInsets() const { return m_states[kNormal].capInsets; }
    bool getPreviousIgnoreSize() const { return m_prevIgnoreSize; }

private:
    enum State { kNormal = 0, kPressed = 1, kDisabled = 2, kStateCount = 3 };
    // Everything one look needs: its renderer (owned by the render node) and
    // what was last loaded into it.
    struct StateTexture {
        CCNode* renderer = nullptr;
        std::string fileName;
        CCRect capInsets;
        TextureResType kind = UI_TEX_TYPE_LOCAL;
        CCSize textureSize;
    };

    void loadStateTexture(State state, const char* name, TextureResType kind);
    void fitState(State state);
    void showOnly(State state);
    void zoomTextures(float scale);

    StateTexture m_states[kStateCount];
    CCLabelTTF* m_titleRenderer = nullptr; // owned by the render node
    bool m_prevIgnoreSize = true;
    bool m_scale9 = false;
    bool m_pressedZoom = false;
    ccColor3B m_titleColor = ccWHITE;
};

} // namespace cc
