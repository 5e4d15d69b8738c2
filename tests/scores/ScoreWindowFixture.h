// Shared set-up of the high-score window tests: a temporary folder, recorded messages, help
// requests and music (ReadBytes and WriteBytes for the files), and the language strings the windows take their captions from.
#pragma once

#include "data/Language.h"
#include "platform/GameState.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/Shape.h"
#include "platform/Sound.h"
#include "support/RecordedPlayers.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>

#include <string>
#include <vector>

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
        ASSERT_TRUE(dir.isValid());
        SetMessagePresenter([this](MessageKind kind, const QString& text) {
            messages.push_back(text);
            kinds.push_back(kind);
        });
        SetHelpHook([this](int topic) { helpTopics.push_back(topic); });
        MusicOn = true;
        CurrentLanguage = 1;
        ClearLanguageTable();
        LanguageText(1, 2) = "T O P P L I S T A N";
        LanguageText(1, 8) = "Topplistan";
        LanguageText(1, 11) = "Tio i topp";
    }

    void TearDown() override
    {
        SetMessagePresenter({});
        SetHelpHook({});
        ClearLanguageTable();
    }

    std::string Path(const std::string& name = "scores.hgh") const
    {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }

    QTemporaryDir dir;
    std::vector<QString> messages;
    std::vector<MessageKind> kinds;
    std::vector<int> helpTopics;
    RecordedPlayers players;
};
