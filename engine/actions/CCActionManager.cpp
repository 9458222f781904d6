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
// Holes are closed once they are this many and outnumber the live entries.
const size_t kMinHolesToCompact = 64;
} // namespace

// Out of line: the entries need CCAction complete.
CCActionManager::CCActionManager() = default;

CCActionManager::~CCActionManager()
{
    for (Entry& e : m_entries) {
        if (!e.action) {
            continue;
        }
        if (!e.removed) {
            e.action->stop();
        }
        e.action.reset();
    }
    m_entries.clear();
}

void CCActionManager::addAction(CCAction* action, CCNode* target, bool paused)
{
    if (!action || !target) {
        CCLog("CCActionManager: an action needs both an action and a target");
        return;
    }
    if (m_indexOfAction.count(action)) {
        CCLog("CCActionManager: action %u is already running", action->getUniqueID());
        return;
    }
    m_indexOfAction[action] = m_entries.size();
    m_actionsOfTarget[asObject(target)].push_back(action);
    m_entries.push_back(Entry{CCRefPtr<CCAction>(action), target, false});
    if (paused) {
        pauseTarget(asObject(target));
    }
    action->startWithTarget(target);
}

void CCActionManager::unlink(CCAction* action, CCObject* target)
{
    m_indexOfAction.erase(action);
    auto found = m_actionsOfTarget.find(target);
    if (found == m_actionsOfTarget.end()) {
        return;
    }
    std::vector<CCAction*>& list = found->second;
    list.erase(std::find(list.begin(), list.end(), action));
    if (list.empty()) {
        m_actionsOfTarget.erase(found);
    }
}

void CCActionManager::dropEntry(size_t index)
{
    Entry& e = m_entries[index];
    if (e.removed) {
        return;
    }
    e.removed = true;
    ++m_holes;
    CCAction* action = e.action.get();
    unlink(action, asObject(e.target));
    // stop may call back into this manager; nothing below holds a reference
    // into the entry list across it.
    action->stop();
    if (m_walkDepth > 0) {
        m_held.push_back(index); // released when the walk ends
        return;
    }
    m_entries[index].action.reset();
    compactIfSparse();
}

void CCActionManager::releaseHeld()
{
    // Releasing may destroy nodes whose destructors call back into this
    // manager; counted as a walk, so such calls only add to the held list.
    ++m_walkDepth;
    while (!m_held.empty()) {
        std::vector<size_t> batch;
        batch.swap(m_held);
        for (size_t index : batch) {
            m_entries[index].action.reset();
        }
    }
    --m_walkDepth;
    compactIfSparse();
}

void CCActionManager::compactIfSparse()
{
    if (m_walkDepth > 0 || m_holes < kMinHolesToCompact || m_holes * 2 < m_entries.size()) {
        return;
    }
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(), [](const Entry& e) { return e.removed; }),
                    m_entries.end());
    m_holes = 0;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        m_indexOfAction[m_entries[i].action.get()] = i;
    }
}

void CCActionManager::removeAllActions()
{
    for (size_t i = m_entries.size(); i-- > 0;) {
        if (i < m_entries.size()) {
            dropEntry(i);
        }
    }
}

void CCActionManager::removeAllActionsFromTarget(CCObject* target)
{
    if (!target) {
        return;
    }
    auto found = m_actionsOfTarget.find(target);
    if (found != m_actionsOfTarget.end()) {
        // Latest first, as they were always dropped; the copy survives the
        // unlinking each drop does.
        const std::vector<CCAction*> actions = found->second;
        for (size_t i = actions.size(); i-- > 0;) {
            auto index = m_indexOfAction.find(actions[i]);
            if (index != m_indexOfAction.end()) {
                dropEntry(index->second);
            }
        }
    }
    // A target losing all its actions is usually being cleaned up or
    // destroyed; forgetting its pause keeps a later object that happens to
    // get the same address from inheriting it.
    m_pausedTargets.erase(target);
}

void CCActionManager::removeAction(CCAction* action)
{
    auto index = m_indexOfAction.find(action);
    if (index != m_indexOfAction.end()) {
        dropEntry(index->second);
    }
}

void CCActionManager::removeActionByTag(unsigned int tag, CCObject* target)
{
    if (CCAction* action = getActionByTag(tag, target)) {
        removeAction(action);
    }
}

CCAction* CCActionManager::getActionByTag(unsigned int tag, CCObject* target) const
{
    auto found = m_actionsOfTarget.find(target);
    if (found == m_actionsOfTarget.end()) {
        return nullptr;
    }
    for (CCAction* action : found->second) {
        if (action->getTag() == static_cast<int>(tag)) {
            return action;
        }
    }
    return nullptr;
}

unsigned int CCActionManager::numberOfRunningActionsInTarget(CCObject* target) const
{
    auto found = m_actionsOfTarget.find(target);
    return found == m_actionsOfTarget.end() ? 0u : static_cast<unsigned int>(found->second.size());
}

size_t CCActionManager::actionCount() const { return m_indexOfAction.size(); }

void CCActionManager::pauseTarget(CCObject* target)
{
    if (target) {
        m_pausedTargets.insert(target);
    }
}

void CCActionManager::resumeTarget(CCObject* target) { m_pausedTargets.erase(target); }

bool CCActionManager::isPaused(const CCObject* target) const
{
    return !m_pausedTargets.empty() && m_pausedTargets.count(const_cast<CCObject*>(target)) != 0;
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
        // Held by its entry until the walk ends, even if the step removes it.
        CCAction* action = m_entries[i].action.get();
        action->step(dt);
        // The step may have removed it (or everything) through a callback.
        if (!m_entries[i].removed && action->isDone()) {
            dropEntry(i);
        }
    }
    --m_walkDepth;
    if (m_walkDepth == 0) {
        releaseHeld();
    }
}

} // namespace cc
