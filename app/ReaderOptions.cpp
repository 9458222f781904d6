// Merging the command line and the settings file, and the run that uses them.
#include "app/ReaderOptions.h"

#include "app/PlaceKeeper.h"

#include "book/NarrationSpeed.h"

#include "audio/SimpleAudioEngine.h"
#include "base/CCLog.h"

namespace quibo {

ReaderOptions readerOptions(const CommandLine& line, const UserSettings& settings)
{
    ReaderOptions options;
    if (line.hasNarrationSpeed) {
        options.setsNarrationSpeed = true;
        options.narrationSpeed = kDefaultNarrationSpeed;
        if (!parseNarrationSpeed(line.narrationSpeed, options.narrationSpeed)) {
            cc::CCLog("quibo: --narration-speed \"%s\" is not a number from 0.5 to 2.0; 1.0 is used",
                      line.narrationSpeed.c_str());
        }
    } else if (settings.hasNarrationSpeed) {
        options.setsNarrationSpeed = true;
        options.narrationSpeed = settings.narrationSpeed;
    }
    options.remember = line.remember || settings.remember;
    return options;
}

void applyNarrationSpeed(const ReaderOptions& options)
{
    if (options.setsNarrationSpeed) {
        cc::SimpleAudioEngine::sharedEngine()->setBackgroundMusicSpeed(options.narrationSpeed);
    }
}

ReaderSession::ReaderSession(const CommandLine& line, Settings settings)
    : m_options(readerOptions(line, settings == Settings::Read ? readUserSettings(userSettingsPath()) : UserSettings()))
{
    applyNarrationSpeed(m_options);
    if (m_options.remember) {
        m_keeper = cc::CCRefPtr<PlaceKeeper>::adopt(new PlaceKeeper(PlaceKeeper::defaultStateFolder()));
        m_keeper->start();
    }
}

ReaderSession::~ReaderSession()
{
    if (m_keeper) {
        m_keeper->finish();
    }
}

} // namespace quibo
