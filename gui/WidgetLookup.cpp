// Widget search and the once-per-name sprite-sheet loading.
#include "gui/WidgetLookup.h"

#include <cstring>

#include "base/CCArray.h"
#include "base/CCString.h"
#include "gui/UIWidget.h"
#include "render/CCSpriteFrameCache.h"
#include "scene/CCDirector.h"

namespace cc {

namespace {
WidgetLookup* s_sharedLookup = nullptr;

template <class Matches>
UIWidget* findFirst(UIWidget* widget, const Matches& matches)
{
    if (!widget) return nullptr;
    if (matches(widget)) return widget;
    CCObject* obj = nullptr;
    CCARRAY_FOREACH(widget->getChildren(), obj)
    {
        if (UIWidget* found = findFirst(static_cast<UIWidget*>(obj), matches)) return found;
    }
    return nullptr;
}
} // namespace

WidgetLookup* WidgetLookup::shareWidgetLookup()
{
    if (!s_sharedLookup) s_sharedLookup = new WidgetLookup();
    return s_sharedLookup;
}

void WidgetLookup::purgeWidgetLookup() { CC_SAFE_RELEASE_NULL(s_sharedLookup); }

WidgetLookup::WidgetLookup()
{
    const CCSize win = CCDirector::sharedDirector()->getWinSize();
    m_fileDesignWidth = win.width;
    m_fileDesignHeight = win.height;
    m_pLoadedSpriteSheets.reset(CCArray::create());
    // A process-wide service, like the engine caches: not a leak of any screen.
    excludeFromLiveCount();
    m_pLoadedSpriteSheets->excludeFromLiveCount();
}

WidgetLookup::~WidgetLookup() = default;

UIWidget* WidgetLookup::findWidgetByName(UIWidget* root, const char* name)
{
    if (!name) return nullptr;
    return findFirst(root, [name](UIWidget* w) { return std::strcmp(w->getName(), name) == 0; });
}

UIWidget* WidgetLookup::findWidgetByActionTag(UIWidget* root, int actionTag)
{
    return findFirst(root, [actionTag](UIWidget* w) { return w->getActionTag() == actionTag; });
}

bool WidgetLookup::isSpriteSheetLoaded(const char* plistFile) const
{
    if (!plistFile) return false;
    for (CCObject* obj : *m_pLoadedSpriteSheets) {
        if (static_cast<CCString*>(obj)->compare(plistFile) == 0) return true;
    }
    return false;
}

void WidgetLookup::loadSpriteSheet(const char* plistFile)
{
    if (!plistFile || !*plistFile || isSpriteSheetLoaded(plistFile)) return;
    CCString* entry = CCString::create(plistFile);
    entry->excludeFromLiveCount();
    m_pLoadedSpriteSheets->addObject(entry);
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile(plistFile);
}

void WidgetLookup::setFileDesignSize(float width, float height)
{
    m_fileDesignWidth = width;
    m_fileDesignHeight = height;
}

} // namespace cc
