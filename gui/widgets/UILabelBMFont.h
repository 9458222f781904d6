// The bitmap-font label: text drawn with a bitmap font, fitted to the widget's
// size. Until a font file is loaded it has no text: text given earlier is dropped.
#pragma once

#include "gui/UIWidget.h"

namespace cc {

class CCLabelBMFont;

class UILabelBMFont : public UIWidget {
public:
    static UILabelBMFont* create();
    UILabelBMFont();

    // ---- Overrides of the widget base, in its slot order
    ~UILabelBMFont() override;
    void setAnchorPoint(const CCPoint& anchor) override;
    // The label renderer (the content node).
    CCNode* getRenderNode() override;
    const CCSize& getContentSize() override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    void createRenderNode() override;

    // Null or empty is ignored. Resets the label to an empty string in that
    // font (automatic width, left aligned); a font that cannot load leaves an
    // empty label but still counts as set.
    void setFontFile(const char* fileName);
    bool isFontFileSet() const { return m_fontFileSet; }
    // Dropped while no font file is set.
    void setText(const char* text);
    const char* getStringValue() const;

    CCLabelBMFont* getLabelRenderer() const { return m_labelRenderer; }

private:
    void fitLabel();

    CCLabelBMFont* m_labelRenderer = nullptr; // owned by the render node
    bool m_fontFileSet = false;
};

} // namespace cc
