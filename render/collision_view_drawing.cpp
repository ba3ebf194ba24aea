#include "render/collision_view_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <GL/gl.h>

#include "effects/contact_log.h"
#include "effects/inspect_mode.h"
#include "lab/lab_figures.h"
#include "lab/lab_panels.h"
#include "render/graphics_setup.h"
#include "render/window_overlay.h"
#include "scene/obstacle_clearance.h"

namespace {

constexpr int kRingSegments = 32;
constexpr double kPi = 3.14159265358979323846;
constexpr double kNormalLength = 30.0;
// Velocity lines start at the ball's surface; a falling ball (speed about
// 5) gets a line of 100 units, and none is shorter than two radii, so the
// direction reads with five balls in the room too.
constexpr double kVelocityScale = 20.0;
constexpr double kShortestVelocityLine = 2.0;  // radii

// One colour per thing the view shows, none shared with the shots (red,
// yellow) or each other; the legend (lab/) names them.
void colour(LegendItem item, float alpha) {
    const float* c = kLegendEntries[item].colour;
    glColor4f(c[0], c[1], c[2], alpha);
}
// The centre of mass's velocity, the momentum shared out over the balls,
// drawn thicker than a ball's from their mean position, on the same scale.
constexpr float kMomentumLineWidth = 4.0f;
// Where the pillars end in the drawing, from their axis point.
constexpr double kPillarHalfLength = 500.0;
constexpr double kFloorY = -320.0;

void vertex(const Vector3& p) {
    glVertex3d(p.x, p.y, p.z);
}

// Two unit vectors across `axis`.
void across(const Vector3& axis, Vector3& u, Vector3& v) {
    const Vector3 helper = std::fabs(axis.y) < 0.9 ? Vector3(0.0, 1.0, 0.0) : Vector3(1.0, 0.0, 0.0);
    u = Unit(axis.Cross(helper));
    v = Unit(axis.Cross(u));
}

void ring(const Vector3& centre, const Vector3& u, const Vector3& v, double radius) {
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < kRingSegments; ++i) {
        const double a = 2.0 * kPi * i / kRingSegments;
        vertex(centre + u * (radius * std::cos(a)) + v * (radius * std::sin(a)));
    }
    glEnd();
}

// Three great circles.
void sphereOutline(const Vector3& centre, double radius) {
    const Vector3 x(1.0, 0.0, 0.0);
    const Vector3 y(0.0, 1.0, 0.0);
    const Vector3 z(0.0, 0.0, 1.0);
    ring(centre, x, y, radius);
    ring(centre, y, z, radius);
    ring(centre, z, x, radius);
}

// The six inset planes as the box they enclose. The planes are axis
// aligned; each bounds its axis from the side its normal points away from.
void drawPlaneBox(const Simulation& s) {
    double lo[3] = {0.0, 0.0, 0.0};
    double hi[3] = {0.0, 0.0, 0.0};
    for (const Plane& plane : s.collisionPlanes) {
        const double n[3] = {plane.normal.x, plane.normal.y, plane.normal.z};
        const double p[3] = {plane.point.x, plane.point.y, plane.point.z};
        for (int a = 0; a < 3; ++a) {
            if (n[a] > 0.5) lo[a] = p[a];
            if (n[a] < -0.5) hi[a] = p[a];
        }
    }
    glBegin(GL_LINES);
    for (int a = 0; a < 3; ++a) {
        const int b = (a + 1) % 3;
        const int c = (a + 2) % 3;
        for (int corner = 0; corner < 4; ++corner) {
            double from[3];
            from[a] = lo[a];
            from[b] = (corner & 1) ? hi[b] : lo[b];
            from[c] = (corner & 2) ? hi[c] : lo[c];
            double to[3] = {from[0], from[1], from[2]};
            to[a] = hi[a];
            glVertex3dv(from);
            glVertex3dv(to);
        }
    }
    glEnd();
}

void drawCylinders(const Simulation& s) {
    for (const Cylinder& cylinder : s.collisionCylinders) {
        Vector3 u;
        Vector3 v;
        across(cylinder.axis, u, v);
        for (int k = -4; k <= 4; ++k) ring(cylinder.point + cylinder.axis * (100.0 * k), u, v, cylinder.radius);
        const Vector3 a = cylinder.point - cylinder.axis * kPillarHalfLength;
        const Vector3 b = cylinder.point + cylinder.axis * kPillarHalfLength;
        glBegin(GL_LINES);
        for (int i = 0; i < 8; ++i) {
            const double angle = 2.0 * kPi * i / 8;
            const Vector3 out = u * (cylinder.radius * std::cos(angle)) + v * (cylinder.radius * std::sin(angle));
            vertex(a + out);
            vertex(b + out);
        }
        glEnd();
    }
}

// Each collision cone from its apex down to the floor, and its tip zone.
void drawCones(const Simulation& s) {
    const double tipZone = 4 * s.ballRadius;
    for (const Cone& cone : s.collisionCones) {
        const double height = cone.axis.y < -1e-8 ? (cone.apex.y - kFloorY) / -cone.axis.y : 300.0;
        const double tan = cone.sinHalfAngle / cone.cosHalfAngle;
        Vector3 u;
        Vector3 v;
        across(cone.axis, u, v);
        ring(cone.apex + cone.axis * height, u, v, height * tan);
        ring(cone.apex + cone.axis * (height * 0.5), u, v, height * 0.5 * tan);
        glBegin(GL_LINES);
        for (int i = 0; i < 8; ++i) {
            const double angle = 2.0 * kPi * i / 8;
            const Vector3 out = u * std::cos(angle) + v * std::sin(angle);
            vertex(cone.apex);
            vertex(cone.apex + cone.axis * height + out * (height * tan));
        }
        glEnd();
        sphereOutline(cone.apex, tipZone);
    }
}

void drawDomes(const Simulation& s) {
    for (const Dome& dome : kDomes) sphereOutline(dome.centre, dome.radius + s.ballRadius);
}

// Fading points with their normals, large enough to find at a glance:
// 8 pixels across at 640 x 480, more in a larger window.
float contactPointSize() {
    const float size = graphics.windowSize[1] / 60.0f;
    return size > 8.0f ? size : 8.0f;
}

void drawContactMarks(const FrameLook& look) {
    if (look.contacts == nullptr) return;
    const int now = look.contactTime;
    glPointSize(contactPointSize());
    glLineWidth(2.0f);
    glBegin(GL_POINTS);
    for (const ContactMark& mark : look.contacts->marks) {
        const float fade = contactMarkFade(mark, now);
        if (fade <= 0.0f) continue;
        colour(kLegendContacts, fade);
        vertex(mark.pointVector());
    }
    glEnd();
    glBegin(GL_LINES);
    for (const ContactMark& mark : look.contacts->marks) {
        const float fade = contactMarkFade(mark, now);
        if (fade <= 0.0f) continue;
        colour(kLegendContacts, fade);
        vertex(mark.pointVector());
        vertex(mark.pointVector() + mark.normalVector() * kNormalLength);
    }
    glEnd();
    glPointSize(5.0f);
    glLineWidth(1.0f);
}

void drawVelocities(const Simulation& s) {
    glBegin(GL_LINES);
    for (int k = 0; k < kMaxBalls; ++k) {
        if (s.ballAlive[k] == 0) continue;
        const Vector3& velocity = s.ballVelocities[k];
        const Vector3 direction = Unit(velocity);
        if (!direction.IsValid() || velocity.Length() <= 1e-8) continue;
        const Vector3 start = s.ballPositions[k] + direction * s.ballRadius;
        const double length = velocity.Length() * kVelocityScale;
        const double shortest = kShortestVelocityLine * s.ballRadius;
        vertex(start);
        vertex(start + direction * (length > shortest ? length : shortest));
    }
    glEnd();
}

void drawMomentum(const Simulation& s) {
    const EnergyTotals totals = energyTotals(s);
    if (totals.balls == 0) return;
    Vector3 centre(0.0, 0.0, 0.0);
    for (int k = 0; k < kMaxBalls; ++k) {
        if (s.ballAlive[k] != 0) centre += s.ballPositions[k];
    }
    const double share = 1.0 / totals.balls;
    centre *= share;
    const Vector3 velocity = totals.momentum * share;
    if (!velocity.IsValid() || velocity.Length() <= 1e-8) return;
    const double length = velocity.Length() * kVelocityScale;
    const double shortest = kShortestVelocityLine * s.ballRadius;
    // The centre of mass is often inside a pillar: drawn over everything.
    glDisable(GL_DEPTH_TEST);
    glLineWidth(kMomentumLineWidth);
    glBegin(GL_LINES);
    vertex(centre);
    vertex(centre + Unit(velocity) * (length > shortest ? length : shortest));
    glEnd();
    glPointSize(2.0f * kMomentumLineWidth);
    glBegin(GL_POINTS);
    vertex(centre);
    glEnd();
    glLineWidth(1.0f);
    glPointSize(5.0f);
    glEnable(GL_DEPTH_TEST);
}

}  // namespace

void drawCollisionView(const Simulation& s, const FrameLook& look, const ViewerState& viewer) {
    if (viewer.collisionView == 0) return;

    // Everything this pass changes comes back with the pop.
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_POINT_BIT | GL_DEPTH_BUFFER_BIT |
                 GL_COLOR_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glLineWidth(1.0f);
    glPointSize(5.0f);

    const int layers = viewer.collisionLayers;
    if ((layers & kLayerVolumes) != 0) {
        colour(kLegendWalls, 0.8f);
        drawPlaneBox(s);
        colour(kLegendPillars, 0.8f);
        drawCylinders(s);
        colour(kLegendCones, 0.8f);
        drawCones(s);
        colour(kLegendDomes, 0.8f);
        drawDomes(s);
    }
    if ((layers & kLayerContacts) != 0) drawContactMarks(look);
    if ((layers & kLayerVelocities) != 0) {
        colour(kLegendVelocities, 1.0f);
        drawVelocities(s);
        colour(kLegendMomentum, 1.0f);
        drawMomentum(s);
    }

    glPopAttrib();
}
