// PlaySound and PlayMusic against recording players: which channel, when a device reopens,
// the switches, and silence on failure.
#include "platform/GameState.h"
#include "platform/Paths.h"
#include "platform/Sound.h"
#include "support/RecordedPlayers.h"

#include <gtest/gtest.h>

namespace {

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SoundOn = true;
        MusicOn = true;
    }
    void TearDown() override
    {
        SoundOn = true;
        MusicOn = true;
    }

    RecordedPlayers players;
};

TEST_F(SoundTest, ChannelOneIsTheRightAnswerPlayerEveryOtherNumberTheSecond)
{
    PlaySound("Plopp4.WAV", 1);
    PlaySound("Rassel11.WAV", 2);
    PlaySound("Rassel11.WAV", 0);
    PlaySound("Rassel11.WAV", 7);

    EXPECT_EQ(players.wav1->fileName(), ExePath("Plopp4.WAV"));
    EXPECT_EQ(players.wav1->plays, 1);
    EXPECT_EQ(players.wav2->fileName(), ExePath("Rassel11.WAV"));
    EXPECT_EQ(players.wav2->opens, 1);
    EXPECT_EQ(players.wav2->plays, 3);
    EXPECT_EQ(players.midi->opens, 0);
}

TEST_F(SoundTest, AChannelReopensOnlyWhenItsFileChanges)
{
    // A world part selected, then a wrong answer: channel 2 must reopen with the new file.
    PlaySound("Plopp.WAV", 2);
    PlaySound("Rassel11.WAV", 2);
    PlaySound("Rassel11.WAV", 2);
    PlaySound("Plopp4.WAV", 1);

    EXPECT_EQ(players.wav2->opens, 2);
    EXPECT_EQ(players.wav2->plays, 3);
    EXPECT_EQ(players.wav2->fileName(), ExePath("Rassel11.WAV"));
    // The right-answer sound never touches the wrong-answer channel.
    EXPECT_EQ(players.wav1->opens, 1);
}

TEST_F(SoundTest, SoundOffPlaysNothingAndLeavesTheChannelsAlone)
{
    PlaySound("Plopp.WAV", 2);
    SoundOn = false;

    PlaySound("Rassel11.WAV", 2);
    PlaySound("Plopp4.WAV", 1);

    EXPECT_EQ(players.wav1->opens, 0);
    EXPECT_EQ(players.wav2->opens, 1);
    EXPECT_EQ(players.wav2->plays, 1);
    EXPECT_EQ(players.wav2->fileName(), ExePath("Plopp.WAV"));
}

TEST_F(SoundTest, MusicReopensOnEveryCallAndStartsAtTheGivenPosition)
{
    PlayMusic("good.mid", 0);
    PlayMusic("good.mid", 0);

    EXPECT_EQ(players.midi->fileName(), ExePath("good.mid"));
    EXPECT_EQ(players.midi->opens, 2);
    EXPECT_EQ(players.midi->plays, 2);
    EXPECT_EQ(players.midi->position(), 0);
    EXPECT_EQ(players.wav1->opens + players.wav2->opens, 0);
}

TEST_F(SoundTest, MusicOffPlaysNothing)
{
    MusicOn = false;
    PlayMusic("good.mid", 0);
    EXPECT_EQ(players.midi->opens, 0);
}

TEST_F(SoundTest, FailuresAreSwallowed)
{
    players.wav2->failOpen = true;
    players.wav1->failPlay = true;
    players.midi->failOpen = true;

    EXPECT_NO_THROW(PlaySound("missing.WAV", 2));
    EXPECT_NO_THROW(PlaySound("Plopp4.WAV", 1));
    EXPECT_NO_THROW(PlayMusic("good.mid", 0));
    // The failed open stopped the music call before it played.
    EXPECT_EQ(players.midi->plays, 0);
}

} // namespace
