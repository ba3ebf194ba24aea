#include "effects/explosion_pool.h"

#include "effects/inspect_mode.h"
#include "platform/clock.h"

namespace {

// Milliseconds since the spawn. A reading behind the start one was taken
// after the toolkit's counter wrapped (the clock never goes back otherwise),
// so the wrap is added back: the flash keeps fading instead of growing
// without end.
float sinceSpawn(float now, float start) {
    const float elapsed = now - start;
    return elapsed < 0.0f ? elapsed + 4294967296.0f : elapsed;
}

}  // namespace

void spawnExplosion(Simulation& s, const Vector3& position, int blast, Readings& readings) {
    // Only the two kinds exist; anything else would index past the texture
    // table when drawn, so it is taken as the large kind.
    const int kind = blast != 0 ? 1 : 0;
    for (Explosion& explosion : s.explosions) {
        if (explosion.alpha > 0.0f) continue;
        explosion.alphaStart = 1.0f;
        explosion.alphaEnd = 0.0f;
        explosion.alpha = 1.0f;
        explosion.position = position;
        explosion.scaleStart = 0.5f;
        explosion.scaleEnd = static_cast<float>(2 * kind + 1);
        explosion.scale = 1.0f;  // recomputed at the end of the step
        explosion.startTime = static_cast<float>(sceneMilliseconds(s, readings));
        explosion.duration = static_cast<float>(2500 * kind + 500);
        explosion.textureIndex = 4 * kind + 1;
        return;
    }
    // Pool full: the flash is dropped.
}

void fadeExplosions(Simulation& s) {
    const float t = static_cast<float>(s.stepSceneTime);
    for (Explosion& explosion : s.explosions) {
        // A free record may hold stale or never-set values (duration 0).
        if (explosion.alpha <= 0.0f) continue;
        const float progress = sinceSpawn(t, explosion.startTime) / explosion.duration;
        explosion.alpha = progress * (explosion.alphaEnd - explosion.alphaStart) + explosion.alphaStart;
        explosion.scale = progress * (explosion.scaleEnd - explosion.scaleStart) + explosion.scaleStart;
    }
}
