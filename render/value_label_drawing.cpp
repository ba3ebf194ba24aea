#include "render/value_label_drawing.h"

#include <cstdio>

#include <GL/gl.h>
#include <GL/glu.h>

#include "render/window_overlay.h"

bool ballValueLabel(const Simulation& s, int k, const double* modelview, const double* projection,
                    const int* viewport, double& x, double& y, char* label, int size) {
    if (s.ballAlive[k] == 0) return false;
    const Vector3& p = s.ballPositions[k];
    GLdouble z = 0.0;
    if (gluProject(p.x, p.y, p.z, modelview, projection, viewport, &x, &y, &z) != GL_TRUE) return false;
    if (z < 0.0 || z > 1.0) return false;  // behind the eye
    std::snprintf(label, static_cast<std::size_t>(size), "%d  %.2f", k, s.ballVelocities[k].Length());
    return true;
}

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
        double x = 0.0, y = 0.0;
        char label[32];
        if (!ballValueLabel(s, k, modelview, projection, viewport, x, y, label, sizeof label)) continue;
        drawOverlayText(static_cast<int>(x) + 8, static_cast<int>(y) + 8, label);
    }
    endWindowOverlay();
}
