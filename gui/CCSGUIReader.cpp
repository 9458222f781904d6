// Reading a layout file: the guarded hand-over of the text to jsoncpp, the
// file-level members (version, sprite sheets, design size, tree, animations)
// and the class table. The option groups live in ReaderOptions*.cpp.
#include "gui/CCSGUIReader.h"

#include <cfloat>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>

#include <json/reader.h>
#include <sys/stat.h>

#include "base/CCLog.h"
#include "gui/JsonFieldReader.h"
#include "gui/Layout.h"
#include "gui/WidgetLookup.h"
#include "gui/action/ActionManager.h"
#include "gui/widgets/UIButton.h"
#include "gui/widgets/UICheckBox.h"
#include "gui/widgets/UIDragPanel.h"
#include "gui/widgets/UIImageView.h"
#include "gui/widgets/UILabel.h"
#include "gui/widgets/UILabelAtlas.h"
#include "gui/widgets/UILabelBMFont.h"
#include "gui/widgets/UILoadingBar.h"
#include "gui/widgets/UIPageView.h"
#include "gui/widgets/UIScrollView.h"
#include "gui/widgets/UISlider.h"
#include "gui/widgets/UITextField.h"
#include "platform/CCFileUtils.h"
#include "render/CCImage.h"
#include "scene/CCDirector.h"

namespace cc {

namespace {
CCSGUIReader* s_sharedReader = nullptr;

// Files from before 0.2.5.0 name their images with plain strings.
const int kLastPlainNameVersion = 249;

// Saturating leading-decimal conversion of one version part: "12x" is 12,
// "x" is 0, and an endless run of digits cannot overflow.
int versionPart(const char*& p, const char* end)
{
    const int kPartCap = 1000000;
    int value = 0;
    while (p < end && *p >= '0' && *p <= '9') {
        if (value < kPartCap) value = value * 10 + (*p - '0');
        ++p;
    }
    while (p < end && *p != '.') ++p; // the rest of a part that is not a number
    if (p < end) ++p;                 // the dot
    return value > kPartCap ? kPartCap : value;
}

// One row of the class table: makes a widget of kind W and reads its option
// group with Read, passing any fixed arguments that group takes after the
// options. Null when the widget cannot be made.
template <class W, auto Read, auto... Fixed>
UIWidget* makeAndRead(CCSGUIReader* reader, const Json::Value* options)
{
    W* widget = W::create();
    if (widget) (reader->*Read)(widget, options, Fixed...);
    return widget;
}

void printReadError(const char* path)
{
    std::printf("read json file[%s] error!\n", path ? path : "");
    std::fflush(stdout);
}
} // namespace

CCSGUIReader* CCSGUIReader::shareReader()
{
    if (!s_sharedReader) s_sharedReader = new CCSGUIReader();
    return s_sharedReader;
}

void CCSGUIReader::purgeCCSGUIReader()
{
    JsonFieldReader::purgeReader();
    CC_SAFE_RELEASE_NULL(s_sharedReader);
    WidgetLookup::purgeWidgetLookup();
}

CCSGUIReader::CCSGUIReader()
{
    // A process-wide service like the engine caches, not a leak of a screen.
    excludeFromLiveCount();
}

CCSGUIReader::~CCSGUIReader() = default;

JsonFieldReader* CCSGUIReader::fields() const { return JsonFieldReader::shareReader(); }

bool CCSGUIReader::namesPicturesPlainly(const char* version)
{
    return !version || versionNumber(version) <= kLastPlainNameVersion;
}

int CCSGUIReader::versionNumber(const char* version)
{
    const size_t kMinLength = 7; // "0.0.0.0"
    if (!version) return 0;
    const size_t length = std::strlen(version);
    if (length < kMinLength) return 0;
    const char* p = version;
    const char* end = version + length;
    const int weights[4] = {1000, 100, 10, 1};
    long long number = 0;
    for (int weight : weights) number += static_cast<long long>(versionPart(p, end)) * weight;
    return number > 1000000000LL ? 1000000000 : static_cast<int>(number);
}

float CCSGUIReader::numberOption(const Json::Value* options, const char* key, double def) const
{
    const double d = fields()->getFloatValue(options, key, def);
    if (d > FLT_MAX) return FLT_MAX;
    if (d < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(d);
}

CCRect CCSGUIReader::capInsetsOption(const Json::Value* options) const
{
    return CCRect(numberOption(options, "capInsetsX"), numberOption(options, "capInsetsY"),
                  numberOption(options, "capInsetsWidth"), numberOption(options, "capInsetsHeight"));
}

bool CCSGUIReader::imageReference(const Json::Value* options, const char* plainKey, const char* dataKey, bool merged,
                                  std::string& name, TextureResType& kind) const
{
    JsonFieldReader* f = fields();
    if (m_plainNames) {
        const char* plain = f->getStringValue(options, plainKey);
        if (!plain || !*plain) return false;
        kind = merged ? UI_TEX_TYPE_PLIST : UI_TEX_TYPE_LOCAL;
        name = merged ? std::string(plain) : m_fileDirectory + plain;
        return true;
    }
    const Json::Value* data = f->getSubObject(options, dataKey);
    const char* path = f->getStringValue(data, "path");
    if (!path || !*path) return false;
    switch (f->getIntValue(data, "resourceType", 0)) {
    case UI_TEX_TYPE_LOCAL:
        kind = UI_TEX_TYPE_LOCAL;
        name = m_fileDirectory + path;
        return true;
    case UI_TEX_TYPE_PLIST:
        kind = UI_TEX_TYPE_PLIST;
        name = path;
        return true;
    default: return false;
    }
}

UIWidget* CCSGUIReader::createWidget(const char* className, const Json::Value* options)
{
    typedef UIWidget* (*Build)(CCSGUIReader* reader, const Json::Value* options);
    struct Kind {
        const char* className;
        Build build;
    };
    // The format's class table, in its order: the first equal name wins.
    static const Kind kKinds[] = {
        {"Button", &makeAndRead<UIButton, &CCSGUIReader::setPropsForButtonFromJsonDictionary>},
        {"CheckBox", &makeAndRead<UICheckBox, &CCSGUIReader::setPropsForCheckBoxFromJsonDictionary>},
        {"Label", &makeAndRead<UILabel, &CCSGUIReader::setPropsForLabelFromJsonDictionary>},
        {"LabelAtlas", &makeAndRead<UILabelAtlas, &CCSGUIReader::setPropsForLabelAtlasFromJsonDictionary>},
        {"LoadingBar", &makeAndRead<UILoadingBar, &CCSGUIReader::setPropsForLoadingBarFromJsonDictionary>},
        {"ScrollView", &makeAndRead<UIScrollView, &CCSGUIReader::setPropsForScrollViewFromJsonDictionary>},
        {"TextArea", &makeAndRead<UILabel, &CCSGUIReader::setPropsForTextAreaFromJsonDictionary>},
        {"TextButton", &makeAndRead<UIButton, &CCSGUIReader::setPropsForTextButtonFromJsonDictionary>},
        {"TextField", &makeAndRead<UITextField, &CCSGUIReader::setPropsForTextFieldFromJsonDictionary>},
        {"ImageView", &makeAndRead<UIImageView, &CCSGUIReader::setPropsForImageViewFromJsonDictionary>},
        // A plain panel reads "clipAble" (the scrolling containers do not).
        {"Panel", &makeAndRead<Layout, &CCSGUIReader::setPropsForPanelFromJsonDictionary, true>},
        {"Slider", &makeAndRead<UISlider, &CCSGUIReader::setPropsForSliderFromJsonDictionary>},
        {"PageView", &makeAndRead<UIPageView, &CCSGUIReader::setPropsForPageViewFromJsonDictionary>},
        {"LabelBMFont", &makeAndRead<UILabelBMFont, &CCSGUIReader::setPropsForLabelBMFontFromJsonDictionary>},
        {"DragPanel", &makeAndRead<UIDragPanel, &CCSGUIReader::setPropsForDragPanelFromJsonDictionary>},
    };
    if (!className) return nullptr;
    for (const Kind& kind : kKinds) {
        if (std::strcmp(kind.className, className) == 0) return kind.build(this, options);
    }
    return nullptr;
}

UIWidget* CCSGUIReader::buildWidget(const Json::Value* node)
{
    JsonFieldReader* f = fields();
    UIWidget* widget = createWidget(f->getStringValue(node, "classname"), f->getSubObject(node, "options"));
    if (!widget) return nullptr;
    const int count = f->getArrayCount(node, "children");
    for (int i = 0; i < count; ++i) {
        const Json::Value* childNode = f->getArrayElement(node, "children", i);
        if (!childNode) break; // "children" is not an array: nothing to build
        if (UIWidget* child = buildWidget(childNode)) widget->addChild(child);
    }
    return widget;
}

UIWidget* CCSGUIReader::readLayoutFile(const char* path)
{
    m_plainNames = false;
    m_sheetsOfLastRead.clear();
    if (!path || !*path) {
        printReadError(path);
        return nullptr;
    }
    const std::string fullPath = CCFileUtils::sharedFileUtils()->fullPathForFilename(path);
    // A missing file, a folder, a FIFO or a device gets the reader's own
    // message and is never opened.
    struct stat info;
    if (::stat(fullPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        printReadError(path);
        return nullptr;
    }
    // The size is judged before a byte is read; a refusal has its line.
    // The text is kept in a string: the parser reads one byte past a
    // trailing carriage return, and a string always has a NUL there.
    std::string text;
    if (!CCFileUtils::sharedFileUtils()->readBookFile(fullPath, BookFileKind::Layout, text)) return nullptr;
    if (text.empty()) {
        printReadError(path);
        return nullptr;
    }
    // Every picture this layout brings (sprite-sheet textures, widget images)
    // shares one page's pixel budget.
    CCPagePixelBudget budget(kMaxPagePixels);
    try {
        return readDocument(path, fullPath, text);
    } catch (const std::exception& e) {
        CCLog("Layout file %s could not be read: %s", path, e.what());
    } catch (...) {
        CCLog("Layout file %s could not be read", path);
    }
    return nullptr;
}

UIWidget* CCSGUIReader::readDocument(const char* path, const std::string& fullPath, std::string& text)
{
    static const char kByteOrderMark[] = "\xEF\xBB\xBF";
    const size_t skip = text.compare(0, 3, kByteOrderMark) == 0 ? 3 : 0;

    Json::CharReaderBuilder builder;
    builder.settings_["stackLimit"] = kParserStackLimit;
    builder.settings_["allowSpecialFloats"] = false;
    std::unique_ptr<Json::CharReader> parser(builder.newCharReader());
    Json::Value document;
    bool parsed = false;
    try {
        parsed = parser->parse(text.data() + skip, text.data() + text.size(), &document, nullptr);
    } catch (const std::exception&) {
        parsed = false; // nesting beyond the stack limit
    }
    if (!parsed) {
        CCLog("Layout file %s is not valid JSON", path);
        return nullptr;
    }
    if (!document.isObject()) {
        CCLog("Layout file %s does not hold a JSON object", path);
        return nullptr;
    }
    text.clear();
    text.shrink_to_fit();

    JsonFieldReader* f = fields();
    const char* version = f->getStringValue(&document, "version");
    m_plainNames = namesPicturesPlainly(version);

    const size_t slash = fullPath.rfind('/');
    m_fileDirectory = slash == std::string::npos ? std::string() : fullPath.substr(0, slash + 1);

    WidgetLookup* lookup = WidgetLookup::shareWidgetLookup();
    const int sheetCount = f->getArrayCount(&document, "textures");
    for (int i = 0; i < sheetCount; ++i) {
        const Json::Value* entry = f->getArrayElement(&document, "textures", i);
        if (!entry) break;
        if (!entry->isString()) continue; // an editor bug, not a sheet
        m_sheetsOfLastRead.push_back(m_fileDirectory + entry->asString());
        lookup->loadSpriteSheet(m_sheetsOfLastRead.back().c_str());
    }

    const float designWidth = numberOption(&document, "designWidth");
    const float designHeight = numberOption(&document, "designHeight");
    if (designWidth <= 0 || designHeight <= 0) {
        std::printf("Read design size error!\n");
        std::fflush(stdout);
        const CCSize win = CCDirector::sharedDirector()->getWinSize();
        lookup->setFileDesignSize(win.width, win.height);
    } else {
        lookup->setFileDesignSize(designWidth, designHeight);
    }

    UIWidget* root = buildWidget(f->getSubObject(&document, "widgetTree"));
    if (!root) {
        CCLog("Layout file %s has no widget tree", path);
        return nullptr;
    }
    Layout* container = dynamic_cast<Layout*>(root);
    if (!container) {
        CCLog("Layout file %s: the root widget is a %s, not a container", path, root->getTypeName());
        return nullptr; // the autorelease pool takes it back
    }
    const CCSize& content = root->getContentSize();
    if (content.width == 0 && content.height == 0) container->setSize(CCSize(designWidth, designHeight));

    // The section is moved out of the document, not copied: the manager keeps it.
    Json::Value animation;
    document.removeMember("animation", &animation);
    ActionManager::shareManager()->readFileAnimations(path, std::move(animation), root);
    return root;
}

} // namespace cc
