// The user's settings file: "key = value" lines and # comments, read once at
// start and never written. Which settings win over which, and what they
// change, is ReaderOptions'; where the user's folders are is the platform's.
#pragma once

#include <cstddef>
#include <string>

namespace quibo {

struct UserSettings {
    bool hasNarrationSpeed = false; // a narration-speed line was read
    float narrationSpeed = 1.0f;    // 1.0 also when its value was bad
    bool remember = false;
};

// A settings file is a few lines; anything bigger is not one.
constexpr size_t kMaxSettingsBytes = 4096;

// $XDG_CONFIG_HOME/quibo/quibo.conf, by default ~/.config/quibo/quibo.conf;
// empty when neither variable gives a folder.
std::string userSettingsPath();

// The settings in text. Each line that is not blank, a comment or a known
// key with a good value writes one log line naming source and line number,
// and is otherwise ignored; a later line for the same key wins.
UserSettings parseUserSettings(const std::string& text, const std::string& source);

// The settings in the file at path. No file (or no path) is no settings and
// no log line; a file that is not a regular file, is larger than
// kMaxSettingsBytes or cannot be read gives one line and no settings.
UserSettings readUserSettings(const std::string& path);

} // namespace quibo
