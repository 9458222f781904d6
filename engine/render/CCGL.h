// The one place that pulls in OpenGL: the 2.1 entry points with shaders and
// framebuffer objects, as Mesa's libGL exports them directly.
#pragma once

#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <SDL2/SDL_opengl.h>
