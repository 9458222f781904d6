// The root container covers the director's window.
#include "gui/UIRootWidget.h"

#include "scene/CCDirector.h"

namespace cc {

UIRootWidget* UIRootWidget::create()
{
    UIRootWidget* root = new UIRootWidget();
    return autoreleasedOrNull(root, root->init());
}

const char* UIRootWidget::getTypeName() { return "RootWidget"; }

bool UIRootWidget::init()
{
    if (!Layout::init()) return false;
    setSize(CCDirector::sharedDirector()->getWinSize());
    return true;
}

} // namespace cc
