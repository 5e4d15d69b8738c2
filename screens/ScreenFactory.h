// Creation of the exercise screens by kind. The main menu goes through these functions so that
// it need not know the concrete screen classes.
#pragma once

class COvning;
class QWidget;
class ExerciseWindow;

// Each creates its screen owned by owner (not yet shown). A kind whose screen is not built
// into the program raises an error naming the kind.
ExerciseWindow* CreateMapScreen(QWidget* owner);   // place and area exercises
ExerciseWindow* CreateFlagScreen(QWidget* owner);  // "FLAGG"
ExerciseWindow* CreateMultiScreen(QWidget* owner); // "MULTI"

// Calls the screen's OpenExercise: sets it up, starts the exercise and shows the screen.
void OpenExerciseOn(ExerciseWindow* screen, COvning* exercise);

// Deferred release of an exercise screen. A screen inside a pause that must run to its end
// (the multiple-choice screen after a right answer) is released when the pause has ended.
void ReleaseScreen(ExerciseWindow* screen);
