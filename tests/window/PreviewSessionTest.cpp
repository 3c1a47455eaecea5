// The preview's states as the window's buttons, sliders and the MCI window
// see them.
#include "manager/app/PreviewSession.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records every call as a word, so that a test reads the order in which
// the session drives the MCI window and the controls.
class RecordingOutlet : public PreviewOutlet {
public:
    void OpenMedia(const std::wstring& path) override { Log("open " + std::string(path.begin(), path.end())); }
    void PlayMedia() override { Log("play"); }
    void PauseMedia() override { Log("pause"); }
    void SeekMedia(long position) override { Log("seek " + std::to_string(position)); }
    void CloseMedia() override { Log("close"); }
    long MediaLength() override { return length; }
    void SetPositionRange(long maximum) override { Log("range " + std::to_string(maximum)); }
    void SetPosition(long position) override {
        slider = position;
        Log("position " + std::to_string(position));
    }
    void EnablePosition(bool enable) override { sliderEnabled = enable; }
    void ShowPlaying(bool playing) override { playingShown = playing; }
    void Warn(SkinMessage message) override { Log("warn " + std::to_string(message)); }

    std::vector<std::string> Take() {
        std::vector<std::string> taken;
        taken.swap(calls);
        return taken;
    }

    long length = 5000;
    long slider = -1;
    bool sliderEnabled = false;
    bool playingShown = false;

private:
    void Log(const std::string& call) { calls.push_back(call); }
    std::vector<std::string> calls;
};

using Calls = std::vector<std::string>;

class Preview : public ::testing::Test {
protected:
    void StartPlaying(const std::wstring& file = L"P:\\a.mp3") {
        session.Play(file);
        outlet.Take();
    }

    RecordingOutlet outlet;
    PreviewSession session{outlet};
};

TEST_F(Preview, PlayOpensTheSelectionOrSaysWhyNot) {
    session.Play(L"");
    EXPECT_EQ(Calls{"warn 9"}, outlet.Take());
    EXPECT_FALSE(session.Playing());

    session.Play(L"P:\\a.mp3");
    EXPECT_EQ((Calls{"open P:\\a.mp3", "range 5000", "play"}), outlet.Take());
    EXPECT_TRUE(session.Playing());
    EXPECT_TRUE(outlet.sliderEnabled);
    EXPECT_TRUE(outlet.playingShown);

    // The play button while playing: message 8, the preview goes on.
    session.Play(L"P:\\b.mp3");
    EXPECT_EQ(Calls{"warn 8"}, outlet.Take());
    EXPECT_TRUE(session.Playing());
    EXPECT_EQ(L"P:\\a.mp3", session.File());
}

TEST_F(Preview, PlayFromTheMenuStopsTheRunningPreviewAndStartsTheNewFile) {
    StartPlaying();
    session.PlayFromMenu(L"P:\\b.mp3");
    EXPECT_EQ((Calls{"close", "position 0", "open P:\\b.mp3", "range 5000", "play"}), outlet.Take());
    EXPECT_TRUE(session.Playing());
    EXPECT_EQ(L"P:\\b.mp3", session.File());
}

TEST_F(Preview, TheTrackEndingGivesThePlayButtonBackAndLaterReportsChangeNothing) {
    StartPlaying();
    session.OnPosition(1200);
    EXPECT_EQ(1200, outlet.slider);
    session.OnPosition(5000);
    EXPECT_FALSE(session.Playing());
    EXPECT_FALSE(outlet.playingShown);
    EXPECT_FALSE(outlet.sliderEnabled);
    EXPECT_EQ(0, outlet.slider);
    // The MCI window stays open and may report again: the controls stay as
    // they are (a copy may have disabled them meanwhile).
    outlet.Take();
    outlet.playingShown = true;
    session.OnPosition(5000);
    session.OnPosition(300);
    EXPECT_TRUE(outlet.Take().empty());
    EXPECT_TRUE(outlet.playingShown);
    // Stop after the end closes nothing: the preview is idle already.
    session.Stop();
    EXPECT_TRUE(outlet.Take().empty());
    // And the play button works again.
    session.Play(L"P:\\a.mp3");
    EXPECT_TRUE(session.Playing());
}

TEST_F(Preview, ThePositionThumb) {
    StartPlaying();
    // Dragged: pause; released inside: seek, then play at the end of scrolling.
    session.OnScroll(PositionScroll::kThumbTrack, 2000, 5000);
    session.OnScroll(PositionScroll::kThumbPosition, 2500, 5000);
    session.OnScroll(PositionScroll::kEndScroll, 2500, 5000);
    EXPECT_EQ((Calls{"pause", "seek 2500", "seek 2500", "play"}), outlet.Take());
    EXPECT_TRUE(session.Playing());

    // Released at the far right: the preview stops and the slider is back at 0.
    session.OnScroll(PositionScroll::kThumbPosition, 5000, 5000);
    EXPECT_EQ((Calls{"close", "position 0"}), outlet.Take());
    EXPECT_FALSE(session.Playing());
    // The end of that scroll finds the MCI window closed: no seek, no play.
    session.OnScroll(PositionScroll::kEndScroll, 5000, 5000);
    session.OnScroll(PositionScroll::kEndScroll, 100, 5000);
    EXPECT_TRUE(outlet.Take().empty());
}

TEST(PreviewReporter, ReportsWhilePlayingAndTheLengthOnceTheTrackStoppedByItself) {
    long report = -1;
    EXPECT_TRUE(PreviewReportAt(MediaMode::kPlaying, MediaMode::kPlaying, 1200, 5000, report));
    EXPECT_EQ(1200, report);
    // The window reads 0 after the end: the report is the length all the same.
    EXPECT_TRUE(PreviewReportAt(MediaMode::kStopped, MediaMode::kPlaying, 0, 5000, report));
    EXPECT_EQ(5000, report);
    // Stopped before too, paused by the thumb, or a window that never opened.
    EXPECT_FALSE(PreviewReportAt(MediaMode::kStopped, MediaMode::kStopped, 0, 5000, report));
    EXPECT_FALSE(PreviewReportAt(MediaMode::kOther, MediaMode::kPlaying, 2000, 5000, report));
    EXPECT_FALSE(PreviewReportAt(MediaMode::kOther, MediaMode::kOther, 0, 0, report));
}

// The session and the reporter together: a track that ends by itself.
TEST_F(Preview, AReportedEndEndsThePreview) {
    StartPlaying();
    long report = 0;
    ASSERT_TRUE(PreviewReportAt(MediaMode::kStopped, MediaMode::kPlaying, 0, outlet.length, report));
    session.OnPosition(report);
    EXPECT_FALSE(session.Playing());
    EXPECT_FALSE(outlet.playingShown);
}

}  // namespace
