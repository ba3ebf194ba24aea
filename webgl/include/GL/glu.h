// The browser build finds this file before the toolchain's own <GL/glu.h>:
// it takes that header and then sends the calls our emulation layer
// supplies or mends to this folder (see webgl/gl_compat.h).
#pragma once
#include_next <GL/glu.h>
#include "webgl/gl_compat.h"
