// The master volume on the simulated PC's sound card: its range and value,
// the line switched on and off, a change made by another program reported
// once the program takes its messages, and a PC where it is not available.
#include <gtest/gtest.h>

#include <vector>

#include "manager/app/MasterVolume.h"
#include "platform/sim/SimHost.h"
#include "platform/sim/SimMachine.h"

namespace {

class VolumeOnPc : public ::testing::Test {
protected:
    // The program's message loop: every message waiting, dispatched.
    void TakeMessages() {
        MSG message;
        while (host.PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) host.DispatchMessage(&message);
    }
    static void Record(int value, void* user) { static_cast<std::vector<int>*>(user)->push_back(value); }

    SimMachine machine;
    SimHost host{machine, L"C:\\Tavlo\\Tavlo.exe"};
};

TEST_F(VolumeOnPc, ReadsAndSetsEveryChannel) {
    CMasterVolume volume(host, nullptr);
    ASSERT_TRUE(volume.IsReady());
    EXPECT_EQ(0, volume.Minimum());
    EXPECT_EQ(65535, volume.Maximum());
    EXPECT_EQ(65536, volume.Steps());
    volume.SetValue(1234);
    EXPECT_EQ(1234, volume.Value());
    EXPECT_EQ(1234u, machine.Mixer().Volume(1));
    // Past the maximum: ignored.
    volume.SetValue(65536);
    volume.SetValue(-1);
    EXPECT_EQ(1234, volume.Value());
}

TEST_F(VolumeOnPc, SwitchesTheLinesMute) {
    CMasterVolume volume(host, nullptr);
    volume.SwitchLineOff();
    EXPECT_TRUE(machine.Mixer().Muted());
    volume.SwitchLineOn();
    EXPECT_FALSE(machine.Mixer().Muted());
}

TEST_F(VolumeOnPc, AChangeElsewhereReachesTheCallbackThroughTheMessageLoop) {
    CMasterVolume volume(host, nullptr);
    std::vector<int> changes;
    volume.SetChangeCallback(Record, &changes);
    machine.Mixer().ChangeVolume(4000);
    EXPECT_TRUE(changes.empty());  // posted, not yet taken
    TakeMessages();
    EXPECT_EQ(std::vector<int>{4000}, changes);
    // A change of the mute control is not the volume's.
    volume.SwitchLineOff();
    TakeMessages();
    EXPECT_EQ(1u, changes.size());
}

TEST_F(VolumeOnPc, OnlyTheLastOpenedIsTold) {
    std::vector<int> first, second;
    CMasterVolume one(host, nullptr);
    one.SetChangeCallback(Record, &first);
    {
        CMasterVolume two(host, nullptr);
        two.SetChangeCallback(Record, &second);
        machine.Mixer().ChangeVolume(100);
        TakeMessages();
    }
    machine.Mixer().ChangeVolume(200);
    TakeMessages();
    // Both windows get the change; the global instance answers both, and
    // after it went nobody is told.
    EXPECT_EQ((std::vector<int>{100, 100}), second);
    EXPECT_TRUE(first.empty());
}

TEST_F(VolumeOnPc, NotAvailableWithoutASoundCardOrWithADisabledControl) {
    SimMixerSetup none;
    none.present = false;
    machine.Mixer().Setup(none);
    {
        CMasterVolume volume(host, nullptr);
        EXPECT_FALSE(volume.IsReady());
        EXPECT_EQ(-1, volume.Minimum());
        EXPECT_EQ(-1, volume.Maximum());
        EXPECT_EQ(-1, volume.Steps());
        EXPECT_EQ(-1, volume.Value());
        volume.SetValue(10);
        volume.SwitchLineOff();
    }
    SimMixerSetup disabled;
    disabled.volumeDisabled = true;
    machine.Mixer().Setup(disabled);
    CMasterVolume volume(host, nullptr);
    EXPECT_FALSE(volume.IsReady());
    volume.SetValue(10);
    EXPECT_NE(10u, machine.Mixer().Volume(0));
    // The line was found: its mute still switches.
    volume.SwitchLineOff();
    EXPECT_TRUE(machine.Mixer().Muted());
}

}  // namespace
