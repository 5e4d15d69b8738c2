// Shared set-up of the high-score window tests: a temporary folder, recorded boxes, help requests
// and music, and the language strings the windows take their captions from.
#pragma once

#include "data/Language.h"
#include "platform/GameState.h"
#include "platform/Shape.h"
#include "support/RecordedBoxes.h"
#include "support/RecordedPlayers.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

class ScoreWindowTest : public ::testing::Test {
public:
    // One record of the file.
    static std::string Record(int exercise, int rank, const std::string& name, int score)
    {
        return std::to_string(exercise) + "\r\n" + std::to_string(rank) + "\r\n" + name + "\r\n"
               + std::to_string(score) + "\r\n";
    }

protected:
    void SetUp() override
    {
        MusicOn = true;
        CurrentLanguage = 1;
        ClearLanguageTable();
        LanguageText(1, 2) = "T O P P L I S T A N";
        LanguageText(1, 8) = "Topplistan";
        LanguageText(1, 11) = "Tio i topp";
    }

    void TearDown() override
    {
        ClearLanguageTable();
    }

    std::string Path(const std::string& name = "scores.hgh") const { return dir.PathOf(name); }

    TempFolder dir;
    RecordedBoxes boxes;
    RecordedPlayers players;
};
