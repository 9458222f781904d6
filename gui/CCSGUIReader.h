// CCSGUIReader: turns one layout file into a widget tree. It loads the file's
// sprite sheets through the widget lookup service, builds the widgets depth
// first with each node's options applied before its children, and hands the
// animation section to the ActionManager. The widgets' own behaviour is theirs.
#pragma once

#include <string>
#include <vector>

#include <json/value.h>

#include "base/CCObject.h"
#include "gui/UIWidget.h"
#include "platform/BookFileLimits.h"

namespace cc {

class JsonFieldReader;
class Layout;
class UIButton;

class CCSGUIReader : public CCObject {
public:
    // The one reader of the process, made on first use.
    static CCSGUIReader* shareReader();
    // Destroys the shared field reader, then the shared reader and the lookup
    // service; the next use makes fresh ones. Animations are purged apart.
    static void purgeCCSGUIReader();
    ~CCSGUIReader() override;

    // The root widget (autoreleased, not added anywhere), or null after one
    // diagnostic line when the file cannot be read or yields no container.
    UIWidget* readLayoutFile(const char* path);
    // One widget node and, recursively, its children; null for a node whose
    // class name is not a known widget kind (its children are not built).
    UIWidget* buildWidget(const Json::Value* node);

    // The option groups, each in the order the format lists its keys.
    void setPropsForWidgetFromJsonDictionary(UIWidget* widget, const Json::Value* options);
    void setColorPropsForWidgetFromJsonDictionary(UIWidget* widget, const Json::Value* options);
    void setPropsForButtonFromJsonDictionary(UIWidget* widget, const Json::Value* options);
    void setPropsForTextButtonFromJsonDictionary(UIWidget* widget, const Json::Value* options);
    void setPropsForImageViewFromJsonDictionary(UIWidget* widget, const Json::Value* options);
    void setPropsForLabelFromJsonDictionary(UIWidget* widget, const Json::Value* options);
    void setPropsForTextAreaFromJsonDictionary(UIWidget* widget, const Json::Value* options);
    void setPropsForLabelAtlasFromJsonDictionary(UIWidget* widget, const Json::Value* options);
    void setPropsForLabelBMFontFromJsonDictionary(UIWidget* widget, const Json::Value* options);
    // The container group; clipAble is read only for containers that clip.
    void setPropsForPanelFromJsonDictionary(UIWidget* widget, const Json::Value* options, bool readsClip = true);
    // The scrolling containers (ReaderOptionsScrolling.cpp).
    void setPropsForScrollViewFromJsonDictionary(UIWidget* widget, const Json::Value* options);
    void setPropsForDragPanelFromJsonDictionary(UIWidget* widget, const Json::Value* options);
    void setPropsForPageViewFromJsonDictionary(UIWidget* widget, const Json::Value* options);
    // The value and input widgets (ReaderOptionsValueWidgets.cpp).
    void setPropsForCheckBoxFromJsonDictionary(UIWidget* widget, const Json::Value* options);
    void setPropsForSliderFromJsonDictionary(UIWidget* widget, const Json::Value* options);
    void setPropsForLoadingBarFromJsonDictionary(UIWidget* widget, const Json::Value* options);
    void setPropsForTextFieldFromJsonDictionary(UIWidget* widget, const Json::Value* options);

    // "a.b.c.d" as a*1000 + b*100 + c*10 + d; 0 for a string of 6 characters
    // or fewer. Missing parts and parts that are not numbers count 0.
    static int versionNumber(const char* version);
    // Whether a file of this version names pictures by plain strings (and
    // "useMergedTexture") instead of data objects with a resource type.
    static bool namesPicturesPlainly(const char* version);

    // Inspection of the last read, for tools and tests.
    const std::string& getFileDirectory() const { return m_fileDirectory; }
    bool usesPlainNames() const { return m_plainNames; }
    // The sprite-sheet files the last read asked the lookup service for.
    const std::vector<std::string>& getSpriteSheetsOfLastRead() const { return m_sheetsOfLastRead; }

    // Bounds that keep a hostile file from costing unbounded time or memory.
    // Editor pages are tens of kilobytes; parsed, each byte can cost ~50 in values.
    static constexpr long kMaxLayoutBytes = kMaxLayoutFileBytes;
    static constexpr int kParserStackLimit = static_cast<int>(kMaxLayoutNesting);

private:
    CCSGUIReader();

    // Resolves one image option by the file's generation: false when nothing
    // is to be loaded for the slot, else the name and how to look it up.
    bool imageReference(const Json::Value* options, const char* plainKey, const char* dataKey, bool merged,
                        std::string& name, TextureResType& kind) const;
    // The number member as a float, clamped to the float range.
    float numberOption(const Json::Value* options, const char* key, double def = 0.0) const;
    // "capInsetsX", "capInsetsY", "capInsetsWidth", "capInsetsHeight".
    CCRect capInsetsOption(const Json::Value* options) const;
    void loadButtonTextures(UIButton* button, const Json::Value* options);
    void applyBackGround(Layout* layout, const Json::Value* options);
    UIWidget* createWidget(const char* className, const Json::Value* options);
    UIWidget* readDocument(const char* path, const std::string& fullPath, std::string& text);

    JsonFieldReader* fields() const;

    std::string m_fileDirectory;
    bool m_plainNames = false;
    std::vector<std::string> m_sheetsOfLastRead;
};

} // namespace cc
