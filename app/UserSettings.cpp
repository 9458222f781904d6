// Reading the settings file. Values are checked here, once, so the rest of
// the program only ever sees settings it can use.
#include "app/UserSettings.h"

#include "book/NarrationSpeed.h"

#include "base/CCLog.h"
#include "platform/UserFiles.h"

namespace quibo {

namespace {

const char* const kNarrationSpeedKey = "narration-speed";
const char* const kRememberKey = "remember";
const char* const kUtf8Mark = "\xEF\xBB\xBF";

std::string trimmed(const std::string& text)
{
    const char* blanks = " \t\r";
    const size_t begin = text.find_first_not_of(blanks);
    if (begin == std::string::npos) {
        return std::string();
    }
    return text.substr(begin, text.find_last_not_of(blanks) - begin + 1);
}

// Control characters (a NUL, an escape) mean the line is not text at all.
bool hasControlCharacters(const std::string& line)
{
    for (char c : line) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t' && c != '\r') || u == 0x7f) {
            return true;
        }
    }
    return false;
}

} // namespace

std::string userSettingsPath()
{
    const std::string config = cc::userConfigHome();
    return config.empty() ? std::string() : config + "/quibo/quibo.conf";
}

UserSettings parseUserSettings(const std::string& text, const std::string& source)
{
    UserSettings settings;
    const char* file = source.c_str();
    size_t start = text.compare(0, 3, kUtf8Mark) == 0 ? 3 : 0;
    for (int number = 1; start <= text.size(); ++number) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (hasControlCharacters(line)) {
            cc::CCLog("settings: %s:%d: not a line of text; ignored", file, number);
            continue;
        }
        line = trimmed(line.substr(0, line.find('#')));
        if (line.empty()) {
            continue;
        }
        const size_t equals = line.find('=');
        const std::string key = equals == std::string::npos ? std::string() : trimmed(line.substr(0, equals));
        if (key.empty()) {
            cc::CCLog("settings: %s:%d: not a \"key = value\" line; ignored", file, number);
            continue;
        }
        const std::string value = trimmed(line.substr(equals + 1));
        if (key == kNarrationSpeedKey) {
            settings.hasNarrationSpeed = true;
            settings.narrationSpeed = kDefaultNarrationSpeed;
            if (!parseNarrationSpeed(value, settings.narrationSpeed)) {
                cc::CCLog("settings: %s:%d: narration-speed \"%s\" is not a number from 0.5 to 2.0; 1.0 is used",
                          file, number, value.c_str());
            }
        } else if (key == kRememberKey) {
            if (value == "true" || value == "false") {
                settings.remember = value == "true";
            } else {
                cc::CCLog("settings: %s:%d: remember \"%s\" is neither true nor false; ignored", file, number,
                          value.c_str());
            }
        } else {
            cc::CCLog("settings: %s:%d: unknown key \"%s\"; ignored", file, number, key.c_str());
        }
    }
    return settings;
}

UserSettings readUserSettings(const std::string& path)
{
    if (path.empty()) {
        return UserSettings();
    }
    std::string text, error;
    switch (cc::readSmallUserFile(path, kMaxSettingsBytes, text, error)) {
    case cc::UserFileRead::Ok: return parseUserSettings(text, path);
    case cc::UserFileRead::Missing: break;
    case cc::UserFileRead::NotRegular:
    case cc::UserFileRead::TooLarge:
    case cc::UserFileRead::Unreadable:
        cc::CCLog("settings: %s: %s; no settings are used", path.c_str(), error.c_str());
        break;
    }
    return UserSettings();
}

} // namespace quibo
