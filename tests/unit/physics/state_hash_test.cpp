#include <cmath>

#include "physics/state_hash.h"
#include "tests/support/test_simulation.h"
#include "tests/unit/physics/step_fixture.h"

namespace {

using StateHashTest = stepfix::StepTest;

// The fingerprint must see one ulp of any live value and nothing of a free
// slot's leftovers, or replays would pass runs that differ and fail runs that
// agree.
TEST_F(StateHashTest, SeesEveryLiveBitAndNothingElse) {
    sim.ballAlive[3] = 1;
    sim.ballPositions[3] = Vector3(10.0, 20.0, 30.0);
    sim.ballVelocities[3] = Vector3(0.5, -0.1, 0.5);
    sim.shots[7].life = 4;
    sim.shots[7].position = Vector3(1.0, 2.0, 3.0);
    sim.shots[7].velocity = Vector3(60.0, 0.0, 0.0);
    const std::uint64_t base = sceneStateHash(sim);
    EXPECT_EQ(base, sceneStateHash(sim));

    struct Change {
        const char* what;
        void (*apply)();
        bool changes;
    };
    const Change changes[] = {
        {"ball velocity one ulp", [] { sim.ballVelocities[3].z = std::nextafter(0.5, 1.0); }, true},
        {"ball position one ulp", [] { sim.ballPositions[3].x = std::nextafter(10.0, 0.0); }, true},
        {"shot velocity one ulp", [] { sim.shots[7].velocity.y = std::nextafter(0.0, 1.0); }, true},
        {"shot life", [] { sim.shots[7].life = 3; }, true},
        {"another ball comes alive", [] { sim.ballAlive[4] = 1; }, true},
        {"dead ball's leftovers", [] { sim.ballPositions[9] = Vector3(5.0, 5.0, 5.0); }, false},
        {"free shot's leftovers", [] { sim.shots[0].velocity = Vector3(1.0, 1.0, 1.0); }, false},
    };
    for (const Change& c : changes) {
        const Simulation saved = sim;
        c.apply();
        EXPECT_EQ(sceneStateHash(sim) != base, c.changes) << c.what;
        sim = saved;
    }

    char text[17];
    formatStateHash(0x00ab00000000cd01ULL, text);
    EXPECT_STREQ(text, "00ab00000000cd01");
}

}  // namespace
