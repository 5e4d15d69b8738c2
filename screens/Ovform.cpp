// The exercise screen base.
#include "screens/Ovform.h"

#include "exercises/ovning.h"
#include "map/UKarta.h"

#include "data/Language.h"
#include "exercises/ExerciseSupport.h"
#include "platform/Win1252.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>

bool ExerciseWindow::OfferPractice(const COvning& exercise, QPushButton& offer)
{
    const int missed = static_cast<int>(exercise.Missed().size());
    if (missed > 0) {
        offer.setText(FromWin1252(PracticeOfferText(missed)));
        offer.show();
        return true;
    }
    if (exercise.Practising())
        VisaFraga(LanguageString(6));
    return false;
}

void ExerciseWindow::Release()
{
    if (holds_ > 0)
        releasePending_ = true;
    else
        deleteLater();
}

bool ExerciseWindow::event(QEvent* event)
{
    if (event->type() == QEvent::DeferredDelete && holds_ > 0) {
        releasePending_ = true;
        return true;
    }
    return QWidget::event(event);
}

ExerciseWindow::Hold::Hold(ExerciseWindow& window) : window_(window)
{
    ++window_.holds_;
}

ExerciseWindow::Hold::~Hold()
{
    if (--window_.holds_ > 0 || !window_.releasePending_)
        return;
    // A deferred delete swallowed meanwhile leaves Qt believing that one is still queued, and
    // while other events wait for the window it drops a new one. The window is going: its
    // waiting events (repaints) go first.
    QCoreApplication::removePostedEvents(&window_);
    window_.deleteLater();
}

void DetachExercise(COvning* exercise, const CKarta* map, const TOvningsformular* screen)
{
    if (!exercise)
        return;
    if (exercise->Map == map)
        exercise->Map = nullptr;
    if (exercise->Screen == screen)
        exercise->Screen = nullptr;
}

std::unique_ptr<CKarta> LoadExerciseMap(const COvning& exercise, bool withWaters)
{
    auto map = std::make_unique<CKarta>();
    map->Areas = std::make_unique<CAreor>();
    map->Places = std::make_unique<COrter>();
    if (withWaters) {
        map->Waters = std::make_unique<CAreor>();
        map->Waters->LoadFromFile("Vatten.crp");
    }
    map->Places->LoadFromFile("Ort" + std::to_string(exercise.PlaceFileNo) + ".crp");
    const int n = exercise.AreaFileNo;
    if (n >= 1 && n <= 3) {
        map->Areas->LoadFromFile("AREA" + std::to_string(n) + ".crp");
        if (withWaters) {
            map->LoadSeaPoints("Hav" + std::to_string(n) + ".crp");
            map->ShowGrid = n == 1;
        }
    }
    return map;
}
