// Helpers of the animation timeline tests.
#include "TimelineTestSupport.h"

#include "gui/ReaderTestSupport.h"

#include "gui/CCSGUIReader.h"
#include "gui/UILayer.h"
#include "gui/UIRootWidget.h"
#include "gui/UiSingletons.h"
#include "platform/CCFileUtils.h"
#include "render/CCSpriteFrameCache.h"
#include "render/CCTextureCache.h"
#include "scene/CCScene.h"

namespace cc {
namespace timelinetest {

std::string keyFrame(int frameId, const std::string& members)
{
    return "{\"frameid\": " + std::to_string(frameId) + (members.empty() ? "" : ", " + members) + "}";
}

std::string track(int actionTag, const std::string& frames)
{
    return "{\"ActionTag\": " + std::to_string(actionTag) + ", \"actionframelist\": [" + frames + "]}";
}

std::string animation(const std::string& name, const std::string& extra, const std::string& tracks)
{
    return "{\"name\": \"" + name + "\"" + (extra.empty() ? "" : ", " + extra) + ", \"actionnodelist\": [" +
           tracks + "]}";
}

std::string layoutWithAnimations(const std::string& animations)
{
    using readertest::node;
    const std::string tree =
        node("Panel", "\"width\": 640, \"height\": 960",
             node("ImageView", R"("name": "w", "actiontag": 7, "x": 100, "y": 100, "width": 20, "height": 20)"));
    return readertest::layout(tree, "\"animation\": {\"actionlist\": [" + animations + "]}");
}

void TimelineFixture::SetUp()
{
    driver.reset(new FrameDriver(kFrameTime));
    releaseUiSingletons();
    scene = CCScene::create();
    layer = UILayer::create();
    scene->addChild(layer);
    driver->show(scene);
}

void TimelineFixture::TearDown()
{
    releaseUiSingletons();
    CCSpriteFrameCache::purgeSharedSpriteFrameCache();
    CCTextureCache::purgeSharedTextureCache();
    CCFileUtils::purgeFileUtils();
    driver.reset();
}

UIWidget* TimelineFixture::readOnStage(const std::string& name, const std::string& text)
{
    const std::string path = readertest::writeFile("timeline/" + name, text);
    UIWidget* root = CCSGUIReader::shareReader()->readLayoutFile(path.c_str());
    if (root) layer->addWidget(root);
    return root;
}

} // namespace timelinetest
} // namespace cc
