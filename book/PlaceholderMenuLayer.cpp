// Placeholder first screen: configuration read and audio reset, a plain
// background colour layer beneath.
#include "book/PlaceholderMenuLayer.h"

#include "book/BookConfiguration.h"

#include "audio/SimpleAudioEngine.h"

namespace quibo {

namespace {
const cc::ccColor4B kBackground = {250, 244, 228, 255};
}

bool PlaceholderMenuLayer::init()
{
    if (!cc::CCLayer::init()) {
        return false;
    }
    readBookConfiguration();
    cc::SimpleAudioEngine* audio = cc::SimpleAudioEngine::sharedEngine();
    audio->setBackgroundMusicVolume(1.0f);
    audio->stopBackgroundMusic();
    if (cc::CCLayerColor* background = cc::CCLayerColor::create(kBackground)) {
        addChild(background);
    }
    return true;
}

} // namespace quibo
