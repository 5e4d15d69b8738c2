// The in-program help viewer: the game's HTML help beside the executable, one folder per
// language (help/sv, help/en, help/fr, help/de, help/es), in a small browser window with Back,
// Forward, Contents and a find-in-page field.
#pragma once

#include <QString>

#include <functional>

class QWidget;

// Opens the page of a topic (main menu 101, about box 100, map screen 102, multiple-choice
// screen 103, flag screen 104) in a language 1..5; 0 means CurrentLanguage. An open help window
// is reused and raised, and keeps its size for the rest of the run.
void OpenHelp(int topic, int language = 0);
// Opens the contents page.
void OpenHelpContents(int language = 0);

// The file of a page: topic 0 is the contents. A language outside 1..5 gives English.
QString HelpPagePath(int topic, int language);
// The help window once it has been opened (it is hidden, not destroyed, when closed).
QWidget* HelpWindow();

// Tests observe help requests instead of opening a window: topic 0 stands for the contents.
// An empty function restores the viewer.
using HelpHook = std::function<void(int topic)>;
void SetHelpHook(HelpHook hook);
// Tests read the pages from another folder; empty restores ExeDir()/help.
void SetHelpFolder(const QString& folder);
