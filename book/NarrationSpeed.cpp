// Steps on a grid of quarter speeds, the display text and the strict number
// reading shared by the command line and the settings file.
#include "book/NarrationSpeed.h"

#include "audio/SimpleAudioEngine.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace quibo {

namespace {
// A speed this close to a multiple of the step counts as on it.
constexpr float kGridSlack = 1e-3f;
// More digits than this is not a speed anyone typed on purpose.
constexpr size_t kMaxNumberLength = 16;

bool isBlank(char c) { return c == ' ' || c == '\t'; }
} // namespace

float stepNarrationSpeed(int direction)
{
    cc::SimpleAudioEngine* audio = cc::SimpleAudioEngine::sharedEngine();
    const float steps = audio->getBackgroundMusicSpeed() / kNarrationSpeedStep;
    float target = audio->getBackgroundMusicSpeed();
    if (direction > 0) {
        target = (std::floor(steps + kGridSlack) + 1.0f) * kNarrationSpeedStep;
    } else if (direction < 0) {
        target = (std::ceil(steps - kGridSlack) - 1.0f) * kNarrationSpeedStep;
    }
    // The engine keeps it within its limits.
    audio->setBackgroundMusicSpeed(target);
    return audio->getBackgroundMusicSpeed();
}

std::string narrationSpeedText(float speed)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(speed));
    std::string s(text);
    // "1.00" -> "1.0", "0.50" -> "0.5"; one decimal always stays.
    while (s.size() >= 2 && s.back() == '0' && s[s.size() - 2] != '.') {
        s.pop_back();
    }
    return s + "x";
}

bool parseNarrationSpeed(const std::string& text, float& speed)
{
    size_t begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    if (end > begin && (text[end - 1] == 'x' || text[end - 1] == 'X')) --end;
    if (end == begin || end - begin > kMaxNumberLength) {
        return false;
    }
    // Read by hand: strtod would follow the locale's decimal point.
    double value = 0.0, scale = 1.0;
    bool point = false, digits = false;
    for (size_t i = begin; i < end; ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            digits = true;
            if (point) {
                scale /= 10.0;
                value += (c - '0') * scale;
            } else {
                value = value * 10.0 + (c - '0');
            }
        } else {
            return false;
        }
    }
    const double slack = 1e-9;
    if (!digits || value < cc::SimpleAudioEngine::kMinMusicSpeed - slack ||
        value > cc::SimpleAudioEngine::kMaxMusicSpeed + slack) {
        return false;
    }
    speed = static_cast<float>(value);
    return true;
}

} // namespace quibo
