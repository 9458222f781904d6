// Texture pixels and their lazy GPU upload. The renderer's context generation
// tells whether a GL name made earlier still belongs to the current context.
#include "render/CCTexture2D.h"

#include "base/CCLog.h"
#include "render/CCGL.h"
#include "render/CCImage.h"
#include "render/CCRenderer.h"

#include <cstring>

namespace cc {

CCTexture2D::~CCTexture2D()
{
    releaseGL();
}

bool CCTexture2D::initWithImage(CCImage* image)
{
    if (!image || !image->hasPixels()) return false;
    return initWithRGBA(image->getData(), image->getWidth(), image->getHeight());
}

bool CCTexture2D::initWithRGBA(const unsigned char* rgba, int width, int height)
{
    if (!rgba || width <= 0 || height <= 0) return false;
    m_width = width;
    m_height = height;
    m_pixels.assign(rgba, rgba + static_cast<size_t>(width) * height * 4);
    m_renderTarget = false;
    releaseGL();
    return true;
}

bool CCTexture2D::initWithPixels(std::vector<unsigned char>&& rgba, int width, int height)
{
    if (width <= 0 || height <= 0 || rgba.size() != static_cast<size_t>(width) * height * 4) return false;
    m_width = width;
    m_height = height;
    m_pixels = std::move(rgba);
    m_renderTarget = false;
    releaseGL();
    return true;
}

bool CCTexture2D::initAsRenderTarget(int width, int height)
{
    if (width <= 0 || height <= 0 || !CCRenderer::current()) return false;
    releaseGL();
    m_width = width;
    m_height = height;
    m_pixels.clear();
    m_renderTarget = true;
    upload();
    return m_name != 0;
}

unsigned int CCTexture2D::getName()
{
    if (isEmpty() || !CCRenderer::current()) return 0;
    if (m_name == 0 || m_contextGeneration != CCRenderer::contextGeneration()) {
        m_name = 0; // the old name died with its context
        upload();
    }
    if (m_paramsDirty && m_name) {
        glBindTexture(GL_TEXTURE_2D, m_name);
        const GLint filter = m_linear ? GL_LINEAR : GL_NEAREST;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
        m_paramsDirty = false;
    }
    return m_name;
}

void CCTexture2D::upload()
{
    if (!m_renderTarget && m_pixels.empty()) {
        // Let go after an earlier upload: read the file again.
        int width = 0, height = 0;
        std::string why;
        if (!m_reloadable || !CCImage::decodeFile(m_path, m_pixels, width, height, why) || width != m_width ||
            height != m_height) {
            m_pixels.clear();
            CCLog("CCTexture2D: cannot upload %s again (%s)", m_path.c_str(), why.empty() ? "changed" : why.c_str());
            return;
        }
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    // Rows are stored top first, and texture coordinates follow that order.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, m_width, m_height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 m_renderTarget ? nullptr : m_pixels.data());
    m_name = name;
    m_contextGeneration = CCRenderer::contextGeneration();
    m_paramsDirty = true;
    if (!m_name) {
        CCLog("CCTexture2D: GL upload failed for %s", m_path.c_str());
    } else if (m_reloadable) {
        std::vector<unsigned char>().swap(m_pixels);
    }
}

void CCTexture2D::releaseGL()
{
    if (m_name && CCRenderer::current() && m_contextGeneration == CCRenderer::contextGeneration()) {
        GLuint name = m_name;
        glDeleteTextures(1, &name);
    }
    m_name = 0;
}

} // namespace cc
