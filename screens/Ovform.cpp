// The exercise screen base.
#include "screens/Ovform.h"

#include "exercises/ovning.h"
#include "map/UKarta.h"

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
