// The GL renderer: one shader program, a streamed vertex buffer and a batch
// that grows while consecutive geometry shares texture and blend state, so a
// run of sprites from one texture costs one draw call. Also stencil levels
// for clipping, render targets for effects, depth test, read-back.
// Nodes decide what to draw; the window decides when frames start and end.
#pragma once

#include "base/CCGeometry.h"
#include "base/ccTypes.h"

#include <vector>

namespace cc {

class CCTexture2D;

// One vertex as nodes hand it over: design-space position, colour, texture coordinate.
struct ccV3F_C4B_T2F {
    float x = 0, y = 0, z = 0;
    GLubyte r = 255, g = 255, b = 255, a = 255;
    float u = 0, v = 0;
};

// Straight-alpha blending, the default for everything the engine draws.
ccBlendFunc ccBlendFuncAlpha();

class CCRenderer {
public:
    // The window around a picture that does not fill it: a dark neutral grey.
    static constexpr ccColor4F kBarColour = {0.11f, 0.11f, 0.12f, 1.0f};

    // Needs a current GL context; null plus one log line when the shader
    // or the frame buffer cannot be made. Frames are drawn into a private
    // framebuffer of the window's size and copied to the window by present(),
    // so the frame can be read back at any time, hidden window or not.
    // Drawing straight into the window's own back buffer instead saves that
    // copy (and the first copy's set-up) on every shown frame; the frame can
    // then be read back only until it is presented.
    static CCRenderer* create(int framebufferWidth, int framebufferHeight, bool drawIntoWindow = false);
    bool drawsIntoWindow() const { return m_drawIntoWindow; }
    // Frees the GL objects while the context is still current; afterwards
    // every call does nothing (nodes may still hold the pointer).
    void shutdown();
    bool isActive() const { return m_active; }
    ~CCRenderer();
    CCRenderer(const CCRenderer&) = delete;
    CCRenderer& operator=(const CCRenderer&) = delete;
    // The live renderer (there is one GL context at a time), or null.
    static CCRenderer* current();
    // Changes whenever a renderer (and so a GL context) is made, so textures
    // know when their GPU copy must be made again.
    static unsigned int contextGeneration();

    // ---- Frames ------------------------------------------------------------------
    // Clears and sets the projection for a design area of the given size.
    // Draw calls made before beginFrame in a new director frame start one
    // implicitly, so callers that never call it still get cleared frames.
    void beginFrame(const CCSize& designSize);
    void endFrame();
    // Copies the finished frame to the window's back buffer (or to another
    // framebuffer of the drawable's size), at the present area's place; the
    // rest is filled with kBarColour.
    void present(unsigned int targetFramebuffer = 0);
    // The frame's size in pixels: the picture, which need not fill the window.
    void setFramebufferSize(int width, int height);
    // Where present() puts the frame: its top-left corner in a drawable of
    // drawableWidth x drawableHeight pixels.
    void setPresentArea(int left, int top, int drawableWidth, int drawableHeight);
    int getFramebufferWidth() const { return m_fbWidth; }
    int getFramebufferHeight() const { return m_fbHeight; }
    const CCSize& getDesignSize() const { return m_design; }
    void setClearColor(const ccColor4F& color) { m_clearColor = color; }

    // ---- Geometry ------------------------------------------------------------------
    // Triangles (three vertices each); texture null draws flat colour.
    void drawTriangles(CCTexture2D* texture, const ccBlendFunc& blend, const ccV3F_C4B_T2F* vertices,
                       size_t count);
    // Quads of four vertices each: bottom-left, bottom-right, top-left, top-right.
    void drawQuads(CCTexture2D* texture, const ccBlendFunc& blend, const ccV3F_C4B_T2F* vertices,
                   size_t quadCount);
    // Sends what is batched to GL.
    void flush();

    // ---- Stencil clipping ----------------------------------------------------------
    // Between beginStencil and beginClippedContent, geometry only writes the
    // stencil (fragments with alpha <= alphaThreshold are skipped when the
    // threshold is below 1); after it, geometry shows only inside every
    // active stencil (outside, when inverted). Levels nest up to 8 deep;
    // beginStencil gives false when there is no room (content then unclipped).
    bool beginStencil(float alphaThreshold, bool inverted);
    void beginClippedContent();
    void endStencil();
    int stencilLevel() const { return static_cast<int>(m_stencilStack.size()); }

    // ---- Render targets and depth --------------------------------------------------
    // Draws go to the texture (made with initAsRenderTarget) until popped;
    // the target is cleared to the clear colour.
    bool pushRenderTarget(CCTexture2D* target);
    void popRenderTarget();
    void setDepthTest(bool on);
    bool isDepthTest() const { return m_depthTest; }
    // Draws after this see a fresh depth buffer (used by 3D effects).
    void clearDepth();

    // ---- Read-back and counters ------------------------------------------------------
    // RGBA rows, top row first, of the frame being drawn (the window's
    // frame or the offscreen one); false when the rectangle is outside.
    bool readPixels(int x, int y, int width, int height, std::vector<unsigned char>& out);
    unsigned int drawCallsThisFrame() const { return m_drawCalls; }
    unsigned int drawCallsLastFrame() const { return m_lastFrameDrawCalls; }

private:
    CCRenderer() = default;
    bool build(int width, int height);
    bool makeMainFramebuffer(int width, int height);
    void freeMainFramebuffer();
    bool makeFramebuffer(unsigned int colorTexture, int width, int height, unsigned int& fbo,
                         unsigned int& depthStencil);
    void ensureFrame();
    void setState(unsigned int textureName, const ccBlendFunc& blend);
    void applyProjection();
    void applyStencilTest();
    void bindMainTarget();
    int pictureBottom() const;
    bool pictureFillsDrawable() const;

    struct Target {
        unsigned int fbo, depthStencil;
        int width, height;
        std::vector<unsigned int> stencils;
    };
    struct StencilLevel {
        bool inverted;
    };

    std::vector<ccV3F_C4B_T2F> m_batch;
    std::vector<Target> m_targets;
    std::vector<StencilLevel> m_stencilStack;
    CCSize m_design;
    ccColor4F m_clearColor = ccc4f(0, 0, 0, 1);
    unsigned int m_program = 0, m_vbo = 0, m_whiteTexture = 0;
    int m_mvpLocation = -1, m_thresholdLocation = -1, m_samplerLocation = -1;
    unsigned int m_offscreenFbo = 0, m_offscreenColor = 0, m_offscreenDepth = 0;
    unsigned int m_batchTexture = 0;
    ccBlendFunc m_batchBlend = {0, 0};
    int m_fbWidth = 0, m_fbHeight = 0;
    int m_viewWidth = 0, m_viewHeight = 0;
    int m_presentLeft = 0, m_presentTop = 0, m_drawableWidth = 0, m_drawableHeight = 0;
    unsigned int m_drawCalls = 0, m_lastFrameDrawCalls = 0;
    unsigned int m_frameNumber = 0;
    bool m_inFrame = false;
    bool m_depthTest = false;
    bool m_writingStencil = false;
    bool m_active = false;
    bool m_drawIntoWindow = false;
};

} // namespace cc
