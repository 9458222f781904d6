// What the page layer's source files share: the page's fixed files,
// sizes and timings, and small helpers. Internal to the page layer.
#pragma once

#include "book/PageLayer.h"

#include "audio/SimpleAudioEngine.h"
#include "base/CCSet.h"
#include "base/ccTypes.h"
#include "gui/UIWidget.h"
#include "scene/CCTouch.h"

namespace quibo {
namespace pagelayer {

inline const char* const kPreviousNormal = "Images/up1.png";
inline const char* const kPreviousSelected = "Images/up2.png";
inline const char* const kPlayImage = "Images/play_btn.png";
inline const char* const kPauseImage = "Images/pause_btn.png";
inline const char* const kNextNormal = "Images/next1.png";
inline const char* const kNextSelected = "Images/next2.png";
inline const char* const kBubbleImage = "Images/bnchback1.png";
inline const char* const kWordNormal = "Images/bnren1.png";
inline const char* const kWordPressed = "Images/bnren2.png";
inline const int kPageKeepingWordTextures = 198;

inline const char* const kHintFont = "Arial";
inline const float kHintFontSize = 22;
inline const float kHintWidthInRadii = 8;
inline const float kHintSeconds = 3.0f;
inline const float kTapRadiusFraction = 30;
// The sentence font's name as the book's platform spells it (GBK bytes).
inline const char* const kSentenceFont = "\xCB\xCE\xCC\xE5";
inline const float kBubbleWidth = 150;
inline const float kBubbleHeightFactor = 1.5f;
inline const float kBubbleGapFraction = 40;
inline const unsigned int kTextItemFontSize = 45;
inline const cc::ccColor3B kBlue = {0, 0, 255};

inline const float kIdleSeconds = 1.0f;
inline const float kFirstTickSeconds = 0.2f;
inline const float kTickSeconds = 0.5f;
inline const float kGlideSeconds = 1.0f;
inline const float kGlidePeriod = 9.25f;

// The widget's own node (the one its position lives on); a button's
// getRenderNode() answers with its current look instead.
inline cc::CCNode* ownNode(cc::UIWidget* widget) { return widget ? widget->getOwnRenderNode() : nullptr; }

inline cc::CCTouch* firstTouch(cc::CCSet* touches)
{
    return touches ? dynamic_cast<cc::CCTouch*>(touches->anyObject()) : nullptr;
}

inline cc::SimpleAudioEngine* audio() { return cc::SimpleAudioEngine::sharedEngine(); }

inline bool narrationPlaying() { return audio()->isBackgroundMusicPlaying(); }

} // namespace pagelayer
} // namespace quibo
