// The process-wide cache of sprite frames by name, filled from sprite-sheet
// property lists (frames dictionary formats 0 to 3 of the common packers).
// The sheet's texture is named by its metadata, else by the sheet's own name
// with a .png extension, and resolved beside the sheet.
#pragma once

#include "base/CCGeometry.h"
#include "base/CCObject.h"
#include "base/CCRefPtr.h"

#include <map>
#include <set>
#include <string>

namespace cc {

class CCDictionary;
class CCSpriteFrame;
class CCTexture2D;

class CCSpriteFrameCache : public CCObject {
public:
    static CCSpriteFrameCache* sharedSpriteFrameCache();
    static void purgeSharedSpriteFrameCache();

    // Loads every frame of the sheet; a sheet loaded before is skipped. A
    // missing sheet or texture loads nothing (one log line).
    void addSpriteFramesWithFile(const char* plist);
    void addSpriteFramesWithFile(const char* plist, const char* textureFileName);
    void addSpriteFramesWithFile(const char* plist, CCTexture2D* texture);
    void addSpriteFramesWithDictionary(CCDictionary* dictionary, CCTexture2D* texture);
    void addSpriteFrame(CCSpriteFrame* frame, const char* name);

    // The picture a sheet's frames are cut from (its metadata's texture
    // file beside the sheet, else the sheet's name with .png); empty when
    // the sheet cannot be read.
    static std::string textureFileOfSheet(const char* plist);

    // The frame, or null plus one log line.
    CCSpriteFrame* spriteFrameByName(const char* name) const;
    bool hasSpriteFrame(const char* name) const;
    // The name of a cached frame showing exactly this region of this texture
    // (the first in name order), or empty when none does. For tools that
    // describe what a sprite shows; it walks every frame.
    std::string nameOfFrame(const CCTexture2D* texture, const CCRect& rect) const;
    unsigned int count() const { return static_cast<unsigned int>(m_frames.size()); }

    void removeSpriteFrameByName(const char* name);
    void removeSpriteFramesFromFile(const char* plist);
    void removeSpriteFrames();
    // Drops frames that only the cache holds and whose texture nothing but
    // the caches holds either (the sheet is no longer on screen).
    void removeUnusedSpriteFrames();

    ~CCSpriteFrameCache() override;

private:
    CCSpriteFrameCache() = default;
    static std::string texturePathOfSheet(const std::string& fullPlist, CCDictionary* dict);
    void loadSheet(const std::string& fullPlist, CCDictionary* dict, CCTexture2D* texture);

    std::map<std::string, CCRefPtr<CCSpriteFrame>> m_frames;
    std::map<std::string, std::string> m_aliases;
    std::map<std::string, std::set<std::string>> m_framesBySheet;
    std::set<std::string> m_loadedSheets;
};

} // namespace cc
