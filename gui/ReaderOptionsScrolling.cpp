// Option groups of the scrolling containers: the scroll view and the drag
// panel read the container group without the clipping switch (they always
// clip), then their inner size; the page view reads the container group.
#include "gui/CCSGUIReader.h"

#include "gui/JsonFieldReader.h"
#include "gui/widgets/UIDragPanel.h"
#include "gui/widgets/UIPageView.h"
#include "gui/widgets/UIScrollView.h"

namespace cc {

void CCSGUIReader::setPropsForScrollViewFromJsonDictionary(UIWidget* widget, const Json::Value* options)
{
    setPropsForPanelFromJsonDictionary(widget, options, false);
    if (UIScrollView* view = dynamic_cast<UIScrollView*>(widget)) {
        view->setInnerContainerSize(CCSize(numberOption(options, "innerWidth"), numberOption(options, "innerHeight")));
        // A number in the file, kept as its integer part; unknown values scroll nowhere.
        const int direction = static_cast<int>(numberOption(options, "direction"));
        view->setDirection(direction == SCROLLVIEW_DIR_VERTICAL || direction == SCROLLVIEW_DIR_HORIZONTAL
                               ? static_cast<ScrollDirection>(direction)
                               : SCROLLVIEW_DIR_NONE);
    }
    setPropsForWidgetFromJsonDictionary(widget, options);
    setColorPropsForWidgetFromJsonDictionary(widget, options);
}

void CCSGUIReader::setPropsForDragPanelFromJsonDictionary(UIWidget* widget, const Json::Value* options)
{
    setPropsForPanelFromJsonDictionary(widget, options, false);
    if (UIDragPanel* panel = dynamic_cast<UIDragPanel*>(widget)) {
        panel->setBounceEnabled(fields()->getBoolValue(options, "bounceEnable"));
        panel->setInnerContainerSize(CCSize(numberOption(options, "innerWidth"), numberOption(options, "innerHeight")));
    }
    setPropsForWidgetFromJsonDictionary(widget, options);
    setColorPropsForWidgetFromJsonDictionary(widget, options);
}

void CCSGUIReader::setPropsForPageViewFromJsonDictionary(UIWidget* widget, const Json::Value* options)
{
    setPropsForPanelFromJsonDictionary(widget, options);
    setColorPropsForWidgetFromJsonDictionary(widget, options);
}

} // namespace cc
