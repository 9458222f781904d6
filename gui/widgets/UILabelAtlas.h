// The character-map label: text drawn from a fixed-grid image through
// UICCLabelAtlas, fitted to the widget's size. It stays empty (and draws
// nothing) until its atlas properties were set with a loadable map.
#pragma once

#include "gui/UIWidget.h"
#include "text/CCLabelAtlas.h"

namespace cc {

// The engine's atlas label as the widget needs it: created empty without any
// initialisation, drawn only once it has a character map, and taking the
// opacity cascaded from its parent as its own.
class UICCLabelAtlas : public CCLabelAtlas {
public:
    // Default-constructed and autoreleased; initWithString gives it content.
    static UICCLabelAtlas* create();
    UICCLabelAtlas() = default;
    ~UICCLabelAtlas() override;

    void draw() override;
    void updateDisplayedOpacity(GLubyte opacity) override;
};

class UILabelAtlas : public UIWidget {
public:
    static UILabelAtlas* create();
    UILabelAtlas();

    // ---- Overrides of the widget base, in its slot order
    ~UILabelAtlas() override;
    void setAnchorPoint(const CCPoint& anchor) override;
    // The atlas renderer (the content node).
    CCNode* getRenderNode() override;
    const CCSize& getContentSize() override;
    // "LabelAtlase": the name layout files and tools know this kind by.
    const char* getTypeName() override;
    void onSizeChanged() override;
    void createRenderNode() override;

    // Text, character-map image, cell size in pixels and the character of the
    // map's first cell (the first byte of startChar). A missing map name, a
    // cell of no width or height, or a map that cannot load leaves it empty.
    void setAtlasProperties(const char* text, const char* charMapFile, int itemWidth, int itemHeight,
                            const char* startChar);
    // Only once the atlas properties were set.
    void setStringValue(const char* text);
    const char* getStringValue() const;

    UICCLabelAtlas* getAtlasRenderer() const { return m_atlasRenderer; }

private:
    void fitLabel();

    UICCLabelAtlas* m_atlasRenderer = nullptr; // owned by the render node
};

} // namespace cc
