// The master volume through the Windows host under Wine. What the prefix
// offers depends on the machine's sound setup (see DESIGN.md): with a mixer
// the volume is read and set through Wine's own, without one every getter
// answers -1. Either way, a value past the maximum changes nothing. The
// run whose HOME gives ALSA a null device (VR_EXPECT_MIXER set) must find
// the mixer.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "manager/app/MasterVolume.h"
#include "platform/win32/Win32Host.h"

namespace {

TEST(MasterVolumeOnWine, ReadsAndSetsWhatTheSystemOffers) {
    Win32Host host;
    CMasterVolume volume(host, ::GetModuleHandleW(nullptr));
    std::printf("master volume: %s, range %d..%d, value %d\n", volume.IsReady() ? "ready" : "not available",
                volume.Minimum(), volume.Maximum(), volume.Value());
    ASSERT_TRUE(volume.IsReady() || !std::getenv("VR_EXPECT_MIXER"));
    if (!volume.IsReady()) {
        EXPECT_EQ(-1, volume.Minimum());
        EXPECT_EQ(-1, volume.Maximum());
        EXPECT_EQ(-1, volume.Value());
        return;
    }
    const int was = volume.Value();
    ASSERT_GE(was, volume.Minimum());
    const int wanted = volume.Minimum() + (volume.Maximum() - volume.Minimum()) / 3;
    volume.SetValue(wanted);
    EXPECT_EQ(wanted, volume.Value());
    volume.SetValue(volume.Maximum() + 1);
    EXPECT_EQ(wanted, volume.Value());
    volume.SetValue(was);
}

}  // namespace
