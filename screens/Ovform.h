// The window base of the exercise screens, and what the screens do for the exercise they run.
#pragma once

#include "exercises/ExerciseScreen.h"
#include "scores/Tioitopp.h"

#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

class CKarta;
class COvning;

// The window of an exercise screen: the exercise sees it as its TOvningsformular.
class ExerciseWindow : public QWidget, public virtual TOvningsformular {
public:
    // A window of its own even when the main menu owns it: title bar, system menu, minimise and
    // close, no maximise (the map screen is always maximised, the others are of fixed size).
    explicit ExerciseWindow(QWidget* owner = nullptr)
        : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                             | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                             | Qt::WindowCloseButtonHint)
    {
    }

    // Offers the top ten at the end of the exercise and on its button. Tests hand in a recorder,
    // so that no modal window waits for them.
    TopTenPresenter showTopTen = ShowTopTen;
};

// The exercise outlives its screen: when a screen goes, the exercise must not keep pointing at
// the screen or at the map the screen owned.
void DetachExercise(COvning* exercise, const CKarta* map, const TOvningsformular* screen);

// The exercise's map with its place list "Ort<n>.crp" and area list "AREA<n>.crp" (none for an
// area file number outside 1..3); with waters, also "Vatten.crp", the sea points "Hav<n>.crp"
// and the graticule for the world file. Bare names: the current directory is the game folder.
std::unique_ptr<CKarta> LoadExerciseMap(const COvning& exercise, bool withWaters);
