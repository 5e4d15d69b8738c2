// Which screen plays which kind of exercise: the one place that knows it. The main menu goes
// through it so that it need not know the concrete screen classes.
#pragma once

class COvning;
class QWidget;
class ExerciseWindow;

// The screen that plays the exercise's kind ("MULTI", "FLAGG", the map for the others), owned by
// owner and not yet shown; its OpenExercise starts the play.
ExerciseWindow* CreateScreenFor(const COvning& exercise, QWidget* owner);

// Each kind's screen, for those that need one in particular.
ExerciseWindow* CreateMapScreen(QWidget* owner);   // place and area exercises
ExerciseWindow* CreateFlagScreen(QWidget* owner);  // "FLAGG"
ExerciseWindow* CreateMultiScreen(QWidget* owner); // "MULTI"
