// Open TrueType faces, one per (file, face index, pixel size), shared by all
// labels for the life of the process. Finding the file is the resolver's job.
#pragma once

#include <map>
#include <string>
#include <tuple>

typedef struct _TTF_Font TTF_Font;

namespace cc {

class CCFontCache {
public:
    static CCFontCache* shared();
    // Null (one log line per file and size) when the file cannot be opened.
    TTF_Font* font(const std::string& path, int index, int pixelSize);
    // The face for a font name as labels are given it (family or file).
    TTF_Font* fontForName(const std::string& name, float size);

private:
    CCFontCache() = default;
    ~CCFontCache();
    static bool ensureInit();

    std::map<std::tuple<std::string, int, int>, TTF_Font*> m_fonts; // null entries remember failures
};

} // namespace cc
