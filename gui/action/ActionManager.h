// ActionManager: the process-wide store of the animations that layout files
// carry, kept per file name until the purge. For now it keeps each file's
// animation section as read and an empty list of built animations; turning
// sections into playable timelines is left to the timeline classes.
#pragma once

#include <map>
#include <string>

#include <json/value.h>

#include "base/CCObject.h"

namespace cc {

class CCArray;
class CCDictionary;
class UIWidget;

class ActionManager : public CCObject {
public:
    // The shared manager, made on first use with no files.
    static ActionManager* shareManager();
    // Empties and destroys the shared manager; the next use makes a new one.
    static void purgeActionManager();
    ~ActionManager() override;

    // Stores the file's section under the path's last component (the whole
    // path when it has no "/"), replacing an earlier read of that name.
    void readFileAnimations(const char* path, Json::Value section, UIWidget* root);

    // The built animations of a file (an engine array), null when the file was never read.
    CCArray* getAnimationsOfFile(const char* fileName) const;
    // The section as the file gave it, null when the file was never read.
    const Json::Value* getAnimationSection(const char* fileName) const;
    unsigned int getFileCount() const;

    // The key a path is stored under.
    static std::string fileKey(const char* path);

private:
    ActionManager();

    CCDictionary* m_pAnimationsByFile = nullptr; // retained; file name -> CCArray
    std::map<std::string, Json::Value> m_sectionsByFile;
};

} // namespace cc
