// Shared pieces of the widget tests: a listener that writes an event log, a
// widget that logs its look changes, and a running scene hosting a UILayer.
#pragma once

#include "gui/UILayer.h"
#include "gui/UIRootWidget.h"
#include "gui/UIWidget.h"
#include "platform/FrameDriver.h"
#include "scene/CCScene.h"

#include <memory>
#include <string>
#include <vector>

namespace cc {
namespace guitest {

inline const char* kindName(TouchPhase kind)
{
    switch (kind) {
    case kTouchBegan: return "began";
    case kTouchMoved: return "moved";
    case kTouchEnded: return "ended";
    default: return "canceled";
    }
}

// Listener target: logs "<widget name>:<kind>".
struct EventLog : CCObject {
    std::vector<std::string> events;
    void onTouch(CCObject* sender, TouchPhase kind)
    {
        events.push_back(std::string(static_cast<UIWidget*>(sender)->getName()) + ":" + kindName(kind));
    }
    void listenTo(UIWidget* w) { w->setTouchListener(this, toucheventselector(EventLog::onTouch)); }
};

// A leaf widget that logs its looks and the child touches it hears.
struct LookWidget : UIWidget {
    std::vector<std::string> looks;
    std::vector<std::string> intercepted;
    static LookWidget* make(const char* name, const CCPoint& pos, const CCSize& size)
    {
        LookWidget* w = new LookWidget();
        w->init();
        w->autorelease();
        w->setName(name);
        w->setIgnoreSize(false);
        w->setSize(size);
        w->setPosition(pos);
        w->setTouchEnabled(true);
        w->looks.clear();
        return w;
    }
    void onNormalState() override { looks.push_back("normal"); }
    void onPressedState() override { looks.push_back("pressed"); }
    void onDisabledState() override { looks.push_back("disabled"); }
    void interceptChildTouch(TouchPhase phase, UIWidget* sender, const CCPoint& p) override
    {
        intercepted.push_back(std::to_string(phase) + ":" + sender->getName());
        UIWidget::interceptChildTouch(phase, sender, p);
    }
};

// A running scene with one UILayer in it, driven by a frame driver.
struct Stage {
    std::unique_ptr<FrameDriver> driver{new FrameDriver()};
    CCScene* scene = nullptr;
    UILayer* layer = nullptr;
    Stage()
    {
        scene = CCScene::create();
        layer = UILayer::create();
        scene->addChild(layer);
        driver->show(scene);
    }
    UIRootWidget* root() const { return layer->getRootWidget(); }
};

} // namespace guitest
} // namespace cc
