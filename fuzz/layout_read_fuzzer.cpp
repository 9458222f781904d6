// Feeds arbitrary bytes to the layout reader as a layout file. The file sits
// in a scratch folder next to a small sprite sheet and images, so inputs that
// name them exercise the loading paths too. Any crash, sanitizer report or
// escaping exception is a finding; refused files are the expected outcome.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

#include "FuzzScratch.h"
#include "base/CCAutoreleasePool.h"
#include "gui/CCSGUIReader.h"
#include "gui/UiSingletons.h"
#include "platform/FrameDriver.h"
#include "render/CCSpriteFrameCache.h"
#include "render/CCTextureCache.h"

namespace {

std::string g_layoutPath;
// Caches are emptied now and then, not every run, so repeated loads are exercised too.
const unsigned kRunsBetweenCachePurges = 256;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A headless director and view for the whole run; never torn down.
    static cc::FrameDriver* driver = new cc::FrameDriver();
    (void)driver;
    const std::string dir = fuzzscratch::make("layout-fuzz", {"sheet.plist", "sheet.png", "img.png", "digits.png"});
    if (dir.empty()) return 0;
    g_layoutPath = dir + "layout.json";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static unsigned runs = 0;
    fuzzscratch::writeInput(g_layoutPath, data, size);
    cc::CCSGUIReader::shareReader()->readLayoutFile(g_layoutPath.c_str());
    cc::CCPoolManager::sharedPoolManager()->pop();
    cc::releaseUiSingletons();
    if (++runs % kRunsBetweenCachePurges == 0) {
        cc::CCSpriteFrameCache::purgeSharedSpriteFrameCache();
        cc::CCTextureCache::purgeSharedTextureCache();
    }
    return 0;
}
