// Opening the page scene and the main menu from outside a page.
#include "book/OpenPage.h"
#include "book/SetLayer.h"

#include "book/PageScene.h"
#include "book/TestController.h"
#include "book/TestLayer1.h"

#include "base/CCLog.h"
#include "scene/CCDirector.h"

namespace quibo {

bool openPage()
{
    PageScene* scene = PageScene::create();
    TestLayer1* layer = scene ? TestLayer1::create() : nullptr;
    if (!layer) {
        cc::CCLog("openPage: the page scene could not be built");
        return false;
    }
    scene->addChild(layer);
    cc::CCDirector::sharedDirector()->replaceScene(scene);
    return true;
}

bool returnToMainMenu()
{
    cc::CCScene* scene = TestController::scene();
    if (!scene) {
        cc::CCLog("returnToMainMenu: the main menu could not be built");
        return false;
    }
    cc::CCDirector::sharedDirector()->replaceScene(scene);
    return true;
}

cc::CCLayer* createSettingsPanel()
{
    return SetLayer::create();
}

} // namespace quibo
