#include <gtest/gtest.h>

#include <string>

#include "input/help_text.h"

namespace {

std::string panelText(const HelpFigures& figures) {
    HelpPanel panel;
    composeHelpPanel(figures, panel);
    std::string text;
    for (int i = 0; i < panel.count; ++i) text += std::string(panel.lines[i]) + "\n";
    return text;
}

// Without an audio device F7 cannot make it play, so the panel never says "on".
TEST(HelpPanel, SoundSaysWhenThereIsNoDevice) {
    struct Case {
        int soundOn, device;
        const char* says;
    };
    const Case cases[] = {{1, 1, "sound on,"}, {0, 1, "sound off,"}, {1, 0, "sound off: no device,"},
                          {0, 0, "sound off: no device,"}};
    for (const Case& c : cases) {
        HelpFigures f;
        f.soundOn = c.soundOn;
        f.soundDevice = c.device;
        EXPECT_NE(panelText(f).find(c.says), std::string::npos) << c.says;
    }
}

// Stepping back lowers the step count: the rate must not go negative.
TEST(HelpPanel, StepRateNeverCountsStepsBack) {
    RateMeter meter;
    meter.note(0, 100);
    meter.note(500, 70);  // 30 steps back
    meter.note(1500, 70);
    EXPECT_EQ(meter.rate, 0.0);
    meter.note(2600, 92);
    EXPECT_DOUBLE_EQ(meter.rate, 20.0);
}

}  // namespace
