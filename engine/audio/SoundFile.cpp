// The descriptor comes from the engine's guarded open, so SDL never opens the
// path itself (which could wait forever on a FIFO).
#include "audio/SoundFile.h"

#include "platform/CCFileUtils.h"

#include <SDL_mixer.h>

#include <cstdio>
#include <unistd.h>

namespace cc {

SDL_RWops* openSoundFile(const std::string& fullPath, std::string& error)
{
    const int fd = CCFileUtils::sharedFileUtils()->openBookFile(fullPath, BookFileKind::Audio, nullptr, &error);
    if (fd < 0) return nullptr;
    FILE* file = ::fdopen(fd, "rb");
    if (!file) {
        ::close(fd);
        error = "cannot be read";
        return nullptr;
    }
    SDL_RWops* rw = SDL_RWFromFP(file, SDL_TRUE);
    if (!rw) {
        std::fclose(file);
        error = SDL_GetError();
    }
    return rw;
}

bool soundWithinDuration(Mix_Music* music, std::string& error)
{
    const double seconds = music ? Mix_MusicDuration(music) : -1.0;
    if (seconds > static_cast<double>(kMaxAudioSeconds)) {
        char text[96];
        std::snprintf(text, sizeof text, "%.0f s long, more than the %lld s a sound may last", seconds,
                      kMaxAudioSeconds);
        error = text;
        return false;
    }
    return true;
}

} // namespace cc
