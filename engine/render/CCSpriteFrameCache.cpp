// Sprite-sheet loading and frame lookup. Sheet values arrive as strings from
// the property-list reader (numbers, "{x,y}" points and "{{x,y},{w,h}}"
// rectangles), or as boxed numbers; both are read here.
#include "render/CCSpriteFrameCache.h"

#include "base/CCArray.h"
#include "base/CCDictionary.h"
#include "base/CCLog.h"
#include "base/CCString.h"
#include "platform/BookFileLimits.h"
#include "platform/CCFileUtils.h"
#include "render/CCCachePurge.h"
#include "render/CCSpriteFrame.h"
#include "render/CCTexture2D.h"
#include "render/CCTextureCache.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace cc {

namespace {
CCSpriteFrameCache* s_sharedFrames = nullptr;
unsigned int s_purgerDirector = 0;

float numberOf(CCObject* value)
{
    if (auto* s = dynamic_cast<CCString*>(value)) return s->floatValue();
    if (auto* i = dynamic_cast<CCInteger*>(value)) return static_cast<float>(i->getValue());
    if (auto* f = dynamic_cast<CCFloat*>(value)) return f->getValue();
    if (auto* b = dynamic_cast<CCBool*>(value)) return b->getValue() ? 1.0f : 0.0f;
    return 0.0f;
}

bool flagOf(CCObject* value)
{
    if (auto* s = dynamic_cast<CCString*>(value)) return s->boolValue() || s->m_sString == "true";
    return numberOf(value) != 0.0f;
}

// All numbers of a "{{x,y},{w,h}}" style string, in order.
std::vector<float> numbersIn(CCObject* value)
{
    std::vector<float> out;
    auto* s = dynamic_cast<CCString*>(value);
    if (!s) return out;
    const char* p = s->getCString();
    while (*p) {
        if ((*p >= '0' && *p <= '9') || *p == '-' || *p == '+' || *p == '.') {
            char* end = nullptr;
            out.push_back(std::strtof(p, &end));
            if (end == p) ++p; else p = end;
        } else {
            ++p;
        }
    }
    return out;
}

CCPoint pointOf(CCObject* value)
{
    std::vector<float> n = numbersIn(value);
    return n.size() >= 2 ? CCPoint(n[0], n[1]) : CCPointZero;
}

CCSize sizeOf(CCObject* value)
{
    std::vector<float> n = numbersIn(value);
    return n.size() >= 2 ? CCSize(n[0], n[1]) : CCSizeZero;
}

CCRect rectOf(CCObject* value)
{
    std::vector<float> n = numbersIn(value);
    return n.size() >= 4 ? CCRect(n[0], n[1], n[2], n[3]) : CCRectZero;
}

std::string directoryOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

CCDictionary* dictOf(CCDictionary* d, const char* key)
{
    return d ? dynamic_cast<CCDictionary*>(d->objectForKey(key)) : nullptr;
}

bool finite(const CCRect& r)
{
    return std::isfinite(r.origin.x) && std::isfinite(r.origin.y) && std::isfinite(r.size.width) &&
           std::isfinite(r.size.height);
}

// A frame comes from a sheet file and must lie on its texture: a frame partly
// outside is clipped to it, one wholly outside (or unparsable, or empty) is
// refused; a source size no picture may have falls back to the frame's own.
// Each such frame says so in one line. False when the frame is refused.
bool fitFrameToTexture(const std::string& name, CCRect& rect, bool rotated, CCPoint& offset, CCSize& original,
                       const CCTexture2D* texture)
{
    const char* n = name.c_str();
    if (!finite(rect) || rect.size.width <= 0 || rect.size.height <= 0) {
        CCLog("CCSpriteFrameCache: frame %s has no readable rectangle; refused", n);
        return false;
    }
    // A rotated frame lies on the texture with its sides swapped.
    const float onTextureW = rotated ? rect.size.height : rect.size.width;
    const float onTextureH = rotated ? rect.size.width : rect.size.height;
    const float texW = static_cast<float>(texture->getPixelsWide());
    const float texH = static_cast<float>(texture->getPixelsHigh());
    const float left = std::max(rect.origin.x, 0.0f), bottom = std::max(rect.origin.y, 0.0f);
    const float right = std::min(rect.origin.x + onTextureW, texW), top = std::min(rect.origin.y + onTextureH, texH);
    if (right <= left || top <= bottom) {
        CCLog("CCSpriteFrameCache: frame %s lies outside its %.0f x %.0f texture; refused", n, texW, texH);
        return false;
    }
    if (left != rect.origin.x || bottom != rect.origin.y || right != rect.origin.x + onTextureW ||
        top != rect.origin.y + onTextureH) {
        CCLog("CCSpriteFrameCache: frame %s reaches outside its %.0f x %.0f texture; clipped to it", n, texW, texH);
        const float w = right - left, h = top - bottom;
        rect = CCRect(left, bottom, rotated ? h : w, rotated ? w : h);
    }
    const float maxSide = static_cast<float>(kMaxImageSide);
    if (!std::isfinite(original.width) || !std::isfinite(original.height) || original.width > maxSide ||
        original.height > maxSide || !std::isfinite(offset.x) || !std::isfinite(offset.y) ||
        std::fabs(offset.x) > maxSide || std::fabs(offset.y) > maxSide) {
        CCLog("CCSpriteFrameCache: frame %s claims a source of %g x %g at offset %g, %g; its own size is used", n,
              original.width, original.height, offset.x, offset.y);
        original = rect.size;
        offset = CCPointZero;
    }
    return true;
}
} // namespace

CCSpriteFrameCache* CCSpriteFrameCache::sharedSpriteFrameCache()
{
    if (!s_sharedFrames) {
        s_sharedFrames = new CCSpriteFrameCache();
        s_sharedFrames->excludeFromLiveCount();
    }
    registerCachePurgerOnce(&s_purgerDirector, [] {
        if (!s_sharedFrames) return;
        s_sharedFrames->removeUnusedSpriteFrames();
        // Frames just dropped may have been the last users of their textures.
        CCTextureCache::sharedTextureCache()->removeUnusedTextures();
    });
    return s_sharedFrames;
}

void CCSpriteFrameCache::purgeSharedSpriteFrameCache()
{
    CC_SAFE_RELEASE_NULL(s_sharedFrames);
}

CCSpriteFrameCache::~CCSpriteFrameCache()
{
    removeSpriteFrames();
}

std::string CCSpriteFrameCache::texturePathOfSheet(const std::string& fullPlist, CCDictionary* dict)
{
    std::string texturePath;
    CCDictionary* metadata = dictOf(dict, "metadata");
    if (metadata) {
        texturePath = metadata->valueForKey("textureFileName")->m_sString;
        if (texturePath.empty()) texturePath = metadata->valueForKey("realTextureFileName")->m_sString;
    }
    if (!texturePath.empty()) {
        if (texturePath[0] != '/') texturePath = directoryOf(fullPlist) + texturePath;
    } else {
        texturePath = fullPlist;
        size_t dot = texturePath.find_last_of('.');
        const size_t slash = texturePath.find_last_of('/');
        if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) texturePath.erase(dot);
        texturePath += ".png";
    }
    return texturePath;
}

std::string CCSpriteFrameCache::textureFileOfSheet(const char* plist)
{
    if (!plist) return std::string();
    const std::string full = CCFileUtils::sharedFileUtils()->fullPathForFilename(plist);
    CCDictionary* dict = CCDictionary::createWithContentsOfFile(full.c_str());
    return dict ? texturePathOfSheet(full, dict) : std::string();
}

void CCSpriteFrameCache::addSpriteFramesWithFile(const char* plist)
{
    if (!plist) return;
    const std::string full = CCFileUtils::sharedFileUtils()->fullPathForFilename(plist);
    if (m_loadedSheets.count(full)) return;
    CCDictionary* dict = CCDictionary::createWithContentsOfFile(full.c_str());
    if (!dict) return; // the reader logged the failure
    const std::string texturePath = texturePathOfSheet(full, dict);
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(texturePath.c_str());
    if (!texture || texture->isEmpty()) {
        CCLog("CCSpriteFrameCache: texture %s of sheet %s cannot be loaded", texturePath.c_str(), plist);
        return;
    }
    loadSheet(full, dict, texture);
}

void CCSpriteFrameCache::addSpriteFramesWithFile(const char* plist, const char* textureFileName)
{
    if (!plist || !textureFileName) return;
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(textureFileName);
    if (!texture || texture->isEmpty()) {
        CCLog("CCSpriteFrameCache: texture %s of sheet %s cannot be loaded", textureFileName, plist);
        return;
    }
    addSpriteFramesWithFile(plist, texture);
}

void CCSpriteFrameCache::addSpriteFramesWithFile(const char* plist, CCTexture2D* texture)
{
    if (!plist || !texture || texture->isEmpty()) return;
    const std::string full = CCFileUtils::sharedFileUtils()->fullPathForFilename(plist);
    if (m_loadedSheets.count(full)) return;
    CCDictionary* dict = CCDictionary::createWithContentsOfFile(full.c_str());
    if (dict) loadSheet(full, dict, texture);
}

void CCSpriteFrameCache::loadSheet(const std::string& fullPlist, CCDictionary* dict, CCTexture2D* texture)
{
    m_loadedSheets.insert(fullPlist);
    std::set<std::string> known;
    for (auto& e : m_frames) known.insert(e.first);
    addSpriteFramesWithDictionary(dict, texture);
    // Remember which frames this sheet brought, so it can be unloaded alone.
    std::set<std::string>& mine = m_framesBySheet[fullPlist];
    for (auto& e : m_frames) {
        if (!known.count(e.first)) mine.insert(e.first);
    }
}

void CCSpriteFrameCache::addSpriteFramesWithDictionary(CCDictionary* dict, CCTexture2D* texture)
{
    CCDictionary* frames = dictOf(dict, "frames");
    if (!frames || !texture) {
        CCLog("CCSpriteFrameCache: sheet has no frames dictionary");
        return;
    }
    CCDictionary* metadata = dictOf(dict, "metadata");
    const int format = metadata ? static_cast<int>(numberOf(metadata->objectForKey("format"))) : 0;
    if (format < 0 || format > 3) {
        CCLog("CCSpriteFrameCache: unsupported sheet format %d", format);
        return;
    }
    for (const CCDictionary::Entry& entry : frames->entries()) {
        CCDictionary* f = dynamic_cast<CCDictionary*>(entry.object);
        if (!f || m_frames.count(entry.strKey)) continue;
        CCRect rect;
        CCPoint offset;
        CCSize original;
        bool rotated = false;
        if (format == 0) {
            rect = CCRect(numberOf(f->objectForKey("x")), numberOf(f->objectForKey("y")),
                          numberOf(f->objectForKey("width")), numberOf(f->objectForKey("height")));
            offset = CCPoint(numberOf(f->objectForKey("offsetX")), numberOf(f->objectForKey("offsetY")));
            original = CCSize(std::fabs(numberOf(f->objectForKey("originalWidth"))),
                              std::fabs(numberOf(f->objectForKey("originalHeight"))));
        } else if (format == 1 || format == 2) {
            rect = rectOf(f->objectForKey("frame"));
            rotated = format == 2 && flagOf(f->objectForKey("rotated"));
            offset = pointOf(f->objectForKey("offset"));
            original = sizeOf(f->objectForKey("sourceSize"));
        } else {
            const CCSize size = sizeOf(f->objectForKey("spriteSize"));
            const CCRect textureRect = rectOf(f->objectForKey("textureRect"));
            rect = CCRect(textureRect.origin.x, textureRect.origin.y, size.width, size.height);
            rotated = flagOf(f->objectForKey("textureRotated"));
            offset = pointOf(f->objectForKey("spriteOffset"));
            original = sizeOf(f->objectForKey("spriteSourceSize"));
            if (auto* aliases = dynamic_cast<CCArray*>(f->objectForKey("aliases"))) {
                for (unsigned int i = 0; i < aliases->count(); ++i) {
                    if (auto* alias = dynamic_cast<CCString*>(aliases->objectAtIndex(i))) {
                        m_aliases[alias->m_sString] = entry.strKey;
                    }
                }
            }
        }
        if (!fitFrameToTexture(entry.strKey, rect, rotated, offset, original, texture)) continue;
        if (original.width <= 0 || original.height <= 0) original = rect.size;
        addSpriteFrame(CCSpriteFrame::createWithTexture(texture, rect, rotated, offset, original),
                       entry.strKey.c_str());
    }
}

void CCSpriteFrameCache::addSpriteFrame(CCSpriteFrame* frame, const char* name)
{
    if (!frame || !name) return;
    frame->excludeFromLiveCount();
    // A frame already under that name is let go after the new one is held.
    m_frames[name].reset(frame);
}

CCSpriteFrame* CCSpriteFrameCache::spriteFrameByName(const char* name) const
{
    if (!name) return nullptr;
    auto found = m_frames.find(name);
    if (found == m_frames.end()) {
        auto alias = m_aliases.find(name);
        if (alias != m_aliases.end()) found = m_frames.find(alias->second);
    }
    if (found == m_frames.end()) {
        CCLog("CCSpriteFrameCache: frame '%s' not found", name);
        return nullptr;
    }
    return found->second.get();
}

bool CCSpriteFrameCache::hasSpriteFrame(const char* name) const
{
    return name && (m_frames.count(name) || m_aliases.count(name));
}

std::string CCSpriteFrameCache::nameOfFrame(const CCTexture2D* texture, const CCRect& rect) const
{
    if (!texture) return std::string();
    for (const auto& entry : m_frames) {
        const CCSpriteFrame* frame = entry.second.get();
        if (frame->getTexture() == texture && frame->getRect().equals(rect)) return entry.first;
    }
    return std::string();
}

void CCSpriteFrameCache::removeSpriteFrameByName(const char* name)
{
    if (!name) return;
    auto found = m_frames.find(name);
    if (found == m_frames.end()) return;
    m_frames.erase(found);
}

void CCSpriteFrameCache::removeSpriteFramesFromFile(const char* plist)
{
    if (!plist) return;
    const std::string full = CCFileUtils::sharedFileUtils()->fullPathForFilename(plist);
    auto sheet = m_framesBySheet.find(full);
    if (sheet != m_framesBySheet.end()) {
        for (const std::string& name : sheet->second) removeSpriteFrameByName(name.c_str());
        m_framesBySheet.erase(sheet);
    }
    m_loadedSheets.erase(full);
}

void CCSpriteFrameCache::removeSpriteFrames()
{
    m_frames.clear();
    m_aliases.clear();
    m_framesBySheet.clear();
    m_loadedSheets.clear();
}

void CCSpriteFrameCache::removeUnusedSpriteFrames()
{
    // A frame is in use while something holds it, or while something besides
    // the caches holds its texture (a sprite still shows part of the sheet):
    // a sheet on screen keeps its frames and is not read again.
    std::map<const CCTexture2D*, unsigned int> framesOf;
    for (auto& e : m_frames) ++framesOf[e.second->getTexture()];
    CCTextureCache* textures = CCTextureCache::sharedTextureCache();
    std::set<std::string> removed;
    for (auto it = m_frames.begin(); it != m_frames.end();) {
        const CCTexture2D* texture = it->second->getTexture();
        const unsigned int cacheHolds = framesOf[texture] + (textures->holds(texture) ? 1 : 0);
        const bool textureShown = texture && texture->retainCount() > cacheHolds;
        if (it->second->isSingleReference() && !textureShown) {
            removed.insert(it->first);
            it = m_frames.erase(it);
        } else {
            ++it;
        }
    }
    // A sheet that lost frames must be readable again in full.
    for (auto sheet = m_framesBySheet.begin(); sheet != m_framesBySheet.end();) {
        const bool lost = std::any_of(sheet->second.begin(), sheet->second.end(),
                                      [&](const std::string& name) { return removed.count(name) > 0; });
        if (lost) {
            m_loadedSheets.erase(sheet->first);
            sheet = m_framesBySheet.erase(sheet);
        } else {
            ++sheet;
        }
    }
    for (auto alias = m_aliases.begin(); alias != m_aliases.end();) {
        alias = removed.count(alias->second) ? m_aliases.erase(alias) : std::next(alias);
    }
}

} // namespace cc
