// Keyboard input from the real window reaches an attached text field: typed
// text, Backspace, and Return, which closes input; without a field, keys
// reach the director's key dispatcher in the engine's key codes.
#include "engine.h"
#include "platform/FrameDriver.h"
#include "platform/WindowBackend.h"
#include "scene/CCKeyDispatcher.h"
#include "text/CCTextFieldTTF.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace cc;

namespace {
void pushText(const char* text)
{
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, text, sizeof e.text.text - 1);
    SDL_PushEvent(&e);
}

void pushKey(SDL_Keycode key, Uint16 mod = KMOD_NONE, bool repeat = false)
{
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = key;
    e.key.keysym.mod = mod;
    e.key.repeat = repeat ? 1 : 0;
    e.key.state = SDL_PRESSED;
    SDL_PushEvent(&e);
}

struct KeyLog : CCKeyDelegate {
    std::vector<CCKeyEvent> keys;
    bool ccKeyPressed(const CCKeyEvent& e) override
    {
        keys.push_back(e);
        return true;
    }
};

void pump()
{
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->getBackend()->pollEvents(view);
}
} // namespace

TEST(WindowKeyboard, TypedTextBackspaceAndReturnReachTheAttachedField)
{
    FrameDriver driver;
    if (!driver.enableRendering(320, 480)) {
        GTEST_SKIP() << "no display: the window's keyboard needs one (the test command runs under Xvfb)";
    }
    CCScene* scene = CCScene::create();
    CCTextFieldTTF* field = CCTextFieldTTF::textFieldWithPlaceHolder("name", "Arial", 20);
    scene->addChild(field);
    driver.show(scene);

    pushText("ignored"); // nothing holds the keyboard yet
    pump();
    EXPECT_STREQ(field->getString(), "");

    ASSERT_TRUE(field->attachWithIME());
    EXPECT_TRUE(SDL_IsTextInputActive());
    pushText("h\xC3\xA9");
    pushText("llo");
    pushKey(SDLK_BACKSPACE);
    pump();
    EXPECT_STREQ(field->getString(), "h\xC3\xA9ll");
    pushKey(SDLK_BACKSPACE);
    pushKey(SDLK_BACKSPACE);
    pushKey(SDLK_BACKSPACE); // a whole two-byte character
    pump();
    EXPECT_STREQ(field->getString(), "h");

    pushKey(SDLK_RETURN);
    pump();
    EXPECT_FALSE(SDL_IsTextInputActive()); // Return detached the field
    pushText("x");
    pump();
    EXPECT_STREQ(field->getString(), "h");
}

TEST(WindowKeyboard, KeysReachTheKeyDispatcherUnlessAFieldHoldsTheKeyboard)
{
    FrameDriver driver;
    if (!driver.enableRendering(320, 480)) {
        GTEST_SKIP() << "no display: the window's keyboard needs one (the test command runs under Xvfb)";
    }
    CCScene* scene = CCScene::create();
    CCTextFieldTTF* field = CCTextFieldTTF::textFieldWithPlaceHolder("name", "Arial", 20);
    scene->addChild(field);
    driver.show(scene);
    KeyLog log;
    driver.director()->getKeyDispatcher()->addDelegate(&log);

    const SDL_Keycode sdlKeys[] = {SDLK_LEFT,  SDLK_RIGHT,  SDLK_UP,     SDLK_DOWN, SDLK_PAGEUP,      SDLK_PAGEDOWN,
                                   SDLK_SPACE, SDLK_RETURN, SDLK_ESCAPE, SDLK_F11,  SDLK_LEFTBRACKET, SDLK_q,
                                   SDLK_a,     SDLK_RIGHTBRACKET};
    const CCKeyCode codes[] = {kCCKeyLeft,  kCCKeyRight,  kCCKeyUp,     kCCKeyDown, kCCKeyPageUp,      kCCKeyPageDown,
                               kCCKeySpace, kCCKeyReturn, kCCKeyEscape, kCCKeyF11,  kCCKeyLeftBracket, kCCKeyQ,
                               kCCKeyOther, kCCKeyRightBracket};
    for (SDL_Keycode k : sdlKeys) pushKey(k);
    pushKey(SDLK_q, KMOD_LCTRL);
    pushKey(SDLK_RIGHT, KMOD_NONE, true);
    pushKey(SDLK_KP_ENTER, KMOD_RSHIFT);
    pump();
    ASSERT_EQ(17u, log.keys.size());
    for (size_t i = 0; i < 14; ++i) {
        EXPECT_EQ(codes[i], log.keys[i].key) << i;
        EXPECT_EQ(kCCKeyModifierNone, log.keys[i].modifiers) << i;
        EXPECT_FALSE(log.keys[i].repeat) << i;
    }
    EXPECT_EQ(kCCKeyQ, log.keys[14].key);
    EXPECT_TRUE(log.keys[14].hasOnly(kCCKeyModifierCtrl));
    EXPECT_TRUE(log.keys[15].repeat);
    EXPECT_EQ(kCCKeyReturn, log.keys[16].key);
    EXPECT_EQ(kCCKeyModifierShift, log.keys[16].modifiers);

    // A text field holding the keyboard takes the keys for itself.
    log.keys.clear();
    ASSERT_TRUE(field->attachWithIME());
    pushKey(SDLK_SPACE);
    pushKey(SDLK_RIGHT);
    pump();
    EXPECT_TRUE(log.keys.empty());
    pushKey(SDLK_RETURN); // closes input
    pump();
    pushKey(SDLK_SPACE);
    pump();
    EXPECT_EQ(1u, log.keys.size());
    driver.director()->getKeyDispatcher()->removeDelegate(&log);
}
