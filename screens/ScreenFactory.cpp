// Which screen plays which kind of exercise.
#include "screens/ScreenFactory.h"

#include "exercises/ovning.h"
#include "screens/Unit1.h"
#include "screens/Unit3.h"
#include "screens/Unit4.h"

ExerciseWindow* CreateScreenFor(const COvning& exercise, QWidget* owner)
{
    if (exercise.Kind == "MULTI")
        return CreateMultiScreen(owner);
    if (exercise.Kind == "FLAGG")
        return CreateFlagScreen(owner);
    return CreateMapScreen(owner);
}

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
