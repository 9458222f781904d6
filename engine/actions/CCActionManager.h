// Runs actions on their targets once a frame. Actions are retained while
// they run; targets are not. Adding or removing actions from inside an
// action's step is safe: the walk works on a stable list and finished or
// removed actions are dropped when it ends. Lookups by action and by target
// are hashed, so a tree of many nodes enters and leaves in linear time.
#pragma once

#include "base/CCObject.h"
#include "base/CCRefPtr.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace cc {

class CCAction;
class CCNode;

class CCActionManager : public CCObject {
public:
    CCActionManager();
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
    // Entries keep the order actions were added in; a removed entry stays as
    // a hole (its action released, or held until the walk ends) until the
    // holes are many enough to be worth closing.
    struct Entry {
        CCRefPtr<CCAction> action;
        CCNode* target; // not retained: a node removes its actions when it is destroyed
        bool removed;
    };
    bool isPaused(const CCObject* target) const;
    void dropEntry(size_t index);
    void unlink(CCAction* action, CCObject* target);
    void releaseHeld();
    void compactIfSparse();

    std::vector<Entry> m_entries;
    // Live entries only: where each action sits, and each target's actions
    // in the order they were added.
    std::unordered_map<CCAction*, size_t> m_indexOfAction;
    std::unordered_map<CCObject*, std::vector<CCAction*>> m_actionsOfTarget;
    std::unordered_set<CCObject*> m_pausedTargets;
    // Entries removed during a walk whose action is still to be released.
    std::vector<size_t> m_held;
    size_t m_holes = 0;
    int m_walkDepth = 0;
};

} // namespace cc
