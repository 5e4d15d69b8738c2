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
class QPushButton;

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

    // Sets the screen up for the exercise, starts it and shows the screen. A screen given an
    // exercise of a kind it does not play raises std::logic_error.
    virtual void OpenExercise(COvning* exercise) = 0;

    // The window's release: at once, or once every handler that holds it has returned.
    void Release();
    bool ReleasePending() const { return releasePending_; }

    // Held by every handler that lets pending messages run (drawing step by step, a pause, a
    // message box, the top-ten offer): a release that arrives meanwhile, from the main menu or
    // as a plain deferred delete, waits until the handler has returned, so that no window is
    // destroyed inside its own handler.
    class Hold {
    public:
        explicit Hold(ExerciseWindow& window);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        ExerciseWindow& window_;
    };

protected:
    bool event(QEvent* event) override;
    // At the end of a round: the practice of what took more than one try, on `offer`; after a
    // practice with nothing missed, the no-misses message as the question. True when the offer
    // is shown.
    bool OfferPractice(const COvning& exercise, QPushButton& offer);

private:
    int holds_ = 0;
    bool releasePending_ = false;
};

// The exercise outlives its screen: when a screen goes, the exercise must not keep pointing at
// the screen or at the map the screen owned.
void DetachExercise(COvning* exercise, const CKarta* map, const TOvningsformular* screen);

// The exercise's map with its place list "Ort<n>.crp" and area list "AREA<n>.crp" (none for an
// area file number outside 1..3); with waters, also "Vatten.crp", the sea points "Hav<n>.crp"
// and the graticule for the world file. Bare names: the current directory is the game folder.
std::unique_ptr<CKarta> LoadExerciseMap(const COvning& exercise, bool withWaters);
