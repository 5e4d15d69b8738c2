// The exercise screens by kind, opening an exercise on its screen, and their release.
#include "screens/ScreenFactory.h"

#include "exercises/OvFlagga.h"
#include "exercises/Ovmulti.h"
#include "screens/Ovform.h"
#include "screens/Unit1.h"
#include "screens/Unit3.h"
#include "screens/Unit4.h"

#include <stdexcept>
#include <string>

ExerciseWindow* CreateMapScreen(QWidget* owner)
{
    return new TfrmOvningKarta(owner);
}

ExerciseWindow* CreateFlagScreen(QWidget* owner)
{
    return new TfrmOvningFlagga(owner);
}

ExerciseWindow* CreateMultiScreen(QWidget* owner)
{
    return new TfrmOvningMulti(owner);
}

void OpenExerciseOn(ExerciseWindow* screen, COvning* exercise)
{
    // Every screen class adds its own branch here (dynamic_cast to the class, OpenExercise).
    if (auto* map = dynamic_cast<TfrmOvningKarta*>(screen)) {
        map->OpenExercise(exercise);
        return;
    }
    if (auto* flags = dynamic_cast<TfrmOvningFlagga*>(screen)) {
        auto* flagExercise = dynamic_cast<COvningFlagga*>(exercise);
        if (!flagExercise)
            throw std::logic_error("OpenExerciseOn: the flag screen plays only flag exercises");
        flags->OpenExercise(flagExercise);
        return;
    }
    if (auto* multi = dynamic_cast<TfrmOvningMulti*>(screen)) {
        auto* multiExercise = dynamic_cast<COvningMulti*>(exercise);
        if (!multiExercise)
            throw std::logic_error("OpenExerciseOn: the multiple-choice screen plays only "
                                   "multiple-choice exercises");
        multi->OpenExercise(multiExercise);
        return;
    }
    throw std::logic_error("OpenExerciseOn: unknown exercise screen");
}

void ReleaseScreen(ExerciseWindow* screen)
{
    if (!screen)
        return;
    screen->Release();
}
