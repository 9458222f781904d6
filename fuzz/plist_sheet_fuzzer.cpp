// Feeds arbitrary bytes to the property-list reader and to the sprite-sheet
// loader as a sheet file, beside a small texture, so inputs that parse as a
// sheet exercise frame reading and fitting too. Any crash, sanitizer report
// or escaping exception is a finding; refused files are the expected outcome.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

#include "FuzzScratch.h"
#include "base/CCAutoreleasePool.h"
#include "base/CCDictionary.h"
#include "base/CCLog.h"
#include "platform/FrameDriver.h"
#include "render/CCSprite.h"
#include "render/CCSpriteFrameCache.h"
#include "render/CCTextureCache.h"

namespace {

std::string g_sheetPath;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static cc::FrameDriver* driver = new cc::FrameDriver(); // headless, never torn down
    (void)driver;
    cc::CCLogCapture::setEcho(false);
    const std::string dir = fuzzscratch::make("sheet-fuzz", {"sheet.png"});
    if (dir.empty()) return 0;
    g_sheetPath = dir + "sheet.plist";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzscratch::writeInput(g_sheetPath, data, size);
    cc::CCDictionary::createWithContentsOfFile(g_sheetPath.c_str());
    cc::CCSpriteFrameCache* frames = cc::CCSpriteFrameCache::sharedSpriteFrameCache();
    frames->addSpriteFramesWithFile(g_sheetPath.c_str());
    // Every frame the sheet brought is made into a sprite, as a widget would.
    for (const char* name : {"a.png", "b.png", "left.png", "right.png"}) {
        if (frames->hasSpriteFrame(name)) cc::CCSprite::createWithSpriteFrameName(name);
    }
    frames->removeSpriteFramesFromFile(g_sheetPath.c_str());
    cc::CCPoolManager::sharedPoolManager()->pop();
    return 0;
}
