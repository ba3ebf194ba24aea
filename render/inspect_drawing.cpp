#include "render/inspect_drawing.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "geometry/trig.h"
#include "render/graphics_setup.h"
#include "render/window_overlay.h"

namespace {

constexpr int kRingPoints = 48;
constexpr double kRingScale = 1.25;  // of the ball's radius on screen

bool selectionShown(const Simulation& s, const ViewerState& viewer) {
    const int k = viewer.selectedBall;
    return k >= 0 && k < kMaxBalls && s.ballAlive[k] != 0;
}

void ringLoop(double cx, double cy, double radius, float width, float grey) {
    glLineWidth(width);
    glColor3f(grey, grey, grey);
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < kRingPoints; ++i) {
        const double a = 2.0 * 3.14159265358979323846 * i / kRingPoints;
        glVertex2i(static_cast<int>(cx + radius * Cos(a)), static_cast<int>(cy + radius * Sin(a)));
    }
    glEnd();
}

}  // namespace

void drawSelectionRing(const Simulation& s, const ViewerState& viewer) {
    if (!selectionShown(s, viewer)) return;
    GLdouble modelview[16];
    GLdouble projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const Vector3& c = s.ballPositions[viewer.selectedBall];
    // The camera's right in world coordinates is the modelview's first row.
    const double r = s.ballRadius;
    const Vector3 edge = c + Vector3(modelview[0], modelview[4], modelview[8]) * r;
    GLdouble sx = 0.0, sy = 0.0, sz = 0.0, ex = 0.0, ey = 0.0, ez = 0.0;
    if (gluProject(c.x, c.y, c.z, modelview, projection, viewport, &sx, &sy, &sz) != GL_TRUE ||
        gluProject(edge.x, edge.y, edge.z, modelview, projection, viewport, &ex, &ey, &ez) != GL_TRUE) {
        return;
    }
    // Behind the eye: nothing to ring.
    if (sz < 0.0 || sz > 1.0) return;
    const double dx = ex - sx;
    const double dy = ey - sy;
    double radius = kRingScale * Vector3(dx, dy, 0.0).Length();
    if (radius < 6.0) radius = 6.0;

    beginWindowOverlay(viewport[2], viewport[3]);
    glPushAttrib(GL_LINE_BIT | GL_CURRENT_BIT);
    ringLoop(sx, sy, radius, 5.0f, 0.0f);
    ringLoop(sx, sy, radius, 2.0f, 1.0f);
    glPopAttrib();
    endWindowOverlay();
}
