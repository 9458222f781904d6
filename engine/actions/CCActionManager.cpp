// The per-frame walk over running actions, and the bookkeeping that keeps it
// safe when actions are added or removed from inside a step. What an action
// does to its target is left to the actions themselves.
#include "actions/CCActionManager.h"

#include "actions/CCAction.h"
#include "base/CCLog.h"
#include "scene/CCNode.h"

#include <algorithm>

namespace cc {

namespace {
// Targets are stored as nodes but looked up as plain objects.
CCObject* asObject(CCNode* node) { return node; }
} // namespace

CCActionManager::~CCActionManager()
{
    for (Entry& e : m_entries) {
        if (!e.removed) {
            e.action->stop();
        }
        e.action->release();
    }
    m_entries.clear();
}

void CCActionManager::addAction(CCAction* action, CCNode* target, bool paused)
{
    if (!action || !target) {
        CCLog("CCActionManager: an action needs both an action and a target");
        return;
    }
    for (const Entry& e : m_entries) {
        if (e.action == action && !e.removed) {
            CCLog("CCActionManager: action %u is already running", action->getUniqueID());
            return;
        }
    }
    action->retain();
    m_entries.push_back(Entry{action, target, false});
    if (paused) {
        pauseTarget(asObject(target));
    }
    action->startWithTarget(target);
}

void CCActionManager::dropEntry(size_t index)
{
    Entry& e = m_entries[index];
    if (!e.removed) {
        e.removed = true;
        e.action->stop();
    }
    if (m_walkDepth > 0) {
        return; // released when the walk ends
    }
    CCAction* action = e.action;
    m_entries.erase(m_entries.begin() + static_cast<long>(index));
    action->release();
}

void CCActionManager::purgeRemoved()
{
    std::vector<CCAction*> dead;
    auto keep = std::remove_if(m_entries.begin(), m_entries.end(), [&dead](const Entry& e) {
        if (e.removed) {
            dead.push_back(e.action);
        }
        return e.removed;
    });
    m_entries.erase(keep, m_entries.end());
    // Released after the list is consistent: a dying action may release
    // nodes whose destructors call back into this manager.
    for (CCAction* a : dead) {
        a->release();
    }
}

void CCActionManager::removeAllActions()
{
    for (size_t i = m_entries.size(); i-- > 0;) {
        dropEntry(i);
    }
}

void CCActionManager::removeAllActionsFromTarget(CCObject* target)
{
    if (!target) {
        return;
    }
    for (size_t i = m_entries.size(); i-- > 0;) {
        if (asObject(m_entries[i].target) == target) {
            dropEntry(i);
        }
    }
    // A target losing all its actions is usually being cleaned up or
    // destroyed; forgetting its pause keeps a later object that happens to
    // get the same address from inheriting it.
    m_pausedTargets.erase(std::remove(m_pausedTargets.begin(), m_pausedTargets.end(), target),
                          m_pausedTargets.end());
}

void CCActionManager::removeAction(CCAction* action)
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].action == action && !m_entries[i].removed) {
            dropEntry(i);
            return;
        }
    }
}

void CCActionManager::removeActionByTag(unsigned int tag, CCObject* target)
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const Entry& e = m_entries[i];
        if (!e.removed && asObject(e.target) == target &&
            e.action->getTag() == static_cast<int>(tag)) {
            dropEntry(i);
            return;
        }
    }
}

CCAction* CCActionManager::getActionByTag(unsigned int tag, CCObject* target) const
{
    for (const Entry& e : m_entries) {
        if (!e.removed && asObject(e.target) == target &&
            e.action->getTag() == static_cast<int>(tag)) {
            return e.action;
        }
    }
    return nullptr;
}

unsigned int CCActionManager::numberOfRunningActionsInTarget(CCObject* target) const
{
    unsigned int n = 0;
    for (const Entry& e : m_entries) {
        if (!e.removed && asObject(e.target) == target) {
            ++n;
        }
    }
    return n;
}

size_t CCActionManager::actionCount() const
{
    return static_cast<size_t>(
        std::count_if(m_entries.begin(), m_entries.end(), [](const Entry& e) { return !e.removed; }));
}

void CCActionManager::pauseTarget(CCObject* target)
{
    if (target && !isPaused(target)) {
        m_pausedTargets.push_back(target);
    }
}

void CCActionManager::resumeTarget(CCObject* target)
{
    m_pausedTargets.erase(std::remove(m_pausedTargets.begin(), m_pausedTargets.end(), target),
                          m_pausedTargets.end());
}

bool CCActionManager::isPaused(const CCObject* target) const
{
    return std::find(m_pausedTargets.begin(), m_pausedTargets.end(), target) != m_pausedTargets.end();
}

bool CCActionManager::isUpdateIdle() const
{
    for (const Entry& e : m_entries) {
        if (!e.removed && !isPaused(asObject(e.target))) {
            return false;
        }
    }
    return true;
}

void CCActionManager::update(float dt)
{
    ++m_walkDepth;
    // Actions added during the walk start stepping next frame.
    const size_t count = m_entries.size();
    for (size_t i = 0; i < count; ++i) {
        if (m_entries[i].removed || isPaused(asObject(m_entries[i].target))) {
            continue;
        }
        CCAction* action = m_entries[i].action;
        action->step(dt);
        // The step may have removed it (or everything) through a callback.
        if (!m_entries[i].removed && action->isDone()) {
            m_entries[i].removed = true;
            action->stop();
        }
    }
    --m_walkDepth;
    if (m_walkDepth == 0) {
        purgeRemoved();
    }
}

} // namespace cc
