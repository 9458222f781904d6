// Turns a font name as the book gives it into a font file: a family name
// looked up through fontconfig, with a fallback family that has both CJK and
// Latin glyphs for names fontconfig does not know. Opening the file is the
// font cache's business.
#pragma once

#include <map>
#include <string>
#include <thread>

namespace cc {

struct CCFontFace {
    std::string path; // empty when no font at all could be found
    int index = 0;    // face inside a collection file
    std::string family;
    bool fallback = false;
};

class CCFontResolver {
public:
    static CCFontResolver* shared();

    // Always answers; a name that is not valid UTF-8, or that fontconfig can
    // only satisfy with its generic default, gets the fallback family and
    // one log line the first time it is asked for.
    const CCFontFace& resolve(const std::string& name);
    // A font file path given directly (ends in .ttf/.otf/.ttc and exists).
    static bool looksLikeFontFile(const std::string& name);
    // Loads fontconfig's configuration and font list on a thread of its own
    // (start-up calls it before the window opens), so the first label does
    // not wait for that; the first lookup waits for the thread instead of
    // loading it again. The thread touches nothing of this class.
    void loadInBackground();

    static constexpr const char* kFallbackFamily = "Noto Sans CJK SC";

private:
    CCFontResolver() = default;
    ~CCFontResolver();
    void waitForLoader();
    bool match(const std::string& family, CCFontFace& out, bool& onlyDefault);
    const CCFontFace& fallbackFace();
    std::string defaultFile();

    std::map<std::string, CCFontFace> m_faces;
    CCFontFace m_fallback;
    std::string m_defaultFile;
    bool m_fallbackReady = false;
    bool m_defaultReady = false;
    std::thread m_loader;
};

} // namespace cc
