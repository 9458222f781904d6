// LayoutDump: a layout file read through the real reader, written back as a
// JSON description of the built widget tree (what each widget ended up with)
// and of the sprite frames the file loaded. Used by the quibo-layout tool.
#pragma once

#include <string>

#include <json/value.h>

namespace cc {

class UIWidget;

namespace layoutdump {

// One widget and its subtree: identity, placement, flags, colour and the
// kind's own settings under "state".
Json::Value describeWidget(UIWidget* widget);

// Reads the file with the shared reader. True and the description in out,
// or false when the reader refused the file (its message is already out).
bool dumpLayoutFile(const char* path, Json::Value& out);

// The description as indented JSON text.
std::string toText(const Json::Value& description);

} // namespace layoutdump
} // namespace cc
