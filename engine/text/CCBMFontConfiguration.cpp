// A tolerant line parser: unknown records and keys are skipped, but numbers
// that do not parse, or a font without its essentials, reject the file.
#include "text/CCBMFontConfiguration.h"

#include "base/CCLog.h"
#include "platform/CCFileUtils.h"

#include <cstdlib>
#include <sstream>

namespace cc {

namespace {
typedef std::map<std::string, std::string> Fields;

// "char id=65 x=2 ..." -> record "char" and its fields; quoted values may hold spaces.
std::string splitRecord(const std::string& line, Fields& fields)
{
    size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos) return "";
    size_t end = line.find_first_of(" \t", at);
    const std::string record = line.substr(at, end == std::string::npos ? std::string::npos : end - at);
    at = end;
    while (at != std::string::npos && at < line.size()) {
        at = line.find_first_not_of(" \t\r", at);
        if (at == std::string::npos) break;
        const size_t eq = line.find('=', at);
        if (eq == std::string::npos) break;
        const std::string key = line.substr(at, eq - at);
        std::string value;
        size_t next;
        if (eq + 1 < line.size() && line[eq + 1] == '"') {
            const size_t close = line.find('"', eq + 2);
            value = line.substr(eq + 2, close == std::string::npos ? std::string::npos : close - eq - 2);
            next = close == std::string::npos ? std::string::npos : close + 1;
        } else {
            next = line.find_first_of(" \t\r", eq + 1);
            value = line.substr(eq + 1, next == std::string::npos ? std::string::npos : next - eq - 1);
        }
        fields[key] = value;
        at = next;
    }
    return record;
}

bool toInt(const Fields& f, const char* key, int& out, bool required)
{
    auto it = f.find(key);
    if (it == f.end()) return !required;
    const char* s = it->second.c_str();
    char* end = nullptr;
    const long v = std::strtol(s, &end, 10);
    if (end == s || *end != '\0') return false;
    out = static_cast<int>(v);
    return true;
}

unsigned long long pairKey(unsigned int a, unsigned int b) { return (static_cast<unsigned long long>(a) << 32) | b; }
} // namespace

bool CCBMFontConfiguration::parseFile(const std::string& fntFile)
{
    std::string text;
    if (!CCFileUtils::sharedFileUtils()->readBookFile(fntFile, BookFileKind::FontDescription, text)) {
        return false; // the line names the file and the reason
    }
    const std::string full = CCFileUtils::sharedFileUtils()->fullPathForFilename(fntFile.c_str());
    const size_t slash = full.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "" : full.substr(0, slash + 1);
    std::string error;
    if (!parseText(text, dir, error)) {
        CCLog("CCLabelBMFont: bad font file %s: %s", fntFile.c_str(), error.c_str());
        return false;
    }
    return true;
}

bool CCBMFontConfiguration::parseText(const std::string& text, const std::string& pageDirectory, std::string& error)
{
    bool haveCommon = false;
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        Fields f;
        const std::string record = splitRecord(line, f);
        bool ok = true;
        if (record == "info") {
            face = f.count("face") ? f["face"] : "";
            ok = toInt(f, "size", fontSize, false);
        } else if (record == "common") {
            ok = toInt(f, "lineHeight", lineHeight, true) && toInt(f, "base", base, false) &&
                 toInt(f, "scaleW", scaleW, false) && toInt(f, "scaleH", scaleH, false);
            haveCommon = ok;
        } else if (record == "page") {
            int id = 0;
            ok = toInt(f, "id", id, true) && f.count("file") && !f["file"].empty();
            // Only the first page is drawn; labels use one texture.
            if (ok && id == 0) atlasFile = pageDirectory + f["file"];
        } else if (record == "char") {
            int id = 0, x = 0, y = 0, w = 0, h = 0;
            CCBMFontChar c;
            ok = toInt(f, "id", id, true) && toInt(f, "x", x, true) && toInt(f, "y", y, true) &&
                 toInt(f, "width", w, true) && toInt(f, "height", h, true) && toInt(f, "xoffset", c.xOffset, false) &&
                 toInt(f, "yoffset", c.yOffset, false) && toInt(f, "xadvance", c.xAdvance, true) &&
                 toInt(f, "page", c.page, false) && id >= 0 && w >= 0 && h >= 0;
            c.rect = CCRect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w), static_cast<float>(h));
            if (ok) chars[static_cast<unsigned int>(id)] = c;
        } else if (record == "kerning") {
            int first = 0, second = 0, amount = 0;
            ok = toInt(f, "first", first, true) && toInt(f, "second", second, true) && toInt(f, "amount", amount, true);
            if (ok) kernings[pairKey(static_cast<unsigned int>(first), static_cast<unsigned int>(second))] = amount;
        }
        if (!ok) {
            error = "line " + std::to_string(lineNo) + " (" + record + ") is malformed";
            return false;
        }
    }
    if (!haveCommon) error = "no common line";
    else if (atlasFile.empty()) error = "no page 0";
    else if (chars.empty()) error = "no characters";
    else return true;
    return false;
}

const CCBMFontChar* CCBMFontConfiguration::charFor(unsigned int code) const
{
    auto it = chars.find(code);
    return it == chars.end() ? nullptr : &it->second;
}

int CCBMFontConfiguration::kerning(unsigned int first, unsigned int second) const
{
    auto it = kernings.find(pairKey(first, second));
    return it == kernings.end() ? 0 : it->second;
}

} // namespace cc
