// Node tree dumps, depth first in child order.
#include "app/SceneDump.h"

#include "base/CCArray.h"
#include "base/CCGeometry.h"
#include "scene/CCNode.h"

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <typeinfo>
#include <vector>

namespace quibo {

namespace {

std::vector<NodeDescriber>& describers()
{
    static std::vector<NodeDescriber> list;
    return list;
}

Json::Value pair(float a, float b)
{
    Json::Value v(Json::arrayValue);
    v.append(a);
    v.append(b);
    return v;
}

Json::Value describe(cc::CCNode* node, int depth, std::string& text)
{
    const cc::CCPoint& pos = node->getPosition();
    const cc::CCSize& size = node->getContentSize();
    const cc::CCRect box = cc::CCRectApplyAffineTransform(cc::CCRect(0, 0, size.width, size.height),
                                                          node->nodeToWorldTransform());
    Json::Value object(Json::objectValue);
    object["class"] = nodeClassName(node);
    object["position"] = pair(pos.x, pos.y);
    object["size"] = pair(size.width, size.height);
    object["z"] = node->getZOrder();
    object["visible"] = node->isVisible();
    Json::Value boxValue(Json::arrayValue);
    boxValue.append(box.origin.x);
    boxValue.append(box.origin.y);
    boxValue.append(box.size.width);
    boxValue.append(box.size.height);
    object["box"] = boxValue;

    char buf[256];
    std::snprintf(buf, sizeof buf, "%s pos=(%g,%g) size=(%g,%g) z=%d visible=%d", nodeClassName(node).c_str(), pos.x,
                  pos.y, size.width, size.height, node->getZOrder(), node->isVisible() ? 1 : 0);
    std::string line = std::string(static_cast<size_t>(depth) * 2, ' ') + buf;
    for (const NodeDescriber& d : describers()) {
        d(node, object, line);
    }
    text += line + "\n";

    Json::Value children(Json::arrayValue);
    cc::CCObject* child = nullptr;
    CCARRAY_FOREACH(node->getChildren(), child)
    {
        if (cc::CCNode* n = dynamic_cast<cc::CCNode*>(child)) {
            children.append(describe(n, depth + 1, text));
        }
    }
    object["children"] = children;
    return object;
}

} // namespace

std::string nodeClassName(const cc::CCNode* node)
{
    if (!node) {
        return std::string();
    }
    const char* mangled = typeid(*node).name();
    int status = 0;
    char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = status == 0 && demangled ? demangled : mangled;
    std::free(demangled);
    const size_t colon = name.rfind("::");
    return colon == std::string::npos ? name : name.substr(colon + 2);
}

void addNodeDescriber(NodeDescriber describer) { describers().push_back(std::move(describer)); }

SceneDump dumpNodeTree(cc::CCNode* root)
{
    SceneDump dump;
    dump.tree = Json::Value(Json::arrayValue);
    if (root) {
        dump.tree.append(describe(root, 0, dump.text));
    }
    return dump;
}

} // namespace quibo
