// Loading a texture by name into a texture widget's renderer, fitting
// that renderer to the widget's size, and switching it between a plain and a
// nine-slice sprite. Shared by the widgets that show images (button, image
// view, check box, slider, loading bar); each widget keeps its own fields and
// decides when to load and fit.
#pragma once

#include <cstddef>
#include <functional>

#include "base/CCGeometry.h"
#include "base/ccTypes.h"
#include "gui/UIWidget.h"

namespace cc {

class CCNode;

namespace textureload {

// A new empty renderer: a nine-slice sprite when scale9, else a plain sprite.
// Autoreleased.
CCNode* createRenderer(bool scale9);

// Initialises the renderer from a file (kind 0) or a sprite-frame name
// (kind 1); any other kind, or an empty name, loads nothing. False when
// nothing was loaded (a missing image leaves the renderer empty).
bool loadInto(CCNode* renderer, bool scale9, const char* name, TextureResType kind);

// Gives the renderer the widget's colour and opacity.
void applyColour(CCNode* renderer, const ccColor3B& colour, GLubyte opacity);

// The whole load of one texture widget's renderer: loadInto, then the
// widget's current colour and opacity. Callers skip empty names themselves,
// since an empty name must leave their own fields alone too.
bool loadTinted(UIWidget* widget, CCNode* renderer, bool scale9, const char* name, TextureResType kind);

// Scales a renderer so that something of textureSize covers target, x and y
// apart. A textureSize without area gets scale 1.0 and false.
bool scaleToSize(CCNode* renderer, const CCSize& textureSize, const CCSize& target);

// The size fitting shared by the texture widgets, without the widget's own
// size (whether the widget takes the texture's size is the widget's rule):
// ignore-size on: a plain sprite gets scale 1.0, a nine-slice one is left alone.
// ignore-size off: a nine-slice sprite gets the widget's size as preferred
// size; a plain sprite is scaled to it, or gets scale 1.0 when textureSize
// has no area, and then the answer is false (true in every other case).
bool fit(CCNode* renderer, bool scale9, bool ignoreSize, const CCSize& textureSize, const CCSize& widgetSize);

// Cap insets for a nine-slice renderer; nothing for a plain sprite.
void applyCapInsets(CCNode* renderer, bool scale9, const CCRect& capInsets);

// One renderer field of a texture widget, as switchScale9 replaces it.
struct RendererSlot {
    CCNode** renderer;       // the widget's field; it gets the new renderer
    int zOrder;              // where the new renderer joins the widget's own node
    const CCRect* capInsets; // the widget's insets for it, applied when nine-slice turns on
};

// Switches a widget's renderers to nine-slice sprites (enabled) or plain
// ones. The widget has already stored the new setting; reload must load its
// textures again into the new, empty renderers (and may set them up first).
// Each old renderer leaves the widget's own node, a new one takes its field,
// reload runs, then the new ones join the node. Turning nine-slice on turns
// ignore-size off and keeps the setting it had in prevIgnoreSize, which
// turning it off restores.
void switchScale9(UIWidget* widget, bool enabled, const RendererSlot* slots, std::size_t count, bool& prevIgnoreSize,
                  const std::function<void()>& reload);

} // namespace textureload
} // namespace cc
