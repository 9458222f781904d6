// Feeds arbitrary bytes to the property-list reader and to the sprite-sheet
// loader as a sheet file, beside a small texture, so inputs that parse as a
// sheet exercise frame reading and fitting too. Any crash, sanitizer report
// or escaping exception is a finding; refused files are the expected outcome.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

#include "base/CCAutoreleasePool.h"
#include "base/CCDictionary.h"
#include "base/CCLog.h"
#include "platform/FrameDriver.h"
#include "render/CCSprite.h"
#include "render/CCSpriteFrameCache.h"
#include "render/CCTextureCache.h"

namespace {

std::string g_sheetPath;

bool copyFile(const std::string& from, const std::string& to)
{
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary);
    out << in.rdbuf();
    return in.good() && out.good();
}

// The scratch folder goes when the run ends (libFuzzer leaves through exit).
std::string g_scratch;
void removeScratch()
{
    if (!g_scratch.empty()) std::system(("rm -rf '" + g_scratch + "'").c_str());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static cc::FrameDriver* driver = new cc::FrameDriver(); // headless, never torn down
    (void)driver;
    cc::CCLogCapture::setEcho(false);
    char folder[] = "/tmp/quibo-sheet-fuzz-XXXXXX";
    if (!mkdtemp(folder)) return 0;
    g_scratch = folder;
    std::atexit(removeScratch);
    const std::string dir = std::string(folder) + "/";
    copyFile(std::string(QUIBO_FUZZ_DATA) + "/sheet.png", dir + "sheet.png");
    g_sheetPath = dir + "sheet.plist";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    {
        std::ofstream out(g_sheetPath, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
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
