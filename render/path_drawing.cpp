#include "render/path_drawing.h"

#include <GL/gl.h>

namespace {

// Five seconds at twenty steps a second.
constexpr long kPathSteps = 100;

void drawPath(const Simulation& s, const LabHistory& history, long step, int ball) {
    const Vector3& c = s.ballColors[ball];
    glColor4f(static_cast<GLfloat>(c.x), static_cast<GLfloat>(c.y), static_cast<GLfloat>(c.z), 0.9f);
    glBegin(GL_LINE_STRIP);
    for (long k = step - kPathSteps; k <= step; ++k) {
        const StepFigures* f = history.at(k);
        if (f == nullptr || f->alive[ball] == 0) {
            // A gap (not kept, or the ball not there): the line breaks.
            glEnd();
            glBegin(GL_LINE_STRIP);
            continue;
        }
        glVertex3f(f->position[ball][0], f->position[ball][1], f->position[ball][2]);
    }
    glEnd();
}

}  // namespace

void drawPaths(const Simulation& s, const ViewerState& viewer, const LabHistory& history, long step) {
    if (viewer.paths == 0) return;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CLIP_PLANE0);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glLineWidth(2.0f);
    if (viewer.paths == 1) {
        const int k = viewer.selectedBall;
        if (k >= 0 && k < kMaxBalls && s.ballAlive[k] != 0) drawPath(s, history, step, k);
    } else {
        for (int k = 0; k < kMaxBalls; ++k) {
            if (s.ballAlive[k] != 0) drawPath(s, history, step, k);
        }
    }
    glPopAttrib();
}
