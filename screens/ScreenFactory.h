// Creation of the exercise screens by kind. The main menu goes through these functions so that
// it need not know the concrete screen classes.
#pragma once

class COvning;
class QWidget;
class TOvningsformular;

// Each creates its screen owned by owner (not yet shown). A kind whose screen is not built
// into the program raises an error naming the kind.
TOvningsformular* CreateMapScreen(QWidget* owner);   // place and area exercises
TOvningsformular* CreateFlagScreen(QWidget* owner);  // "FLAGG"
TOvningsformular* CreateMultiScreen(QWidget* owner); // "MULTI"

// Calls the screen's OpenExercise: sets it up, starts the exercise and shows the screen.
void OpenExerciseOn(TOvningsformular* screen, COvning* exercise);
