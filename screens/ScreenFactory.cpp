// The exercise screens by kind. A screen class that is not part of the program yet fails
// loudly with the kind it was asked for.
#include "screens/ScreenFactory.h"

#include "screens/Ovform.h"
#include "screens/Unit1.h"
#include "screens/Unit3.h"
#include "exercises/OvFlagga.h"

#include <stdexcept>
#include <string>

namespace {
[[noreturn]] void NoScreenFor(const std::string& kind)
{
    throw std::runtime_error("No screen for exercises of kind " + kind + " exists yet.");
}
} // namespace

TOvningsformular* CreateMapScreen(QWidget* owner)
{
    return new TfrmOvningKarta(owner);
}

TOvningsformular* CreateFlagScreen(QWidget* owner)
{
    return new TfrmOvningFlagga(owner);
}

TOvningsformular* CreateMultiScreen(QWidget* /*owner*/)
{
    NoScreenFor("MULTI");
}

void OpenExerciseOn(TOvningsformular* screen, COvning* exercise)
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
    throw std::logic_error("OpenExerciseOn: unknown exercise screen");
}
