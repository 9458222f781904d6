// Keyboard input from the real window reaches an attached text field: typed
// text, Backspace, and Return, which closes input.
#include "engine.h"
#include "platform/FrameDriver.h"
#include "platform/WindowBackend.h"
#include "text/CCTextFieldTTF.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstring>

using namespace cc;

namespace {
void pushText(const char* text)
{
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, text, sizeof e.text.text - 1);
    SDL_PushEvent(&e);
}

void pushKey(SDL_Keycode key)
{
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = key;
    SDL_PushEvent(&e);
}

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
