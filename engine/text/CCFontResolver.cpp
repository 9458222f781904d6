// Font lookup through fontconfig. A match counts as real when the family
// found is one fontconfig binds strongly to the request (the name itself or
// a metric-compatible alias such as Liberation Sans for Arial), when the
// request is a generic family, or when the file differs from what a name
// nobody knows would get; anything else is the generic default and falls back.
#include "text/CCFontResolver.h"

#include "base/CCLog.h"
#include "platform/CCFileUtils.h"
#include "text/ccUTF8.h"

#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstring>
#include <strings.h>

namespace cc {

namespace {
// A family name no font carries, used to learn what the generic default is.
const char* const kProbeFamily = "quibo-no-such-family";

std::string printable(const std::string& name)
{
    std::string out;
    for (unsigned char c : name) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        }
    }
    return out;
}

bool endsWith(const std::string& s, const char* tail)
{
    const size_t n = strlen(tail);
    return s.size() >= n && strcasecmp(s.c_str() + s.size() - n, tail) == 0;
}
} // namespace

CCFontResolver* CCFontResolver::shared()
{
    static CCFontResolver resolver;
    return &resolver;
}

CCFontResolver::~CCFontResolver() { waitForLoader(); }

void CCFontResolver::loadInBackground()
{
    if (m_loader.joinable() || m_defaultReady) return;
    m_loader = std::thread([] {
        if (!FcInit()) return;
        // A first match reads the font list in: later ones only look it up.
        FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
        if (!pattern) return;
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        if (FcPattern* found = FcFontMatch(nullptr, pattern, &result)) FcPatternDestroy(found);
        FcPatternDestroy(pattern);
    });
}

void CCFontResolver::waitForLoader()
{
    if (m_loader.joinable()) m_loader.join();
}

bool CCFontResolver::looksLikeFontFile(const std::string& name)
{
    return endsWith(name, ".ttf") || endsWith(name, ".otf") || endsWith(name, ".ttc");
}

bool CCFontResolver::match(const std::string& family, CCFontFace& out, bool& onlyDefault)
{
    onlyDefault = false;
    waitForLoader();
    if (!FcInit()) return false;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);

    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, pattern, &result);
    bool ok = false;
    if (found) {
        FcChar8* file = nullptr;
        FcChar8* foundFamily = nullptr;
        int index = 0;
        if (FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch) {
            FcPatternGetString(found, FC_FAMILY, 0, &foundFamily);
            FcPatternGetInteger(found, FC_INDEX, 0, &index);
            out.path = reinterpret_cast<const char*>(file);
            out.index = index;
            out.family = foundFamily ? reinterpret_cast<const char*>(foundFamily) : family;
            ok = true;

            // Which families did the configuration bind strongly to the request?
            bool strongFound = false, anyStrong = false;
            FcValue value;
            FcValueBinding binding;
            for (int i = 0; FcPatternGetWithBinding(pattern, FC_FAMILY, i, &value, &binding) == FcResultMatch; ++i) {
                if (binding == FcValueBindingWeak || value.type != FcTypeString) continue;
                anyStrong = true;
                if (strcasecmp(reinterpret_cast<const char*>(value.u.s), out.family.c_str()) == 0) strongFound = true;
            }
            onlyDefault = anyStrong && !strongFound && family != kProbeFamily && out.path == defaultFile();
        }
        FcPatternDestroy(found);
    }
    FcPatternDestroy(pattern);
    return ok;
}

std::string CCFontResolver::defaultFile()
{
    if (!m_defaultReady) {
        m_defaultReady = true;
        CCFontFace probe;
        bool unused;
        if (match(kProbeFamily, probe, unused)) m_defaultFile = probe.path;
    }
    return m_defaultFile;
}

const CCFontFace& CCFontResolver::fallbackFace()
{
    if (!m_fallbackReady) {
        m_fallbackReady = true;
        bool onlyDefault = false;
        if (!match(kFallbackFamily, m_fallback, onlyDefault)) m_fallback = CCFontFace();
        m_fallback.fallback = true;
        if (m_fallback.path.empty()) CCLog("CCLabelTTF: no font file found at all");
    }
    return m_fallback;
}

const CCFontFace& CCFontResolver::resolve(const std::string& name)
{
    auto it = m_faces.find(name);
    if (it != m_faces.end()) return it->second;

    CCFontFace face;
    bool useFallback = false;
    if (looksLikeFontFile(name)) {
        const std::string full = CCFileUtils::sharedFileUtils()->fullPathForFilename(name.c_str());
        if (CCFileUtils::sharedFileUtils()->isFileExist(full)) {
            face.path = full;
            face.family = name;
        } else {
            useFallback = true;
        }
    } else if (name.empty() || !utf8::isValid(name)) {
        useFallback = true;
    } else {
        bool onlyDefault = false;
        useFallback = !match(name, face, onlyDefault) || onlyDefault;
    }
    if (useFallback) {
        face = fallbackFace();
        CCLog("CCLabelTTF: font \"%s\" not found, using \"%s\"", printable(name).c_str(), face.family.c_str());
    }
    return m_faces.emplace(name, face).first->second;
}

} // namespace cc
