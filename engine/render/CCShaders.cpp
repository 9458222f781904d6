// Shader sources and their compilation. GLSL 1.20 without precision
// qualifiers, which both desktop GL 2.1 and Mesa's compatibility profile take.
#include "render/CCShaders.h"

#include "base/CCLog.h"
#include "render/CCGL.h"

namespace cc {

namespace {
const char* kVertexSource = R"(#version 120
attribute vec3 a_position;
attribute vec4 a_color;
attribute vec2 a_texCoord;
uniform mat4 u_mvp;
varying vec4 v_color;
varying vec2 v_texCoord;
void main()
{
    gl_Position = u_mvp * vec4(a_position, 1.0);
    v_color = a_color;
    v_texCoord = a_texCoord;
}
)";

const char* kFragmentSource = R"(#version 120
uniform sampler2D u_texture;
uniform float u_alphaThreshold;
varying vec4 v_color;
varying vec2 v_texCoord;
void main()
{
    vec4 color = v_color * texture2D(u_texture, v_texCoord);
    if (color.a <= u_alphaThreshold) discard;
    gl_FragColor = color;
}
)";

GLuint compile(GLenum kind, const char* source)
{
    GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char info[512] = {0};
        glGetShaderInfoLog(shader, sizeof(info) - 1, nullptr, info);
        CCLog("CCRenderer: shader does not compile: %s", info);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}
} // namespace

unsigned int buildSpriteProgram(int positionSlot, int colorSlot, int texCoordSlot)
{
    GLuint vs = compile(GL_VERTEX_SHADER, kVertexSource);
    GLuint fs = vs ? compile(GL_FRAGMENT_SHADER, kFragmentSource) : 0;
    if (!vs || !fs) {
        if (vs) glDeleteShader(vs);
        return 0;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glBindAttribLocation(program, positionSlot, "a_position");
    glBindAttribLocation(program, colorSlot, "a_color");
    glBindAttribLocation(program, texCoordSlot, "a_texCoord");
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        char info[512] = {0};
        glGetProgramInfoLog(program, sizeof(info) - 1, nullptr, info);
        CCLog("CCRenderer: shader program does not link: %s", info);
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

} // namespace cc
