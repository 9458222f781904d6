// Runs actions on their targets once a frame. Actions are retained while
// they run; targets are not. Adding or removing actions from inside an
// action's step is safe: the walk works on a stable list and finished or
// removed actions are dropped when it ends.
#pragma once

#include "base/CCObject.h"

#include <vector>

namespace cc {

class CCAction;
class CCNode;

class CCActionManager : public CCObject {
public:
    CCActionManager() = default;
    ~CCActionManager() override;

    // Starts the action on the target (startWithTarget is called at once).
    void addAction(CCAction* action, CCNode* target, bool paused);
    void removeAllActions();
    void removeAllActionsFromTarget(CCObject* target);
    void removeAction(CCAction* action);
    void removeActionByTag(unsigned int tag, CCObject* target);
    CCAction* getActionByTag(unsigned int tag, CCObject* target) const;
    unsigned int numberOfRunningActionsInTarget(CCObject* target) const;

    void pauseTarget(CCObject* target);
    void resumeTarget(CCObject* target);

    // The scheduler calls this every frame.
    void update(float dt) override;
    // Idle while no action runs on a target that is not paused.
    bool isUpdateIdle() const override;

    size_t actionCount() const;

private:
    struct Entry {
        CCAction* action;
        CCNode* target;
        bool removed;
    };
    bool isPaused(const CCObject* target) const;
    void dropEntry(size_t index);
    void purgeRemoved();

    std::vector<Entry> m_entries;
    std::vector<CCObject*> m_pausedTargets;
    int m_walkDepth = 0;
};

} // namespace cc
