#include "effects/radius_keyed_list.h"

#include <gtest/gtest.h>

namespace {

TEST(RadiusKeyedListTest, RebuildsWhenNeverCompiledOrCompiledForAnotherRadius) {
    struct Case {
        unsigned int name;
        int compiledRadius;
        int wanted;
        bool rebuild;
    };
    const Case cases[] = {
        {0, 0, 20, true},    // nothing compiled yet
        {0, 20, 20, true},   // the radius alone does not make a list
        {3, 20, 20, false},  // compiled for this radius
        {3, 20, 5, true},    // radius shrank
        {3, 5, 20, true},    // radius grew
        {3, 80, 80, false},  // the glow spheres' 4 * radius
    };
    for (const Case& c : cases) {
        RadiusKeyedList list;
        list.name = c.name;
        list.radius = c.compiledRadius;
        EXPECT_EQ(list.needsRebuild(c.wanted), c.rebuild)
            << "name " << c.name << ", compiled " << c.compiledRadius << ", wanted " << c.wanted;
    }
}

}  // namespace
