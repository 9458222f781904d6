// Stencil levels for clipping and framebuffer targets for effects. Each
// clipping level owns one stencil bit; content shows where every active
// level's bit is set (an inverted level starts set and is cleared by its shape).
#include "render/CCRenderer.h"

#include "base/CCLog.h"
#include "render/CCGL.h"
#include "render/CCTexture2D.h"

namespace cc {

namespace {
const size_t kMaxStencilLevels = 8;
}

bool CCRenderer::beginStencil(float alphaThreshold, bool inverted)
{
    if (!m_active) return false;
    ensureFrame();
    if (m_stencilStack.size() >= kMaxStencilLevels) {
        CCLog("CCRenderer: clipping nested deeper than %u levels is not clipped", unsigned(kMaxStencilLevels));
        return false;
    }
    flush();
    const GLuint bit = 1u << m_stencilStack.size();
    m_stencilStack.push_back(StencilLevel{inverted});
    glEnable(GL_STENCIL_TEST);
    // Reset this level's bit everywhere: cleared for a normal stencil, set
    // for an inverted one.
    glStencilMask(bit);
    glClearStencil(inverted ? 0xFF : 0);
    glClear(GL_STENCIL_BUFFER_BIT);
    glClearStencil(0);
    // The shape only writes the bit: the test always fails and the fail
    // operation stores the reference value.
    glStencilFunc(GL_NEVER, inverted ? 0 : bit, bit);
    glStencilOp(GL_REPLACE, GL_KEEP, GL_KEEP);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);
    glUniform1f(m_thresholdLocation, alphaThreshold < 1.0f ? alphaThreshold : -1.0f);
    m_writingStencil = true;
    return true;
}

void CCRenderer::applyStencilTest()
{
    if (m_stencilStack.empty()) {
        glDisable(GL_STENCIL_TEST);
        return;
    }
    const GLuint all = (1u << m_stencilStack.size()) - 1;
    glEnable(GL_STENCIL_TEST);
    glStencilMask(0);
    glStencilFunc(GL_EQUAL, all, all);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
}

void CCRenderer::beginClippedContent()
{
    if (!m_active) return;
    flush();
    glUniform1f(m_thresholdLocation, -1.0f);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    m_writingStencil = false;
    applyStencilTest();
}

void CCRenderer::endStencil()
{
    if (!m_active || m_stencilStack.empty()) return;
    if (m_writingStencil) beginClippedContent();
    flush();
    m_stencilStack.pop_back();
    applyStencilTest();
    glStencilMask(0xFF);
}

bool CCRenderer::makeFramebuffer(unsigned int colorTexture, int width, int height, unsigned int& fbo,
                                 unsigned int& depthStencil)
{
    glGenFramebuffers(1, &fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colorTexture, 0);
    glGenRenderbuffers(1, &depthStencil);
    glBindRenderbuffer(GL_RENDERBUFFER, depthStencil);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthStencil);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depthStencil);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    if (!complete) {
        glDeleteFramebuffers(1, &fbo);
        glDeleteRenderbuffers(1, &depthStencil);
        fbo = depthStencil = 0;
    }
    return complete;
}

bool CCRenderer::pushRenderTarget(CCTexture2D* target)
{
    if (!m_active) return false;
    ensureFrame();
    if (!target || !target->getName()) return false;
    flush();
    Target t{0, 0, static_cast<int>(target->getPixelsWide()), static_cast<int>(target->getPixelsHigh()), {}};
    if (!makeFramebuffer(target->getName(), t.width, t.height, t.fbo, t.depthStencil)) {
        CCLog("CCRenderer: cannot draw into a %dx%d texture", t.width, t.height);
        glBindFramebuffer(GL_FRAMEBUFFER, m_targets.empty() ? m_offscreenFbo : m_targets.back().fbo);
        return false;
    }
    // Clipping in the target starts afresh; the levels outside come back on pop.
    for (size_t i = 0; i < m_stencilStack.size(); ++i) t.stencils.push_back(m_stencilStack[i].inverted);
    m_stencilStack.clear();
    m_targets.push_back(t);
    m_viewWidth = t.width;
    m_viewHeight = t.height;
    glViewport(0, 0, t.width, t.height);
    glDisable(GL_STENCIL_TEST);
    glStencilMask(0xFF);
    glDepthMask(GL_TRUE);
    glClearColor(m_clearColor.r, m_clearColor.g, m_clearColor.b, m_clearColor.a);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    return true;
}

void CCRenderer::popRenderTarget()
{
    if (!m_active || m_targets.empty()) return;
    flush();
    Target t = m_targets.back();
    m_targets.pop_back();
    glDeleteFramebuffers(1, &t.fbo);
    glDeleteRenderbuffers(1, &t.depthStencil);
    m_stencilStack.clear();
    for (unsigned int inverted : t.stencils) m_stencilStack.push_back(StencilLevel{inverted != 0});
    if (m_targets.empty()) {
        bindMainTarget();
    } else {
        glBindFramebuffer(GL_FRAMEBUFFER, m_targets.back().fbo);
        m_viewWidth = m_targets.back().width;
        m_viewHeight = m_targets.back().height;
        glViewport(0, 0, m_viewWidth, m_viewHeight);
    }
    applyStencilTest();
    glStencilMask(0xFF);
}

} // namespace cc
