#pragma once

// OpenGL 1.1 and GLU, as the platform provides them. On Windows the GL
// headers need the calling-convention macros of windows.h.
#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>
#include <GL/glu.h>
