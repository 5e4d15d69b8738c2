// Helpers of the flag screen tests: what the screen reports to the outside (message boxes, the
// top-ten window, help, sounds) recorded instead of shown, and clicks and pixels of the grid.
#pragma once

#include "data/ovningar.h"
#include "platform/Types.h"
#include "support/RecordedBoxes.h"
#include "support/RecordedPlayers.h"

#include <gtest/gtest.h>

#include <QPoint>
#include <QRect>
#include <QString>
#include <string>
#include <vector>

class ExerciseWindow;
class TfrmOvningFlagga;

// Installs the recorders for its lifetime; sounds on, language 2.
class ScreenRecorder : public RecordedBoxes {
public:
    ScreenRecorder();
    ScreenRecorder(const ScreenRecorder&) = delete;
    ScreenRecorder& operator=(const ScreenRecorder&) = delete;

    struct TopTen {
        int number;
        int score;
    };
    std::vector<TopTen> topTens;
    RecordedPlayers players;

    int SoundsPlayed() const { return players.wav1->plays + players.wav2->plays; }
    // The screen's top-ten offers go to topTens.
    void HandTopTen(ExerciseWindow& screen);
};

// The middle of the grid cell of position p, in picture coordinates.
QPoint CellCentre(const TfrmOvningFlagga& screen, int p);
// A left click there, delivered to the grid picture.
void ClickCell(TfrmOvningFlagga& screen, int p);
TColor GridPixel(const TfrmOvningFlagga& screen, QPoint at);
// The cell's background, beside the flag.
TColor CellBackground(const TfrmOvningFlagga& screen, int p);
// Whether text shows in the line under the flag of cell p.
bool NameShown(const TfrmOvningFlagga& screen, int p);

// The shipped content folder; GLOBANA_CONTENT_DIR in the environment plays another (a fresh
// generator run).
QString ShippedContentDir();

// Tests on the shipped content: the folder made current, its catalogue, language table,
// template bitmap and flags in use, the recorders on. Skipped while the content is not
// generated.
class ShippedFlagContent : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    ScreenRecorder recorder;
    QString oldDir;
    COvningar catalogue;
};
