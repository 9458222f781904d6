// Widgets are not nodes: the UI layers under the dumped root are found
// first, and their widget trees walked, to know which node belongs to which
// widget.
#include "app/WidgetDescriber.h"

#include "gui/UILayer.h"
#include "gui/UIRootWidget.h"
#include "gui/UIWidget.h"
#include "gui/widgets/InnerContainer.h"

#include "base/CCArray.h"
#include "scene/CCNode.h"

#include <memory>
#include <unordered_map>

namespace quibo {

namespace {

using WidgetsByNode = std::unordered_map<const cc::CCNode*, cc::UIWidget*>;

void addWidgets(cc::UIWidget* widget, WidgetsByNode& out)
{
    if (!widget) return;
    if (cc::CCNode* node = widget->getOwnRenderNode()) out[node] = widget;
    // A scrolling view lists its inner container's children as its own; the
    // container itself is a widget too.
    if (cc::InnerContainerLayout* view = dynamic_cast<cc::InnerContainerLayout*>(widget)) {
        if (cc::Layout* inner = view->getInnerContainer()) {
            if (cc::CCNode* node = inner->getOwnRenderNode()) out[node] = inner;
        }
    }
    if (cc::CCArray* children = widget->getChildren()) {
        for (cc::CCObject* child : *children) addWidgets(static_cast<cc::UIWidget*>(child), out);
    }
}

void findLayers(cc::CCNode* node, WidgetsByNode& out)
{
    if (!node) return;
    if (cc::UILayer* layer = dynamic_cast<cc::UILayer*>(node)) addWidgets(layer->getRootWidget(), out);
    if (cc::CCArray* children = node->getChildren()) {
        for (cc::CCObject* child : *children) findLayers(dynamic_cast<cc::CCNode*>(child), out);
    }
}

// The widget's own rectangle (the one it is touched in) in design
// coordinates, as x, y, width, height.
Json::Value widgetBox(cc::UIWidget* w, cc::CCNode* node)
{
    const cc::CCRect box = cc::CCRectApplyAffineTransform(w->getWidgetRect(), node->nodeToWorldTransform());
    Json::Value v(Json::arrayValue);
    v.append(box.origin.x);
    v.append(box.origin.y);
    v.append(box.size.width);
    v.append(box.size.height);
    return v;
}

} // namespace

NodeDescriber widgetDescriber(cc::CCNode* root)
{
    auto widgets = std::make_shared<WidgetsByNode>();
    findLayers(root, *widgets);
    return [widgets](cc::CCNode* node, Json::Value& object, std::string& line) {
        const auto found = widgets->find(node);
        if (found == widgets->end()) return;
        cc::UIWidget* w = found->second;
        const std::string name = asUtf8(w->getName());
        object["widget"] = w->getTypeName();
        object["name"] = name;
        object["tag"] = w->getTag();
        object["widgetBox"] = widgetBox(w, node);
        line += std::string(" widget=") + w->getTypeName() + " name=" + quotedText(name) + " tag=" + std::to_string(w->getTag());
    };
}

} // namespace quibo
