// Page pictures found by walking the layout's JSON the way the layout reader
// names them: a picture data object with resource type 0 (older files: a
// plain picture name, unless the widget uses merged textures) is a file
// beside the layout, and every sheet in "textures" brings its own picture.
#include "book/PagePrefetch.h"

#include "book/BookPaths.h"
#include "book/BookSettings.h"

#include "gui/CCSGUIReader.h"
#include "platform/CCFileUtils.h"
#include "render/CCSpriteFrameCache.h"
#include "render/CCTextureCache.h"

#include <json/reader.h>

#include <cctype>
#include <map>
#include <memory>

namespace quibo {

namespace {
// A picture data object's resource type for a file (sprite frames are 1).
const int kFileResource = 0;
// Deeper trees are not walked: the reader refuses them anyway.
const int kMaxDepth = 64;

// Only pictures are worth decoding ahead; a data object may also name a font.
bool isPictureFile(const std::string& path)
{
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos) return false;
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == "png" || ext == "jpg" || ext == "jpeg";
}

std::map<std::string, std::vector<std::string>>& picturesByLayout()
{
    static std::map<std::string, std::vector<std::string>> pictures;
    return pictures;
}

// Newer files: picture data objects anywhere in a widget's options.
void collectDataPictures(const Json::Value& node, const std::string& folder, int depth, std::vector<std::string>& out)
{
    if (depth > kMaxDepth) return;
    if (node.isObject()) {
        const Json::Value& path = node["path"];
        const Json::Value& type = node["resourceType"];
        const bool fromFile = type.isNull() || (type.isInt() && type.asInt() == kFileResource);
        if (path.isString() && fromFile && isPictureFile(path.asString())) out.push_back(folder + path.asString());
        for (const std::string& key : node.getMemberNames()) collectDataPictures(node[key], folder, depth + 1, out);
    } else if (node.isArray()) {
        for (const Json::Value& element : node) collectDataPictures(element, folder, depth + 1, out);
    }
}

// Older files: picture names as plain strings, unless the widget takes them
// from its sprite sheets.
void collectPlainPictures(const Json::Value& options, const std::string& folder, std::vector<std::string>& out)
{
    if (!options.isObject()) return;
    const Json::Value& merged = options["useMergedTexture"];
    if (merged.isBool() && merged.asBool()) return;
    for (const std::string& key : options.getMemberNames()) {
        const Json::Value& value = options[key];
        if (value.isString() && isPictureFile(value.asString())) out.push_back(folder + value.asString());
    }
}

void collectWidgetPictures(const Json::Value& widget, const std::string& folder, bool plain, int depth,
                           std::vector<std::string>& out)
{
    if (depth > kMaxDepth || !widget.isObject()) return;
    const Json::Value& options = widget["options"];
    if (plain) {
        collectPlainPictures(options, folder, out);
    } else {
        collectDataPictures(options, folder, 0, out);
    }
    const Json::Value& children = widget["children"];
    if (children.isArray()) {
        for (const Json::Value& child : children) collectWidgetPictures(child, folder, plain, depth + 1, out);
    }
}

std::vector<std::string> readPictures(const std::string& layoutPath)
{
    std::vector<std::string> pictures;
    cc::CCFileUtils* files = cc::CCFileUtils::sharedFileUtils();
    const std::string fullPath = files->fullPathForFilename(layoutPath.c_str());
    std::string text;
    if (!files->getFileContents(fullPath, text) || text.empty() ||
        static_cast<long>(text.size()) > cc::CCSGUIReader::kMaxLayoutBytes) {
        return pictures;
    }
    Json::CharReaderBuilder builder;
    builder["stackLimit"] = cc::CCSGUIReader::kParserStackLimit;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value document;
    std::string errors;
    if (!reader->parse(text.data(), text.data() + text.size(), &document, &errors) || !document.isObject()) {
        return pictures;
    }
    const size_t slash = fullPath.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : fullPath.substr(0, slash + 1);
    const Json::Value& sheets = document["textures"];
    if (sheets.isArray()) {
        for (const Json::Value& sheet : sheets) {
            if (!sheet.isString()) continue;
            const std::string picture =
                cc::CCSpriteFrameCache::textureFileOfSheet((folder + sheet.asString()).c_str());
            if (!picture.empty()) pictures.push_back(picture);
        }
    }
    const Json::Value& version = document["version"];
    const bool plain = cc::CCSGUIReader::namesPicturesPlainly(version.isString() ? version.asCString() : nullptr);
    collectWidgetPictures(document["widgetTree"], folder, plain, 0, pictures);
    return pictures;
}

bool inStory(int page)
{
    const BookSettings& book = bookSettings();
    return page >= book.pageMin && page <= book.pageMax;
}
} // namespace

const std::vector<std::string>& PagePrefetch::picturesOfPage(int page) { return picturesOfLayout(pageLayoutPath(page)); }

const std::vector<std::string>& PagePrefetch::picturesOfLayout(const std::string& layoutPath)
{
    auto& known = picturesByLayout();
    auto found = known.find(layoutPath);
    if (found == known.end()) found = known.emplace(layoutPath, readPictures(layoutPath)).first;
    return found->second;
}

void PagePrefetch::mainMenuComing()
{
    cc::CCTextureCache::sharedTextureCache()->prefetchImages(picturesOfLayout(mainMenuLayoutPath()));
}

void PagePrefetch::wantPages(const std::vector<int>& pages)
{
    std::vector<std::string> pictures;
    for (int page : pages) {
        const std::vector<std::string>& own = picturesOfPage(page);
        pictures.insert(pictures.end(), own.begin(), own.end());
    }
    cc::CCTextureCache::sharedTextureCache()->prefetchImages(pictures);
}

void PagePrefetch::pageShown(int page)
{
    // The turns a page allows: back down to pageMin, forward up to pageMax.
    const BookSettings& book = bookSettings();
    std::vector<int> next;
    if (page > book.pageMin) next.push_back(page - 1);
    if (page < book.pageMax) next.push_back(page + 1);
    wantPages(next);
}

void PagePrefetch::mainMenuShown()
{
    const BookSettings& book = bookSettings();
    if (book.readingStarted && book.currentPage >= 0) {
        wantPages({book.currentPage});
    } else {
        wantPages({});
    }
}

void PagePrefetch::gridShown(int first, int last)
{
    std::vector<int> entries;
    for (int page = first; page <= last; ++page) {
        if (inStory(page)) entries.push_back(page);
    }
    wantPages(entries);
}

void PagePrefetch::forget() { picturesByLayout().clear(); }

} // namespace quibo
