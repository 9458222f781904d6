// ActionObject: one named animation of a layout file, the tracks of the
// widgets it moves with its loop flag and unit time. The tracks do the
// binding and building; the manager keeps the objects per file.
#pragma once

#include <string>

#include <json/value.h>

#include "base/CCObject.h"
#include "base/CCRefPtr.h"

namespace cc {

class CCArray;
class ActionNode;

class ActionObject : public CCObject {
public:
    static ActionObject* create();
    ~ActionObject() override;

    // Reads name, loop, unit time and the tracks; each track is bound under
    // root and built at once.
    void readFromJson(const Json::Value* animation, CCObject* root);

    // Every track plays (looping when the animation loops) / stops.
    void play();
    void stop();
    // True while any track's action runs.
    bool isPlaying() const;

    const char* getName() const { return m_name.c_str(); }
    void setName(const char* name) { m_name = name ? name : ""; }
    bool getLoop() const { return m_loop; }
    void setLoop(bool loop) { m_loop = loop; }
    float getUnitTime() const { return m_unitTime; }
    // Gives every track the new step length and rebuilds it.
    void setUnitTime(float seconds);
    // The tracks, in file order.
    CCArray* getNodes() const { return m_pNodes.get(); }
    void addNode(ActionNode* node);

protected:
    ActionObject() = default;
    bool init();

private:
    CCRefPtr<CCArray> m_pNodes; // ActionNode
    std::string m_name;
    bool m_loop = false;
    float m_unitTime = 0.1f;     // seconds per frame step
};

} // namespace cc
