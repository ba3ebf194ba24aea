#include <cmath>

#include "physics/state_hash.h"
#include "tests/unit/physics/step_fixture.h"

namespace {

using StateHashTest = stepfix::StepTest;

// The fingerprint must see one ulp of any live value and nothing of a free
// slot's leftovers, or replays would pass runs that differ and fail runs that
// agree.
TEST_F(StateHashTest, SeesEveryLiveBitAndNothingElse) {
    scene.ballAlive[3] = 1;
    scene.ballPositions[3] = Vector3(10.0, 20.0, 30.0);
    scene.ballVelocities[3] = Vector3(0.5, -0.1, 0.5);
    scene.shots[7].life = 4;
    scene.shots[7].position = Vector3(1.0, 2.0, 3.0);
    scene.shots[7].velocity = Vector3(60.0, 0.0, 0.0);
    const std::uint64_t base = sceneStateHash();
    EXPECT_EQ(base, sceneStateHash());

    struct Change {
        const char* what;
        void (*apply)();
        bool changes;
    };
    const Change changes[] = {
        {"ball velocity one ulp", [] { scene.ballVelocities[3].z = std::nextafter(0.5, 1.0); }, true},
        {"ball position one ulp", [] { scene.ballPositions[3].x = std::nextafter(10.0, 0.0); }, true},
        {"shot velocity one ulp", [] { scene.shots[7].velocity.y = std::nextafter(0.0, 1.0); }, true},
        {"shot life", [] { scene.shots[7].life = 3; }, true},
        {"another ball comes alive", [] { scene.ballAlive[4] = 1; }, true},
        {"dead ball's leftovers", [] { scene.ballPositions[9] = Vector3(5.0, 5.0, 5.0); }, false},
        {"free shot's leftovers", [] { scene.shots[0].velocity = Vector3(1.0, 1.0, 1.0); }, false},
    };
    for (const Change& c : changes) {
        const SceneState saved = scene;
        c.apply();
        EXPECT_EQ(sceneStateHash() != base, c.changes) << c.what;
        scene = saved;
    }

    char text[17];
    formatStateHash(0x00ab00000000cd01ULL, text);
    EXPECT_STREQ(text, "00ab00000000cd01");
}

}  // namespace
