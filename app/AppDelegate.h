// The application delegate: on launch it sets up the director and the design
// resolution and runs the first scene; background and foreground switch the
// frame animation. The window and the loop are the engine application's.
#pragma once

#include "platform/CCApplication.h"

namespace quibo {

class AppDelegate : public cc::CCApplication {
public:
    AppDelegate() = default;
    ~AppDelegate() override = default;

    bool launch() override;
    void enterBackground() override;
    void enterForeground() override;

    // The layout size every screen is built in, stretched to the window.
    static constexpr float kDesignWidth = 640;
    static constexpr float kDesignHeight = 960;
    static constexpr double kFrameInterval = 1.0 / 60;
};

} // namespace quibo
