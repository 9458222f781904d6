// Shared by the animation timeline tests: a running scene on a virtual clock
// of 1/8 s frames, layout files with an "animation" section read through the
// real reader, and small builders for the section's JSON text.
#pragma once

#include "gui/UIWidget.h"
#include "platform/FrameDriver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace cc {

class CCScene;
class UILayer;

namespace timelinetest {

// Exact in binary, so n frames are exactly n / 8 seconds.
constexpr float kFrameTime = 0.125f;

// A key-frame object: "frameid" plus the given members.
std::string keyFrame(int frameId, const std::string& members);
// A track object for the action tag with the key-frame objects.
std::string track(int actionTag, const std::string& frames);
// An animation object: name, optional extra members (loop, unittime), tracks.
std::string animation(const std::string& name, const std::string& extra, const std::string& tracks);
// A layout: a 640 x 960 panel holding an image view "w" at (100, 100) with
// action tag 7, and the "animation" section with the animation objects.
std::string layoutWithAnimations(const std::string& animations);

struct TimelineFixture : ::testing::Test {
    std::unique_ptr<FrameDriver> driver;
    CCScene* scene = nullptr;
    UILayer* layer = nullptr;
    void SetUp() override;
    void TearDown() override;
    // Writes the layout file under name, reads it with the shared reader and
    // puts its root widget on stage; null when the reader refused it.
    UIWidget* readOnStage(const std::string& name, const std::string& text);
    // Frames of kFrameTime.
    void stepSeconds(float seconds) { driver->step(static_cast<int>(seconds / kFrameTime + 0.5f)); }
};

} // namespace timelinetest
} // namespace cc
