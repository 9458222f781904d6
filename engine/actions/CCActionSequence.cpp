// Sequences and spawns: child bookkeeping, and mapping the parent's
// progress onto each child's.
#include "actions/CCActionSequence.h"

#include "base/CCArray.h"
#include "base/CCLog.h"

#include <algorithm>

namespace cc {

// ---- Shared child list --------------------------------------------------

CCActionList::~CCActionList() = default;

bool CCActionList::initWithArray(CCArray* actions, const char* kind)
{
    for (CCObject* obj : actions ? actions->data() : std::vector<CCObject*>()) {
        auto* action = dynamic_cast<CCFiniteTimeAction*>(obj);
        if (!action) {
            CCLog("%s: can only hold timed actions", kind);
            return false;
        }
        m_actions.emplace_back(action);
    }
    return true;
}

bool CCActionList::initWithList(CCFiniteTimeAction* first, va_list rest)
{
    for (CCFiniteTimeAction* a = first; a; a = va_arg(rest, CCFiniteTimeAction*)) {
        m_actions.emplace_back(a);
    }
    return true;
}

void CCActionList::ensureStarted(size_t index)
{
    if (!m_started[index]) {
        m_started[index] = true;
        m_actions[index]->startWithTarget(m_pTarget);
    }
}

void CCActionList::stop()
{
    for (size_t i = 0; i < m_actions.size(); ++i) {
        if (m_started[i]) {
            m_actions[i]->stop();
            m_started[i] = false;
        }
    }
    CCActionInterval::stop();
}

CCArray* CCActionList::reversedChildren(bool reverseOrder) const
{
    CCArray* out = CCArray::create();
    for (const CCRefPtr<CCFiniteTimeAction>& a : m_actions) {
        CCFiniteTimeAction* r = a->reverse();
        if (!r) {
            return nullptr;
        }
        out->addObject(r);
    }
    if (reverseOrder) {
        out->reverseObjects();
    }
    return out;
}

namespace {
template <class T>
T* finish(T* a, bool ok)
{
    if (ok) {
        a->autorelease();
        return a;
    }
    delete a;
    return nullptr;
}
} // namespace

// ---- Sequence -----------------------------------------------------------

CCSequence* CCSequence::create() { return create(static_cast<CCArray*>(nullptr)); }

CCSequence* CCSequence::create(CCArray* actions)
{
    CCSequence* s = new CCSequence();
    return finish(s, s->initWithArray(actions, "CCSequence") && s->finishInit());
}

CCSequence* CCSequence::create(CCFiniteTimeAction* first, ...)
{
    CCSequence* s = new CCSequence();
    va_list rest;
    va_start(rest, first);
    bool ok = s->initWithList(first, rest);
    va_end(rest);
    return finish(s, ok && s->finishInit());
}

CCSequence* CCSequence::createWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two)
{
    return create(one, two, nullptr);
}

bool CCSequence::finishInit()
{
    float total = 0.0f;
    for (const CCRefPtr<CCFiniteTimeAction>& a : m_actions) {
        m_starts.push_back(total);
        total += a->getDuration();
    }
    m_started.assign(m_actions.size(), false);
    return initWithDuration(total);
}

void CCSequence::startWithTarget(CCNode* target)
{
    CCActionList::startWithTarget(target);
    m_started.assign(m_actions.size(), false);
    m_done = 0;
    m_reached = 0;
}

void CCSequence::runChild(size_t index, float progress)
{
    ensureStarted(index);
    m_actions[index]->update(progress);
}

void CCSequence::update(float t)
{
    const size_t n = m_actions.size();
    if (n == 0 || !m_pTarget) {
        return;
    }
    // The child the time falls in: the first that ends after it, else the last.
    const float time = std::max(0.0f, t) * m_fDuration;
    size_t i = 0;
    while (i + 1 < n && m_starts[i] + m_actions[i]->getDuration() <= time) {
        ++i;
    }
    const float d = m_actions[i]->getDuration();
    float local = d > 0.0f ? (time - m_starts[i]) / d : 1.0f;
    if (i + 1 < n) {
        local = std::min(local, 1.0f);
    } // the last child also sees an ease overshooting past the end
    const size_t doneTarget = local >= 1.0f ? i + 1 : i;

    // Going back in time rewinds, latest first, the children after this one.
    if (i < m_reached) {
        for (size_t j = m_reached; j > i && m_pTarget; --j) {
            if (m_started[j]) {
                m_actions[j]->update(0.0f);
            }
        }
    }
    m_reached = i;
    m_done = std::min(m_done, doneTarget);
    // Finish what was passed over; a callback may stop us along the way.
    while (m_done < doneTarget && m_pTarget) {
        runChild(m_done, m_done == i ? local : 1.0f);
        ++m_done;
    }
    if (local < 1.0f && m_pTarget) {
        runChild(i, local);
    }
}

CCSequence* CCSequence::reverse()
{
    CCArray* children = reversedChildren(true);
    return children ? create(children) : nullptr;
}

// ---- Spawn --------------------------------------------------------------

CCSpawn* CCSpawn::create() { return create(static_cast<CCArray*>(nullptr)); }

CCSpawn* CCSpawn::create(CCArray* actions)
{
    CCSpawn* s = new CCSpawn();
    return finish(s, s->initWithArray(actions, "CCSpawn") && s->finishInit());
}

CCSpawn* CCSpawn::create(CCFiniteTimeAction* first, ...)
{
    CCSpawn* s = new CCSpawn();
    va_list rest;
    va_start(rest, first);
    bool ok = s->initWithList(first, rest);
    va_end(rest);
    return finish(s, ok && s->finishInit());
}

CCSpawn* CCSpawn::createWithTwoActions(CCFiniteTimeAction* one, CCFiniteTimeAction* two)
{
    return create(one, two, nullptr);
}

bool CCSpawn::finishInit()
{
    float longest = 0.0f;
    for (const CCRefPtr<CCFiniteTimeAction>& a : m_actions) {
        longest = std::max(longest, a->getDuration());
    }
    m_started.assign(m_actions.size(), false);
    m_finished.assign(m_actions.size(), false);
    return initWithDuration(longest);
}

void CCSpawn::startWithTarget(CCNode* target)
{
    CCActionList::startWithTarget(target);
    m_started.assign(m_actions.size(), false);
    m_finished.assign(m_actions.size(), false);
    for (size_t i = 0; i < m_actions.size(); ++i) {
        ensureStarted(i);
    }
}

void CCSpawn::update(float t)
{
    const float time = t * m_fDuration;
    for (size_t i = 0; i < m_actions.size() && m_pTarget; ++i) {
        const float d = m_actions[i]->getDuration();
        // The longest child follows the spawn's own progress (overshoot
        // included); shorter ones end at 1 and are not run again.
        float local = d > 0.0f ? time / d : 1.0f;
        if (d < m_fDuration || d == 0.0f) {
            local = std::min(local, 1.0f);
        } else {
            local = t;
        }
        if (local == 1.0f && m_finished[i]) {
            continue; // already at its end; instants must not fire twice
        }
        m_finished[i] = local == 1.0f;
        m_actions[i]->update(local);
    }
}

CCSpawn* CCSpawn::reverse()
{
    CCArray* children = reversedChildren(false);
    return children ? create(children) : nullptr;
}

} // namespace cc
