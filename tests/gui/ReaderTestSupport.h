// Shared by the layout reader tests: layout files written on the fly into a
// private folder (with sub-folders), a small sprite sheet beside them, and a
// read that records what the reader printed on standard output.
#pragma once

#include "gui/CCSGUIReader.h"
#include "gui/UIWidget.h"
#include "gui/UiSingletons.h"
#include "platform/FrameDriver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace cc {
namespace readertest {

// A folder in the process's scratch folder, made on demand.
std::string scratchDir(const std::string& sub = "");
// Writes text as the file name (relative to scratchDir()); returns its full path.
std::string writeFile(const std::string& name, const std::string& text);
// A two-frame sprite sheet "<stem>.plist" + "<stem>.png" in the folder; frames
// "<stem>_a.png" (10 x 8) and "<stem>_b.png" (6 x 4).
std::string writeSheet(const std::string& folder, const std::string& stem);
// A solid PNG of the given size in the folder; returns its full path.
std::string writeImage(const std::string& folder, const std::string& name, int width, int height);

// A layout document around one widget tree (a JSON object text).
std::string layout(const std::string& widgetTree, const std::string& extraTopLevel = "");
// A widget node text.
std::string node(const std::string& className, const std::string& options, const std::string& children = "");

// The engine with a fresh set of layout services; purges them at the end.
struct ReaderFixture : ::testing::Test {
    std::unique_ptr<FrameDriver> driver;
    std::string printed; // standard output of the last read()
    void SetUp() override;
    void TearDown() override;
    // Reads through the shared reader and records standard output.
    UIWidget* read(const std::string& path);
    // Writes the document to name and reads it.
    UIWidget* readText(const std::string& name, const std::string& text) { return read(writeFile(name, text)); }
    CCSGUIReader* reader() const { return CCSGUIReader::shareReader(); }
};

} // namespace readertest
} // namespace cc
