// ActionManager: the process-wide store of the animations that layout files
// carry, one list of ActionObjects per file name, kept until the purge.
// Reading a single animation and its tracks is ActionObject's and ActionNode's.
#pragma once

#include <map>
#include <string>

#include <json/value.h>

#include "base/CCObject.h"
#include "base/CCRefPtr.h"

namespace cc {

class CCArray;
class CCDictionary;
class ActionObject;
class UIWidget;

class ActionManager : public CCObject {
public:
    // The shared manager, made on first use with no files.
    static ActionManager* shareManager();
    // Empties and destroys the shared manager; the next use makes a new one.
    static void purgeActionManager();
    ~ActionManager() override;

    // Builds the section's animations (in file order, bound under root) and
    // stores them under the path's last component (the whole path when it
    // has no "/"), replacing an earlier read of that name.
    void readFileAnimations(const char* path, Json::Value section, UIWidget* root);

    // The file's first animation of that name; null when there is none.
    ActionObject* getActionByName(const char* fileName, const char* name) const;
    // Plays / stops a named animation of a file; false when there is none.
    bool playActionByName(const char* fileName, const char* name);
    bool stopActionByName(const char* fileName, const char* name);

    // The built ActionObjects of a file (an engine array), null when the file was never read.
    CCArray* getAnimationsOfFile(const char* fileName) const;
    // The section as the file gave it, null when the file was never read.
    const Json::Value* getAnimationSection(const char* fileName) const;
    unsigned int getFileCount() const;

    // The key a path is stored under.
    static std::string fileKey(const char* path);

private:
    ActionManager();

    CCRefPtr<CCDictionary> m_pAnimationsByFile; // file name -> CCArray
    std::map<std::string, Json::Value> m_sectionsByFile;
};

} // namespace cc
