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

void wrapParagraph(TTF_Font* font, const std::string& para, int maxWidth, std::vector<std::string>& lines,
                   size_t maxLines)
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
            if (maxLines && lines.size() + 1 >= maxLines) {
                break; // the rest would lie below the largest image
            }
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

// Characters are at least a pixel wide, except marks that combine with the
// one before: no line wider than the image can show needs more bytes than
// this per pixel, so a huge line is never measured whole.
const size_t kBytesPerPixel = 16;

// A line without a box, cut where it would pass the widest image.
std::string fitWidth(TTF_Font* font, const std::string& line, int maxWidth)
{
    std::string head = ccTextPrefix(line, static_cast<size_t>(maxWidth) * kBytesPerPixel);
    int extent = 0, count = 0;
    if (TTF_MeasureUTF8(font, head.c_str(), maxWidth, &extent, &count) != 0) return std::string();
    size_t at = 0;
    for (int i = 0; i < count && at < head.size(); ++i) utf8::decode(head, at);
    head.resize(at);
    return head;
}
} // namespace

std::string ccTextPrefix(const std::string& text, size_t maxBytes)
{
    if (text.size() <= maxBytes) return text;
    size_t end = maxBytes;
    // Back up over continuation bytes so no character is split.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

std::vector<std::string> ccBreakLines(TTF_Font* font, const std::string& text, float maxWidth, size_t maxLines)
{
    std::vector<std::string> lines;
    size_t from = 0;
    while (!maxLines || lines.size() < maxLines) {
        const size_t nl = text.find('\n', from);
        const std::string para = text.substr(from, nl == std::string::npos ? std::string::npos : nl - from);
        if (maxWidth > 0) {
            wrapParagraph(font, para, static_cast<int>(maxWidth), lines, maxLines);
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
    // A label box from a layout file can be any float, and a text any length;
    // a text image larger than this is never wanted, and the casts must stay
    // in range.
    const int kMaxSide = static_cast<int>(kMaxLabelTextureSide);
    const int lineSkip = std::max(1, TTF_FontLineSkip(font));
    out.lines = ccBreakLines(font, text, std::min(dimensions.width, static_cast<float>(kMaxSide)),
                             static_cast<size_t>(kMaxSide / lineSkip + 1));
    int textWidth = 0;
    std::vector<int> widths;
    for (std::string& l : out.lines) {
        if (l.size() > static_cast<size_t>(kMaxSide) * kBytesPerPixel) {
            l = ccTextPrefix(l, static_cast<size_t>(kMaxSide) * kBytesPerPixel);
        }
        int w = measure(font, l);
        if (w > kMaxSide) {
            l = fitWidth(font, l, kMaxSide);
            w = measure(font, l);
        }
        widths.push_back(w);
        textWidth = std::max(textWidth, widths.back());
    }
    const int textHeight = std::min(kMaxSide, lineSkip * static_cast<int>(out.lines.size()));
    const float side = static_cast<float>(kMaxSide);
    out.width = dimensions.width > 0 ? static_cast<int>(std::ceil(std::min(dimensions.width, side))) : textWidth;
    out.height = dimensions.height > 0 ? static_cast<int>(std::ceil(std::min(dimensions.height, side))) : textHeight;
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
