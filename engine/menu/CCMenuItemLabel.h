// Items whose visual is a single node with a colour: any node offering the
// colour interface (a label, a colour layer, ...). The item forwards its
// colour to that node and shows a disabled colour while disabled; the font
// item makes a TrueType label from default font settings.
#pragma once

#include "menu/CCMenuItem.h"

#include <string>

namespace cc {

class CCMenuItemLabel : public CCMenuItem {
public:
    static CCMenuItemLabel* create(CCNode* label);
    static CCMenuItemLabel* create(CCNode* label, CCObject* target, SEL_MenuHandler selector);
    bool initWithLabel(CCNode* label, CCObject* target, SEL_MenuHandler selector);

    // Replaces the visual; the item takes its content size.
    void setLabel(CCNode* label);
    CCNode* getLabel() const { return m_pLabel; }
    // Sets the caption when the visual is a label.
    void setString(const char* text);

    // Reach the visual through its colour interface.
    void setColor(const ccColor3B& color) override;
    void setOpacity(GLubyte opacity) override;
    void setDisabledColor(const ccColor3B& color);
    const ccColor3B& getDisabledColor() const { return m_tDisabledColor; }

    void setEnabled(bool enabled) override;
    // Selection grows the visual a little; activation puts it back.
    void selected() override;
    void unselected() override;
    void activate() override;

    static constexpr float kZoomFactor = 1.2f;
    static constexpr float kZoomSeconds = 0.1f;

protected:
    void applyColor();

    CCNode* m_pLabel = nullptr; // a child of the item
    ccColor3B m_tColorBackup = ccWHITE;
    ccColor3B m_tDisabledColor = {126, 126, 126};
    float m_fOriginalScale = 1.0f;
};

// A text item: a CCLabelTTF in the default font name and size current when
// the item is made; changing the defaults affects only later items.
class CCMenuItemFont : public CCMenuItemLabel {
public:
    static CCMenuItemFont* create(const char* text);
    static CCMenuItemFont* create(const char* text, CCObject* target, SEL_MenuHandler selector);
    bool initWithString(const char* text, CCObject* target, SEL_MenuHandler selector);

    static void setFontSize(unsigned int size);
    static unsigned int fontSize();
    static void setFontName(const char* name);
    static const char* fontName();

    // This item's own font.
    void setFontSizeObj(unsigned int size);
    unsigned int fontSizeObj() const { return m_uFontSize; }
    void setFontNameObj(const char* name);
    const char* fontNameObj() const { return m_strFontName.c_str(); }

    static constexpr unsigned int kDefaultFontSize = 32;
    static constexpr const char* kDefaultFontName = "Arial";

private:
    void recreateLabel();

    unsigned int m_uFontSize = kDefaultFontSize;
    std::string m_strFontName = kDefaultFontName;
};

} // namespace cc
