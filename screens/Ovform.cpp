// The exercise screen base.
#include "screens/Ovform.h"

#include "exercises/ovning.h"

void DetachExercise(COvning* exercise, const CKarta* map, const TOvningsformular* screen)
{
    if (!exercise)
        return;
    if (exercise->Map == map)
        exercise->Map = nullptr;
    if (exercise->Screen == screen)
        exercise->Screen = nullptr;
}
