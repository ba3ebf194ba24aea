#include "render/explosion_drawing.h"

#include <GL/gl.h>

#include "render/graphics_setup.h"

void drawExplosions(const Simulation& s, const FrameLook& look) {
    for (int i = 0; i < kExplosionCount; ++i) {
        const Explosion& flash = s.explosions[i];
        // Judged by the alpha of the previous frame: the frame in which it
        // drops to zero or below still draws (invisibly) and frees the record.
        if (!look.flashShown[i]) continue;

        glBindTexture(GL_TEXTURE_2D, graphics.textureNames[flash.textureIndex]);
        glPushMatrix();
        glColor4f(1.0f, 1.0f, 0.0f, flash.alpha);
        // Scaling first and translating by position / scale centres the
        // scaled quads on the position.
        glScalef(flash.scale, flash.scale, flash.scale);
        glTranslatef(static_cast<GLfloat>(flash.position.x / flash.scale),
                     static_cast<GLfloat>(flash.position.y / flash.scale),
                     static_cast<GLfloat>(flash.position.z / flash.scale));
        glCallList(graphics.explosionList);
        glPopMatrix();
    }
}
