// What the 3D-looking transitions share: drawing a scene into a texture the
// size of the frame, and drawing such a texture over a grid whose vertices a
// function lifts into 3D (seen with a mild perspective, back faces shaded).
#pragma once

#include "base/CCGeometry.h"
#include "base/CCRefPtr.h"

#include <functional>

namespace cc {

class CCNode;
class CCRenderer;
class CCTexture2D;

// A point of the page in 3D design space: x, y as on screen, z towards the viewer.
struct GridVertex3D {
    float x, y, z;
};

class CCTransitionGrid {
public:
    CCTransitionGrid();
    ~CCTransitionGrid();
    CCTransitionGrid(const CCTransitionGrid&) = delete;
    CCTransitionGrid& operator=(const CCTransitionGrid&) = delete;

    // Draws the node (a scene) into this grid's texture; false without GL.
    bool capture(CCRenderer* renderer, CCNode* scene);
    // Keeps the last capture when it is of this scene at this frame size and
    // the scene has not changed since; captures again otherwise. A transition
    // whose scenes stand still then draws each frame from two textures
    // instead of drawing both scenes again.
    bool captureIfStale(CCRenderer* renderer, CCNode* scene, bool sceneChanged);
    // Draws the captured texture flat over the whole design area.
    void drawFlat(CCRenderer* renderer);
    // Draws it over a cols x rows grid; lift maps a design point of the flat
    // page to where it is in 3D.
    void drawWarped(CCRenderer* renderer, int cols, int rows,
                    const std::function<GridVertex3D(float x, float y)>& lift);

private:
    CCRefPtr<CCTexture2D> m_pTexture;
    const CCNode* m_pCaptured = nullptr; // the scene the texture shows (not retained)
};

} // namespace cc
