// WidgetLookup: the process-wide service that finds widgets in a tree by name
// or action tag and loads each sprite-sheet property list only once.
// Building trees from files is the layout reader's.
#pragma once

#include "base/CCObject.h"
#include "base/CCRefPtr.h"

namespace cc {

class CCArray;
class UIWidget;

class WidgetLookup : public CCObject {
public:
    static WidgetLookup* shareWidgetLookup();
    // Destroys the shared instance; the next use makes a fresh one.
    static void purgeWidgetLookup();
    ~WidgetLookup() override;

    // Depth-first pre-order, children in child-array order; the first match wins.
    UIWidget* findWidgetByName(UIWidget* root, const char* name);
    UIWidget* findWidgetByActionTag(UIWidget* root, int actionTag);
    // Adds the property list's frames to the shared sprite frame cache, once per name.
    void loadSpriteSheet(const char* plistFile);
    bool isSpriteSheetLoaded(const char* plistFile) const;

    void setFileDesignSize(float width, float height);
    float getFileDesignWidth() const { return m_fileDesignWidth; }
    float getFileDesignHeight() const { return m_fileDesignHeight; }

private:
    WidgetLookup();

    float m_fileDesignWidth = 0;
    float m_fileDesignHeight = 0;
    CCRefPtr<CCArray> m_pLoadedSpriteSheets; // CCString names
};

} // namespace cc
