// Frame read-back through the renderer.
#include "render/CCFrameCapture.h"

#include "render/CCImage.h"
#include "render/CCRenderer.h"
#include "scene/CCDirector.h"

namespace cc {

namespace {
CCRenderer* liveRenderer()
{
    CCRenderer* r = CCDirector::sharedDirector()->getRenderer();
    return r && r->isActive() ? r : nullptr;
}
} // namespace

bool CCFrameCapture::readFrame(std::vector<unsigned char>& rgba, int& width, int& height)
{
    CCRenderer* r = liveRenderer();
    if (!r) return false;
    width = r->getFramebufferWidth();
    height = r->getFramebufferHeight();
    return r->readPixels(0, 0, width, height, rgba);
}

bool CCFrameCapture::saveToPNG(const std::string& path)
{
    std::vector<unsigned char> rgba;
    int w = 0, h = 0;
    if (!readFrame(rgba, w, h)) return false;
    return CCImage::savePNG(path, rgba.data(), w, h);
}

bool CCFrameCapture::pixelAt(int px, int py, ccColor4B& out)
{
    CCRenderer* r = liveRenderer();
    std::vector<unsigned char> rgba;
    if (!r || !r->readPixels(px, py, 1, 1, rgba)) return false;
    out = ccc4(rgba[0], rgba[1], rgba[2], rgba[3]);
    return true;
}

bool CCFrameCapture::pixelAtDesignPoint(const CCPoint& point, ccColor4B& out)
{
    CCRenderer* r = liveRenderer();
    if (!r) return false;
    CCSize design = r->getDesignSize();
    if (design.width <= 0 || design.height <= 0) design = CCDirector::sharedDirector()->getWinSize();
    if (design.width <= 0 || design.height <= 0) return false;
    const float sx = r->getFramebufferWidth() / design.width;
    const float sy = r->getFramebufferHeight() / design.height;
    return pixelAt(static_cast<int>(point.x * sx), static_cast<int>((design.height - point.y) * sy), out);
}

unsigned int CCFrameCapture::drawCallsLastFrame()
{
    CCRenderer* r = liveRenderer();
    if (!r) return 0;
    // Once a frame has ended its count is the current one until the next begins.
    return r->drawCallsThisFrame();
}

} // namespace cc
