#define VL_WEBGL_NO_RENAMING
#include <GL/glut.h>

#include <emscripten.h>

// The GLUT callbacks the emulation lacks. The page's listeners report the
// browser's events here: a held key's repeats (dropped while repeats are
// ignored, by the page itself), the pointer leaving the canvas or the page
// losing focus, and the page being hidden.

namespace {

void (*entryCallback)(int) = nullptr;
void (*windowStatusCallback)(int) = nullptr;

}  // namespace

EM_JS(void, setIgnoreKeyRepeat, (int ignore), { Module['ignoreKeyRepeat'] = ignore != 0; });

extern "C" {

void glutIgnoreKeyRepeat(int ignore) { setIgnoreKeyRepeat(ignore); }

void glutEntryFunc(void (*callback)(int)) { entryCallback = callback; }

void glutWindowStatusFunc(void (*callback)(int)) { windowStatusCallback = callback; }

EMSCRIPTEN_KEEPALIVE void vl_pointer_left(void) {
    if (entryCallback) entryCallback(GLUT_LEFT);
}

EMSCRIPTEN_KEEPALIVE void vl_pointer_entered(void) {
    if (entryCallback) entryCallback(GLUT_ENTERED);
}

EMSCRIPTEN_KEEPALIVE void vl_page_hidden(void) {
    if (windowStatusCallback) windowStatusCallback(GLUT_HIDDEN);
}

EMSCRIPTEN_KEEPALIVE void vl_page_shown(void) {
    if (windowStatusCallback) windowStatusCallback(GLUT_FULLY_RETAINED);
}

}  // extern "C"
