// A readable and a JSON picture of a node tree: class, position, content
// size, z-order, visibility and the bounding box in design coordinates, and
// what labels and sprites show. Other trees hung on nodes (widgets) add
// their keys through describers the caller passes in.
#pragma once

#include <json/value.h>

#include <functional>
#include <string>
#include <vector>

namespace cc {
class CCNode;
}

namespace quibo {

// The node's dynamic class name without its namespace ("CCScene").
std::string nodeClassName(const cc::CCNode* node);

// Adds keys to a node's JSON object and may append to its text line.
using NodeDescriber = std::function<void(cc::CCNode* node, Json::Value& object, std::string& textLine)>;

struct SceneDump {
    std::string text; // one node a line, two spaces of indent per level
    Json::Value tree; // an array holding the root's object; children nested
};

// The picture of root and everything below it; an empty dump for null.
// Every node goes through the describers after its own keys.
SceneDump dumpNodeTree(cc::CCNode* root, const std::vector<NodeDescriber>& describers = {});

// Text as valid UTF-8: each broken byte sequence becomes U+FFFD, so that a
// dump stays readable JSON whatever a label was given.
std::string asUtf8(const std::string& text);

// A text as the readable dump writes it: in double quotes, with quotes,
// backslashes and line breaks escaped.
std::string quotedText(const std::string& text);

// A file path shortened to the resource search path it lies under ("Images/
// up1.png"), or left whole when it lies under none.
std::string resourceRelative(const std::string& path);

} // namespace quibo
