// The OpenAL sound device, on OpenAL Soft's file writer so that no sound card is needed. Only
// states are checked: nothing here waits for real time to pass.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>

#include "audio_test_util.h"
#include "openal/openal_sound_device.h"
#include "test_game.h"

namespace vespin {
namespace {

class OpenAlDevice : public ::testing::Test {
  protected:
    void SetUp() override {
        // OpenAL Soft reads its configuration once per process: the output goes nowhere.
        std::ofstream(m_folder.Path() / "al.conf")
            << "[general]\ndrivers=wave\n[wave]\nfile=/dev/null\n";
        setenv("ALSOFT_CONF", (m_folder.Path() / "al.conf").c_str(), 1);
        m_device = OpenAlSoundDevice::Open(true);
        unsetenv("ALSOFT_CONF");
        if (!m_device) GTEST_SKIP() << "OpenAL Soft's file writer is not available";
    }

    test::TempFolder m_folder;
    std::unique_ptr<OpenAlSoundDevice> m_device;
};

TEST_F(OpenAlDevice, SoundsPlayStopAndRelease) {
    PcmFormat f{2, 22050};
    std::vector<int16_t> tone = test::Tone(f, 22050 * 5);
    ASSERT_TRUE(m_device->CreateBuffer(1, f, tone));
    EXPECT_FALSE(m_device->IsPlaying(1));
    EXPECT_EQ(m_device->PlayPosition(1), 0u);
    m_device->Play(1, PlayMode::Once);
    EXPECT_TRUE(m_device->IsPlaying(1));
    m_device->Stop(1);
    EXPECT_FALSE(m_device->IsPlaying(1));
    EXPECT_LT(m_device->PlayPosition(1), tone.size() * 2);
    m_device->Release(1);
    EXPECT_FALSE(m_device->IsPlaying(1));
    EXPECT_EQ(m_device->PlayPosition(1), 0u);
    // What a slot cannot hold leaves it empty.
    EXPECT_FALSE(m_device->CreateBuffer(2, PcmFormat{3, 22050}, tone));
    EXPECT_FALSE(m_device->CreateBuffer(9, f, tone));
    EXPECT_FALSE(m_device->CreateBuffer(2, f, {}));
}

TEST_F(OpenAlDevice, TheRingPlaysLoopingAndTakesBlockWrites) {
    PcmFormat f{1, 8000};
    std::vector<int16_t> ring(4 * 8000, 100);
    ASSERT_TRUE(m_device->CreateStream(3, f, 4, ring));
    m_device->Play(3, PlayMode::Looping);
    EXPECT_TRUE(m_device->IsPlaying(3));
    EXPECT_LT(m_device->PlayPosition(3), 4u * 16000);
    m_device->WriteStreamBlock(3, 2, std::vector<int16_t>(8000, -5));
    m_device->WriteStreamBlock(3, 7, std::vector<int16_t>(8000, -5));  // ignored
    m_device->WriteStreamBlock(3, 1, std::vector<int16_t>(10, -5));    // ignored
    m_device->SetVolume(3, -1200);
    m_device->SetMasterVolume(-20000);
    EXPECT_EQ(m_device->MasterVolume(), kSilentVolume);
    m_device->SetWindowActive(false);
    m_device->Stop(3);
    EXPECT_FALSE(m_device->IsPlaying(3));
    EXPECT_FALSE(m_device->CreateStream(3, f, 3, ring));  // not a whole number of blocks
}

}  // namespace
}  // namespace vespin
