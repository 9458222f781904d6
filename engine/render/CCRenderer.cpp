// GL side of drawing: program, batch, frames and read-back. Stencil and
// render-target handling live in CCRendererTargets.cpp.
#include "render/CCRenderer.h"

#include "base/CCLog.h"
#include "render/CCGL.h"
#include "render/CCShaders.h"
#include "render/CCTexture2D.h"
#include "scene/CCDirector.h"

#include <cstring>

namespace cc {

namespace {
CCRenderer* s_current = nullptr;
unsigned int s_generation = 0;
// Depth range of the design space; page curls lift vertices well inside it.
const float kDepthRange = 4096.0f;
// A batch larger than this is sent early to keep the buffer upload small.
const size_t kMaxBatchVertices = 6 * 4096;

enum { kAttribPosition = 0, kAttribColor = 1, kAttribTexCoord = 2 };
} // namespace

ccBlendFunc ccBlendFuncAlpha()
{
    ccBlendFunc blend = {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA};
    return blend;
}

CCRenderer* CCRenderer::current() { return s_current; }
unsigned int CCRenderer::contextGeneration() { return s_generation; }

CCRenderer* CCRenderer::create(int framebufferWidth, int framebufferHeight, bool drawIntoWindow)
{
    CCRenderer* renderer = new CCRenderer();
    renderer->m_drawIntoWindow = drawIntoWindow;
    ++s_generation;
    s_current = renderer;
    renderer->m_active = true;
    if (!renderer->build(framebufferWidth, framebufferHeight)) {
        renderer->shutdown();
        delete renderer;
        return nullptr;
    }
    return renderer;
}

bool CCRenderer::makeMainFramebuffer(int width, int height)
{
    if (m_drawIntoWindow) {
        // The window's own framebuffer (name 0) is the main one.
        m_fbWidth = width;
        m_fbHeight = height;
        return true;
    }
    glGenTextures(1, &m_offscreenColor);
    glBindTexture(GL_TEXTURE_2D, m_offscreenColor);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    if (!makeFramebuffer(m_offscreenColor, width, height, m_offscreenFbo, m_offscreenDepth)) {
        CCLog("CCRenderer: cannot make a %dx%d frame buffer", width, height);
        return false;
    }
    m_fbWidth = width;
    m_fbHeight = height;
    return true;
}

void CCRenderer::freeMainFramebuffer()
{
    if (m_offscreenFbo) glDeleteFramebuffers(1, &m_offscreenFbo);
    if (m_offscreenDepth) glDeleteRenderbuffers(1, &m_offscreenDepth);
    if (m_offscreenColor) glDeleteTextures(1, &m_offscreenColor);
    m_offscreenFbo = m_offscreenDepth = m_offscreenColor = 0;
}

bool CCRenderer::build(int width, int height)
{
    m_program = buildSpriteProgram(kAttribPosition, kAttribColor, kAttribTexCoord);
    if (!m_program) return false;
    m_mvpLocation = glGetUniformLocation(m_program, "u_mvp");
    m_thresholdLocation = glGetUniformLocation(m_program, "u_alphaThreshold");
    m_samplerLocation = glGetUniformLocation(m_program, "u_texture");
    glGenBuffers(1, &m_vbo);

    const unsigned char white[4] = {255, 255, 255, 255};
    glGenTextures(1, &m_whiteTexture);
    glBindTexture(GL_TEXTURE_2D, m_whiteTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);

    if (width <= 0 || height <= 0 || !makeMainFramebuffer(width, height)) return false;
    m_drawableWidth = width;
    m_drawableHeight = height;
    glUseProgram(m_program);
    glUniform1i(m_samplerLocation, 0);
    glUniform1f(m_thresholdLocation, -1.0f);
    glBindBuffer(GL_ARRAY_BUFFER, m_vbo);
    glEnableVertexAttribArray(kAttribPosition);
    glEnableVertexAttribArray(kAttribColor);
    glEnableVertexAttribArray(kAttribTexCoord);
    const GLsizei stride = sizeof(ccV3F_C4B_T2F);
    glVertexAttribPointer(kAttribPosition, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<void*>(offsetof(ccV3F_C4B_T2F, x)));
    glVertexAttribPointer(kAttribColor, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<void*>(offsetof(ccV3F_C4B_T2F, r)));
    glVertexAttribPointer(kAttribTexCoord, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<void*>(offsetof(ccV3F_C4B_T2F, u)));
    glEnable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glActiveTexture(GL_TEXTURE0);
    m_batch.reserve(kMaxBatchVertices);
    return true;
}

CCRenderer::~CCRenderer()
{
    shutdown();
}

void CCRenderer::shutdown()
{
    if (!m_active) return;
    m_batch.clear();
    for (Target& t : m_targets) {
        glDeleteFramebuffers(1, &t.fbo);
        glDeleteRenderbuffers(1, &t.depthStencil);
    }
    m_targets.clear();
    freeMainFramebuffer();
    if (m_program) glDeleteProgram(m_program);
    if (m_vbo) glDeleteBuffers(1, &m_vbo);
    if (m_whiteTexture) glDeleteTextures(1, &m_whiteTexture);
    m_program = m_vbo = m_whiteTexture = 0;
    m_active = false;
    if (s_current == this) s_current = nullptr;
}

void CCRenderer::setFramebufferSize(int width, int height)
{
    if (!m_active || width <= 0 || height <= 0 || (width == m_fbWidth && height == m_fbHeight)) return;
    flush();
    freeMainFramebuffer();
    makeMainFramebuffer(width, height);
    bindMainTarget();
}

void CCRenderer::setPresentArea(int left, int top, int drawableWidth, int drawableHeight)
{
    if (drawableWidth <= 0 || drawableHeight <= 0) return;
    m_presentLeft = left;
    m_presentTop = top;
    m_drawableWidth = drawableWidth;
    m_drawableHeight = drawableHeight;
}

void CCRenderer::present(unsigned int targetFramebuffer)
{
    if (!m_active) return;
    flush();
    if (m_drawIntoWindow) return; // already in the window's back buffer
    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_offscreenFbo);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, targetFramebuffer);
    if (!pictureFillsDrawable()) {
        // The back buffer holds nothing worth keeping after a swap.
        glViewport(0, 0, m_drawableWidth, m_drawableHeight);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glClearColor(kBarColour.r, kBarColour.g, kBarColour.b, kBarColour.a);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(m_clearColor.r, m_clearColor.g, m_clearColor.b, m_clearColor.a);
        glViewport(0, 0, m_viewWidth, m_viewHeight);
    }
    // GL rows count from the bottom of the drawable.
    const int bottom = m_drawableHeight - m_presentTop - m_fbHeight;
    glBlitFramebuffer(0, 0, m_fbWidth, m_fbHeight, m_presentLeft, bottom, m_presentLeft + m_fbWidth,
                      bottom + m_fbHeight, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, m_targets.empty() ? m_offscreenFbo : m_targets.back().fbo);
}

void CCRenderer::bindMainTarget()
{
    glBindFramebuffer(GL_FRAMEBUFFER, m_offscreenFbo);
    m_viewWidth = m_fbWidth;
    m_viewHeight = m_fbHeight;
    if (m_drawIntoWindow) {
        // Straight into the window, the picture takes its place in the
        // drawable; the bars around it are cleared when a frame begins.
        glViewport(m_presentLeft, pictureBottom(), m_viewWidth, m_viewHeight);
    } else {
        glViewport(0, 0, m_viewWidth, m_viewHeight);
    }
}

int CCRenderer::pictureBottom() const
{
    // GL rows count from the bottom of the drawable.
    return m_drawIntoWindow ? m_drawableHeight - m_presentTop - m_fbHeight : 0;
}

bool CCRenderer::pictureFillsDrawable() const
{
    return m_presentLeft == 0 && m_presentTop == 0 && m_fbWidth >= m_drawableWidth && m_fbHeight >= m_drawableHeight;
}

void CCRenderer::beginFrame(const CCSize& designSize)
{
    if (!m_active) return;
    flush();
    m_lastFrameDrawCalls = m_drawCalls;
    m_drawCalls = 0;
    m_inFrame = true;
    m_frameNumber = CCDirector::sharedDirector()->getTotalFrames();
    m_design = designSize;
    if (m_design.width <= 0 || m_design.height <= 0) {
        m_design = CCSize(static_cast<float>(m_fbWidth), static_cast<float>(m_fbHeight));
    }
    m_targets.clear();
    m_stencilStack.clear();
    m_writingStencil = false;
    bindMainTarget();
    setDepthTest(CCDirector::sharedDirector()->isDepthTestEnabled());
    glDisable(GL_STENCIL_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilMask(0xFF);
    const bool bars = m_drawIntoWindow && !pictureFillsDrawable();
    if (bars) {
        // The whole window in the bars' colour, then only the picture's
        // rectangle is cleared for the frame.
        glClearColor(kBarColour.r, kBarColour.g, kBarColour.b, kBarColour.a);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_SCISSOR_TEST);
        glScissor(m_presentLeft, pictureBottom(), m_fbWidth, m_fbHeight);
    }
    glClearColor(m_clearColor.r, m_clearColor.g, m_clearColor.b, m_clearColor.a);
    glClearStencil(0);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    if (bars) glDisable(GL_SCISSOR_TEST);
    applyProjection();
}

void CCRenderer::endFrame()
{
    if (!m_active) return;
    flush();
    m_inFrame = false;
    glFlush();
}

void CCRenderer::ensureFrame()
{
    CCDirector* director = CCDirector::sharedDirector();
    if (!m_inFrame || director->getTotalFrames() != m_frameNumber) {
        beginFrame(director->getWinSize());
    }
}

void CCRenderer::applyProjection()
{
    // Design points to clip space; z towards the viewer is nearer.
    const float w = m_design.width > 0 ? m_design.width : 1.0f;
    const float h = m_design.height > 0 ? m_design.height : 1.0f;
    const float mvp[16] = {2.0f / w, 0, 0, 0, 0, 2.0f / h, 0, 0, 0, 0, -1.0f / kDepthRange, 0, -1, -1, 0, 1};
    glUniformMatrix4fv(m_mvpLocation, 1, GL_FALSE, mvp);
}

void CCRenderer::setState(unsigned int textureName, const ccBlendFunc& blend)
{
    if (textureName != m_batchTexture || blend.src != m_batchBlend.src || blend.dst != m_batchBlend.dst) {
        flush();
        m_batchTexture = textureName;
        m_batchBlend = blend;
    }
}

void CCRenderer::drawTriangles(CCTexture2D* texture, const ccBlendFunc& blend, const ccV3F_C4B_T2F* vertices,
                               size_t count)
{
    if (!m_active || !vertices || count < 3) return;
    ensureFrame();
    unsigned int name = texture ? texture->getName() : m_whiteTexture;
    if (!name) return; // an empty texture draws nothing
    setState(name, blend);
    if (m_batch.size() + count > kMaxBatchVertices) flush();
    m_batch.insert(m_batch.end(), vertices, vertices + count);
}

void CCRenderer::drawQuads(CCTexture2D* texture, const ccBlendFunc& blend, const ccV3F_C4B_T2F* vertices,
                           size_t quadCount)
{
    if (!m_active || !vertices || quadCount == 0) return;
    ensureFrame();
    unsigned int name = texture ? texture->getName() : m_whiteTexture;
    if (!name) return;
    setState(name, blend);
    if (m_batch.size() + quadCount * 6 > kMaxBatchVertices) flush();
    for (size_t q = 0; q < quadCount; ++q) {
        const ccV3F_C4B_T2F* v = vertices + q * 4;
        m_batch.push_back(v[0]);
        m_batch.push_back(v[1]);
        m_batch.push_back(v[2]);
        m_batch.push_back(v[2]);
        m_batch.push_back(v[1]);
        m_batch.push_back(v[3]);
    }
}

void CCRenderer::flush()
{
    if (!m_active || m_batch.empty()) return;
    glBindTexture(GL_TEXTURE_2D, m_batchTexture);
    glBlendFunc(m_batchBlend.src, m_batchBlend.dst);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(m_batch.size() * sizeof(ccV3F_C4B_T2F)), m_batch.data(),
                 GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(m_batch.size()));
    ++m_drawCalls;
    m_batch.clear();
}

void CCRenderer::setDepthTest(bool on)
{
    if (!m_active) return;
    flush();
    m_depthTest = on;
    if (on) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
    } else {
        glDisable(GL_DEPTH_TEST);
    }
}

void CCRenderer::clearDepth()
{
    if (!m_active) return;
    flush();
    glDepthMask(GL_TRUE);
    glClear(GL_DEPTH_BUFFER_BIT);
}

bool CCRenderer::readPixels(int x, int y, int width, int height, std::vector<unsigned char>& out)
{
    if (!m_active || width <= 0 || height <= 0 || x < 0 || y < 0 || x + width > m_fbWidth || y + height > m_fbHeight) {
        return false;
    }
    flush();
    glFinish();
    glBindFramebuffer(GL_FRAMEBUFFER, m_targets.empty() ? m_offscreenFbo : m_targets.back().fbo);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    std::vector<unsigned char> flipped(static_cast<size_t>(width) * height * 4);
    // GL rows start at the bottom; callers think from the top. Straight in
    // the window, the picture stands at its place in the drawable.
    const bool inWindow = m_targets.empty() && m_drawIntoWindow;
    const int left = inWindow ? m_presentLeft : 0;
    const int bottom = inWindow ? pictureBottom() : 0;
    glReadPixels(left + x, bottom + m_fbHeight - y - height, width, height, GL_RGBA, GL_UNSIGNED_BYTE,
                 flipped.data());
    out.resize(flipped.size());
    const size_t row = static_cast<size_t>(width) * 4;
    for (int r = 0; r < height; ++r) {
        std::memcpy(&out[r * row], &flipped[(height - 1 - r) * row], row);
    }
    return true;
}

} // namespace cc
