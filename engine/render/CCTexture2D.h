// One picture as the renderer samples it. The decoded pixels are kept on the
// CPU side so sizes are right without a GL context; the GPU copy is made the
// first time the texture is drawn, and made again after the context changed.
// A texture read from a file lets its CPU copy go once it is on the GPU and
// reads the file again if a new context needs it.
#pragma once

#include "base/CCGeometry.h"
#include "base/CCObject.h"

#include <string>
#include <vector>

namespace cc {

class CCImage;

class CCTexture2D : public CCObject {
public:
    CCTexture2D() = default;
    ~CCTexture2D() override;

    // Copies the image's pixels. An image without pixels gives an empty
    // texture (zero content size) and false.
    bool initWithImage(CCImage* image);
    bool initWithRGBA(const unsigned char* rgba, int width, int height);
    // Takes decoded rows over without copying them.
    bool initWithPixels(std::vector<unsigned char>&& rgba, int width, int height);
    // A texture the renderer draws into (frame capture of a scene); GL only.
    bool initAsRenderTarget(int width, int height);

    // Size in points (one point per pixel on the desktop).
    CCSize getContentSize() const { return CCSize(static_cast<float>(m_width), static_cast<float>(m_height)); }
    unsigned int getPixelsWide() const { return static_cast<unsigned int>(m_width); }
    unsigned int getPixelsHigh() const { return static_cast<unsigned int>(m_height); }
    bool isEmpty() const { return m_width == 0 || m_height == 0; }
    bool hasPremultipliedAlpha() const { return false; }
    const unsigned char* getPixels() const { return m_pixels.empty() ? nullptr : m_pixels.data(); }
    // Smooth (linear) or crisp (nearest) sampling.
    void setAntiAliasTexParameters() { m_linear = true; m_paramsDirty = true; }
    void setAliasTexParameters() { m_linear = false; m_paramsDirty = true; }

    // The GL texture name, uploading first when needed. Only valid while a
    // GL context is current; 0 for an empty texture.
    unsigned int getName();
    // Where the file came from, for diagnostics and the cache.
    const std::string& getPath() const { return m_path; }
    void setPath(const std::string& path) { m_path = path; }
    // The pixels came from the file at getPath(): once uploaded, the CPU copy
    // is dropped (getPixels() is null then) and the file is read again when
    // a new GL context needs the texture.
    void setReloadableFromFile(bool reloadable) { m_reloadable = reloadable; }

private:
    void upload();
    void releaseGL();

    std::vector<unsigned char> m_pixels;
    std::string m_path;
    int m_width = 0;
    int m_height = 0;
    unsigned int m_name = 0;
    unsigned int m_contextGeneration = 0;
    bool m_renderTarget = false;
    bool m_linear = true;
    bool m_paramsDirty = true;
    bool m_reloadable = false;
};

} // namespace cc
