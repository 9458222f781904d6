// Greedy line breaking measured with TTF_SizeUTF8, and per-line blended
// rendering copied into one canvas.
#include "text/CCTextLayout.h"

#include "text/ccUTF8.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>

namespace cc {

namespace {
int measure(TTF_Font* font, const std::string& s)
{
    int w = 0, h = 0;
    if (s.empty() || TTF_SizeUTF8(font, s.c_str(), &w, &h) != 0) return 0;
    return w;
}

// Ideographs and kana may be broken between any two characters.
bool breaksAnywhere(unsigned int cp) { return cp >= 0x2E80 && cp <= 0x9FFF; }

std::string trimRight(const std::string& s)
{
    size_t end = s.size();
    while (end > 0 && s[end - 1] == ' ') --end;
    return s.substr(0, end);
}

void wrapParagraph(TTF_Font* font, const std::string& para, int maxWidth, std::vector<std::string>& lines)
{
    std::string line;
    size_t lastBreak = std::string::npos; // byte in line after which a break may go
    size_t at = 0;
    while (at < para.size()) {
        const size_t start = at;
        const unsigned int cp = utf8::decode(para, at);
        const std::string ch = para.substr(start, at - start);
        std::string candidate = line + ch;
        if (!line.empty() && cp != ' ' && measure(font, candidate) > maxWidth) {
            if (lastBreak != std::string::npos && lastBreak > 0) {
                lines.push_back(trimRight(line.substr(0, lastBreak)));
                line = line.substr(lastBreak);
                while (!line.empty() && line[0] == ' ') line.erase(0, 1);
            } else {
                lines.push_back(trimRight(line));
                line.clear();
            }
            lastBreak = std::string::npos;
            candidate = line + ch;
        }
        if (cp == ' ' && line.empty()) continue; // no leading spaces on wrapped lines
        if (breaksAnywhere(cp) && !line.empty()) lastBreak = line.size();
        line = candidate;
        if (cp == ' ' || breaksAnywhere(cp)) lastBreak = line.size();
    }
    lines.push_back(trimRight(line));
}
} // namespace

std::vector<std::string> ccBreakLines(TTF_Font* font, const std::string& text, float maxWidth)
{
    std::vector<std::string> lines;
    size_t from = 0;
    while (true) {
        const size_t nl = text.find('\n', from);
        const std::string para = text.substr(from, nl == std::string::npos ? std::string::npos : nl - from);
        if (maxWidth > 0) {
            wrapParagraph(font, para, static_cast<int>(maxWidth), lines);
        } else {
            lines.push_back(para);
        }
        if (nl == std::string::npos) break;
        from = nl + 1;
    }
    return lines;
}

bool ccRenderText(TTF_Font* font, const std::string& text, const CCSize& dimensions, CCTextAlignment hAlign,
                  CCVerticalTextAlignment vAlign, CCTextImage& out, bool pixels)
{
    out = CCTextImage();
    if (!font || text.empty()) return false;
    out.lines = ccBreakLines(font, text, dimensions.width);
    const int lineSkip = TTF_FontLineSkip(font);
    int textWidth = 0;
    std::vector<int> widths;
    for (const std::string& l : out.lines) {
        widths.push_back(measure(font, l));
        textWidth = std::max(textWidth, widths.back());
    }
    const int textHeight = lineSkip * static_cast<int>(out.lines.size());
    // A label box from a layout file can be any float; a text image larger
    // than this is never wanted, and the cast must stay in range.
    const float kMaxSide = 2048.0f;
    out.width = dimensions.width > 0 ? static_cast<int>(std::ceil(std::min(dimensions.width, kMaxSide))) : textWidth;
    out.height =
        dimensions.height > 0 ? static_cast<int>(std::ceil(std::min(dimensions.height, kMaxSide))) : textHeight;
    if (out.width <= 0 || out.height <= 0) {
        out.width = out.height = 0;
        return false;
    }
    if (!pixels) {
        for (size_t i = 0; i < out.lines.size(); ++i) {
            int x = 0;
            if (hAlign == kCCTextAlignmentCenter) x = (out.width - widths[i]) / 2;
            if (hAlign == kCCTextAlignmentRight) x = out.width - widths[i];
            out.lineX.push_back(x);
        }
        return true;
    }
    // White everywhere, coverage in alpha.
    out.rgba.assign(static_cast<size_t>(out.width) * out.height * 4, 0);
    for (size_t i = 0; i < out.rgba.size(); i += 4) out.rgba[i] = out.rgba[i + 1] = out.rgba[i + 2] = 255;

    int top = 0;
    if (vAlign == kCCVerticalTextAlignmentCenter) top = (out.height - textHeight) / 2;
    if (vAlign == kCCVerticalTextAlignmentBottom) top = out.height - textHeight;
    const SDL_Color white = {255, 255, 255, 255};
    for (size_t i = 0; i < out.lines.size(); ++i) {
        int x = 0;
        if (hAlign == kCCTextAlignmentCenter) x = (out.width - widths[i]) / 2;
        if (hAlign == kCCTextAlignmentRight) x = out.width - widths[i];
        out.lineX.push_back(x);
        if (out.lines[i].empty()) continue;
        SDL_Surface* glyphs = TTF_RenderUTF8_Blended(font, out.lines[i].c_str(), white);
        if (!glyphs) continue;
        SDL_Surface* rgba = SDL_ConvertSurfaceFormat(glyphs, SDL_PIXELFORMAT_RGBA32, 0);
        SDL_FreeSurface(glyphs);
        if (!rgba) continue;
        const int y0 = top + static_cast<int>(i) * lineSkip;
        const unsigned char* src = static_cast<const unsigned char*>(rgba->pixels);
        for (int sy = 0; sy < rgba->h; ++sy) {
            const int dy = y0 + sy;
            if (dy < 0 || dy >= out.height) continue;
            for (int sx = 0; sx < rgba->w; ++sx) {
                const int dx = x + sx;
                if (dx < 0 || dx >= out.width) continue;
                unsigned char& a = out.rgba[(static_cast<size_t>(dy) * out.width + dx) * 4 + 3];
                a = std::max(a, src[sy * rgba->pitch + sx * 4 + 3]);
            }
        }
        SDL_FreeSurface(rgba);
    }
    return true;
}

} // namespace cc
