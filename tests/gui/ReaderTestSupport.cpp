// Helpers of the layout reader tests.
#include "ReaderTestSupport.h"

#include "gui/widgets/WidgetTestSupport.h"

#include "base/CCAutoreleasePool.h"
#include "platform/CCFileUtils.h"
#include "render/CCSpriteFrameCache.h"
#include "render/CCTextureCache.h"

#include <sys/stat.h>

#include <cstdio>
#include <fstream>

namespace cc {
namespace readertest {

namespace {
// mkdir -p
void makeFolders(const std::string& dir)
{
    for (size_t slash = dir.find('/', 1); slash != std::string::npos; slash = dir.find('/', slash + 1))
        mkdir(dir.substr(0, slash).c_str(), 0700);
    mkdir(dir.c_str(), 0700);
}
} // namespace

std::string scratchDir(const std::string& sub)
{
    const std::string dir = widgettest::tempDir() + "/reader" + (sub.empty() ? "" : "/" + sub);
    makeFolders(dir);
    return dir;
}

std::string writeFile(const std::string& name, const std::string& text)
{
    const std::string path = scratchDir() + "/" + name;
    const size_t slash = path.rfind('/');
    makeFolders(path.substr(0, slash));
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return path;
}

std::string writeImage(const std::string& folder, const std::string& name, int width, int height)
{
    const std::string sub = scratchDir(folder);
    const std::string path = widgettest::writeSolidPNG("reader/" + folder + "/" + name, width, height, {90, 120, 200, 255});
    (void)sub;
    return path;
}

std::string writeSheet(const std::string& folder, const std::string& stem)
{
    writeImage(folder, stem + ".png", 16, 8);
    auto frame = [](const std::string& name, int x, int w, int h) {
        const std::string size = "{" + std::to_string(w) + "," + std::to_string(h) + "}";
        return "<key>" + name + "</key><dict><key>frame</key><string>{{" + std::to_string(x) + ",0}," + size +
               "}</string><key>offset</key><string>{0,0}</string><key>rotated</key><false/>"
               "<key>sourceColorRect</key><string>{{0,0}," + size + "}</string><key>sourceSize</key><string>" +
               size + "</string></dict>";
    };
    const std::string plist =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>frames</key><dict>" +
        frame(stem + "_a.png", 0, 10, 8) + frame(stem + "_b.png", 10, 6, 4) +
        "</dict><key>metadata</key><dict><key>format</key><integer>2</integer><key>textureFileName</key><string>" +
        stem + ".png</string></dict></dict></plist>\n";
    return writeFile(folder + "/" + stem + ".plist", plist);
}

std::string layout(const std::string& widgetTree, const std::string& extraTopLevel)
{
    std::string text = "{\"designWidth\": 640, \"designHeight\": 960";
    if (!extraTopLevel.empty()) text += ", " + extraTopLevel;
    return text + ", \"widgetTree\": " + widgetTree + "}";
}

std::string node(const std::string& className, const std::string& options, const std::string& children)
{
    return "{\"classname\": \"" + className + "\", \"options\": {" + options + "}, \"children\": [" + children + "]}";
}

void ReaderFixture::SetUp()
{
    driver.reset(new FrameDriver());
    releaseUiSingletons();
    CCSpriteFrameCache::purgeSharedSpriteFrameCache();
}

void ReaderFixture::TearDown()
{
    releaseUiSingletons();
    CCSpriteFrameCache::purgeSharedSpriteFrameCache();
    CCTextureCache::purgeSharedTextureCache();
    CCFileUtils::purgeFileUtils();
    driver.reset();
}

UIWidget* ReaderFixture::read(const std::string& path)
{
    std::fflush(stdout);
    ::testing::internal::CaptureStdout();
    UIWidget* root = reader()->readLayoutFile(path.c_str());
    std::fflush(stdout);
    printed = ::testing::internal::GetCapturedStdout();
    return root;
}

} // namespace readertest
} // namespace cc
