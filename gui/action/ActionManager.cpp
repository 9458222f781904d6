// The shared animation store: one entry per layout file name, replaced on
// every read of that name and dropped at the purge.
#include "gui/action/ActionManager.h"

#include <cstring>

#include "base/CCArray.h"
#include "base/CCDictionary.h"
#include "gui/JsonFieldReader.h"
#include "gui/UIWidget.h"
#include "gui/action/ActionObject.h"

namespace cc {

namespace {
ActionManager* s_sharedActionManager = nullptr;
} // namespace

ActionManager* ActionManager::shareManager()
{
    if (!s_sharedActionManager) s_sharedActionManager = new ActionManager();
    return s_sharedActionManager;
}

void ActionManager::purgeActionManager()
{
    if (!s_sharedActionManager) return;
    ActionManager* manager = s_sharedActionManager;
    s_sharedActionManager = nullptr;
    manager->m_pAnimationsByFile->removeAllObjects();
    manager->m_sectionsByFile.clear();
    manager->release();
}

ActionManager::ActionManager()
{
    m_pAnimationsByFile.reset(CCDictionary::create());
    // A process-wide service, like the engine caches: not a leak of any screen.
    // What it stores is counted, so a screen's animations left behind show.
    excludeFromLiveCount();
    m_pAnimationsByFile->excludeFromLiveCount();
}

ActionManager::~ActionManager() = default;

std::string ActionManager::fileKey(const char* path)
{
    if (!path) return std::string();
    const char* slash = std::strrchr(path, '/');
    return slash ? std::string(slash + 1) : std::string(path);
}

void ActionManager::readFileAnimations(const char* path, Json::Value section, UIWidget* root)
{
    const std::string key = fileKey(path);
    const JsonFieldReader* f = JsonFieldReader::shareReader();
    CCArray* animations = CCArray::create();
    const int count = f->getArrayCount(&section, "actionlist");
    for (int i = 0; i < count; ++i) {
        const Json::Value* element = f->getArrayElement(&section, "actionlist", i);
        if (!element) continue;
        ActionObject* animation = ActionObject::create();
        animation->readFromJson(element, root);
        animations->addObject(animation);
    }
    m_pAnimationsByFile->setObject(animations, key);
    m_sectionsByFile[key] = std::move(section);
}

ActionObject* ActionManager::getActionByName(const char* fileName, const char* name) const
{
    CCArray* animations = getAnimationsOfFile(fileName);
    if (!animations || !name) return nullptr;
    for (unsigned int i = 0; i < animations->count(); ++i) {
        ActionObject* animation = static_cast<ActionObject*>(animations->objectAtIndex(i));
        if (std::strcmp(animation->getName(), name) == 0) return animation;
    }
    return nullptr;
}

bool ActionManager::playActionByName(const char* fileName, const char* name)
{
    ActionObject* animation = getActionByName(fileName, name);
    if (animation) animation->play();
    return animation != nullptr;
}

bool ActionManager::stopActionByName(const char* fileName, const char* name)
{
    ActionObject* animation = getActionByName(fileName, name);
    if (animation) animation->stop();
    return animation != nullptr;
}

CCArray* ActionManager::getAnimationsOfFile(const char* fileName) const
{
    if (!fileName) return nullptr;
    return static_cast<CCArray*>(m_pAnimationsByFile->objectForKey(std::string(fileName)));
}

const Json::Value* ActionManager::getAnimationSection(const char* fileName) const
{
    if (!fileName) return nullptr;
    auto it = m_sectionsByFile.find(fileName);
    return it == m_sectionsByFile.end() ? nullptr : &it->second;
}

unsigned int ActionManager::getFileCount() const { return m_pAnimationsByFile->count(); }

} // namespace cc
