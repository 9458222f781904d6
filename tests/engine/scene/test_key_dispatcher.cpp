// The key dispatcher: window delegates before screens, the newest screen
// first, a used key goes no further, screen keys wait while a transition
// holds touches back, and delegates leaving during a dispatch.
#include "platform/FrameDriver.h"
#include "scene/CCDirector.h"
#include "scene/CCKeyDispatcher.h"
#include "scene/CCScene.h"
#include "scene/CCTouchDispatcher.h"
#include "transitions/CCTransitionScene.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace cc;

namespace {
struct Listener : CCKeyDelegate {
    Listener(std::vector<std::string>& log, std::string name, bool uses) : log(log), name(std::move(name)), uses(uses)
    {
    }
    bool ccKeyPressed(const CCKeyEvent& e) override
    {
        log.push_back(name + ":" + std::to_string(e.key) + (e.repeat ? "r" : ""));
        if (onKey) onKey();
        return uses;
    }
    std::vector<std::string>& log;
    std::string name;
    bool uses;
    std::function<void()> onKey;
};

CCKeyEvent key(CCKeyCode code, bool repeat = false)
{
    CCKeyEvent e;
    e.key = code;
    e.repeat = repeat;
    return e;
}
} // namespace

TEST(KeyDispatcher, WindowDelegatesFirstThenTheNewestScreenAndAUsedKeyStops)
{
    std::vector<std::string> log;
    bool holding = false;
    CCKeyDispatcher keys([&] { return holding; });
    Listener older(log, "older", false), newer(log, "newer", true), window(log, "window", false);
    keys.addDelegate(&older);
    keys.addDelegate(&newer);
    keys.addWindowDelegate(&window);
    keys.addDelegate(&newer); // once only
    EXPECT_TRUE(keys.dispatchKeyPressed(key(kCCKeyLeft)));
    EXPECT_EQ((std::vector<std::string>{"window:1", "newer:1"}), log);

    log.clear();
    keys.removeDelegate(&newer);
    EXPECT_FALSE(keys.isRegistered(&newer));
    EXPECT_FALSE(keys.dispatchKeyPressed(key(kCCKeyRight, true)));
    EXPECT_EQ((std::vector<std::string>{"window:2r", "older:2r"}), log);

    // Held back: only the window hears it.
    log.clear();
    holding = true;
    EXPECT_FALSE(keys.dispatchKeyPressed(key(kCCKeyF11)));
    EXPECT_EQ((std::vector<std::string>{"window:10"}), log);
    EXPECT_FALSE(keys.dispatchKeyPressed(key(kCCKeyNone)));
    EXPECT_EQ(1u, log.size());
}

TEST(KeyDispatcher, DelegatesLeavingOrArrivingDuringADispatch)
{
    std::vector<std::string> log;
    CCKeyDispatcher keys;
    Listener first(log, "first", false), second(log, "second", false), late(log, "late", false);
    keys.addDelegate(&second);
    keys.addDelegate(&first); // heard first
    // The first screen leaves and makes the next: the one it removed hears
    // nothing more, the new one hears from the next key on.
    first.onKey = [&] {
        keys.removeDelegate(&second);
        keys.removeDelegate(&first);
        keys.addDelegate(&late);
    };
    keys.dispatchKeyPressed(key(kCCKeyEscape));
    EXPECT_EQ((std::vector<std::string>{"first:9"}), log);
    log.clear();
    first.onKey = nullptr;
    keys.dispatchKeyPressed(key(kCCKeyEscape));
    EXPECT_EQ((std::vector<std::string>{"late:9"}), log);
}

TEST(KeyDispatcher, TheDirectorsDispatcherHoldsScreenKeysBackDuringATransition)
{
    FrameDriver driver;
    CCKeyDispatcher* keys = driver.director()->getKeyDispatcher();
    ASSERT_NE(nullptr, keys);
    std::vector<std::string> log;
    Listener screen(log, "screen", true);
    keys->addDelegate(&screen);
    driver.show(CCScene::create());
    EXPECT_TRUE(keys->dispatchKeyPressed(key(kCCKeySpace)));
    driver.director()->replaceScene(CCTransitionScene::create(0.5f, CCScene::create()));
    driver.step();
    ASSERT_FALSE(driver.director()->getTouchDispatcher()->isDispatchEvents());
    EXPECT_FALSE(keys->dispatchKeyPressed(key(kCCKeySpace)));
    driver.advance(0.6);
    EXPECT_TRUE(keys->dispatchKeyPressed(key(kCCKeySpace)));
    EXPECT_EQ(2u, log.size());
    keys->removeDelegate(&screen);
}
