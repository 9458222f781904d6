// A readable and a JSON picture of a node tree: class, position, content
// size, z-order, visibility and the bounding box in design coordinates.
// Other trees hung on nodes (widgets) add their keys through a describer.
#pragma once

#include <json/value.h>

#include <functional>
#include <string>

namespace cc {
class CCNode;
}

namespace quibo {

// The node's dynamic class name without its namespace ("CCScene").
std::string nodeClassName(const cc::CCNode* node);

// Adds keys to a node's JSON object and may append to its text line.
using NodeDescriber = std::function<void(cc::CCNode* node, Json::Value& object, std::string& textLine)>;
void addNodeDescriber(NodeDescriber describer);

struct SceneDump {
    std::string text; // one node a line, two spaces of indent per level
    Json::Value tree; // an array holding the root's object; children nested
};

// The picture of root and everything below it; an empty dump for null.
SceneDump dumpNodeTree(cc::CCNode* root);

} // namespace quibo
