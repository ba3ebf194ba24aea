#include "render/value_label_drawing.h"

#include <cstdio>

#include <GL/gl.h>
#include <GL/glu.h>

#include "render/window_overlay.h"

void drawValueLabels(const Simulation& s, const ViewerState& viewer) {
    if (viewer.valueLabels == 0) return;
    GLdouble modelview[16];
    GLdouble projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    beginWindowOverlay(viewport[2], viewport[3]);
    for (int k = 0; k < kMaxBalls; ++k) {
        if (s.ballAlive[k] == 0) continue;
        const Vector3& p = s.ballPositions[k];
        GLdouble x = 0.0, y = 0.0, z = 0.0;
        if (gluProject(p.x, p.y, p.z, modelview, projection, viewport, &x, &y, &z) != GL_TRUE) continue;
        if (z < 0.0 || z > 1.0) continue;  // behind the eye
        char label[32];
        std::snprintf(label, sizeof label, "%d  %.2f", k, s.ballVelocities[k].Length());
        drawOverlayText(static_cast<int>(x) + 8, static_cast<int>(y) + 8, label);
    }
    endWindowOverlay();
}
