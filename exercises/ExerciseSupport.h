// Small checks and helpers shared by the exercise kinds.
#pragma once

#include <string>
#include <vector>

class CKarta;
class COrt;
class COrter;
class CAreor;
class TOvningsformular;
class TMapExerciseScreen;
class TMultiExerciseScreen;

// The place and area exercises run only on a map screen with a map: anything else is a fault
// of the program, reported as an error rather than a crash.
CKarta* RequireMap(CKarta* map);
TMapExerciseScreen* RequireMapScreen(TOvningsformular* screen);
TMultiExerciseScreen* RequireMultiScreen(TOvningsformular* screen);

// Gives the map the screen's picture and its scale, and fits the view to the included areas
// when the exercise gives none (top and bottom latitude both 0).
void PrepareMapView(CKarta& map, TMapExerciseScreen& screen);

// The n-th (from 0) place of the list that is included and not yet answered, or null.
COrt* NthOpenPlace(const COrter& places, int n);

// Name of the area a selector stands for, in the current language: the area whose own key it
// is, else the first area that has it as a group key, else the selector itself.
std::string SelectorName(const CAreor& areas, const std::string& selector);

// The ids of the answered places that took more than one try, in list order.
std::vector<std::string> MissedPlaces(const COrter& places);
// A practice round asks only the practice's places: the other included places count as found
// at the first try, so that they still take part in judging and in the answers offered.
void SetAsidePlaces(COrter& places, const std::vector<std::string>& practice);

// The exercise screens' offer to practise the n questions missed (Windows-1252).
std::string PracticeOfferText(int n);
