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
    // A headless director and view for the whole run; never torn down.
    static cc::FrameDriver* driver = new cc::FrameDriver();
    (void)driver;
    char folder[] = "/tmp/quibo-layout-fuzz-XXXXXX";
    if (!mkdtemp(folder)) return 0;
    g_scratch = folder;
    std::atexit(removeScratch);
    const std::string dir = std::string(folder) + "/";
    for (const char* name : {"sheet.plist", "sheet.png", "img.png", "digits.png"})
        copyFile(std::string(QUIBO_FUZZ_DATA) + "/" + name, dir + name);
    g_layoutPath = dir + "layout.json";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static unsigned runs = 0;
    {
        std::ofstream out(g_layoutPath, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    cc::CCSGUIReader::shareReader()->readLayoutFile(g_layoutPath.c_str());
    cc::CCPoolManager::sharedPoolManager()->pop();
    cc::releaseUiSingletons();
    if (++runs % kRunsBetweenCachePurges == 0) {
        cc::CCSpriteFrameCache::purgeSharedSpriteFrameCache();
        cc::CCTextureCache::purgeSharedTextureCache();
    }
    return 0;
}
