// The in-program help viewer: the game's HTML help beside the executable in a text browser.
#pragma once

#include <functional>

// Opens ExeDir()/help/index.html at the anchor "topic<N>" (main menu 101, about box 100, map
// screen 102, multiple-choice screen 103, flag screen 104).
void OpenHelp(int topic);
// Opens the same file at its top.
void OpenHelpContents();

// Tests observe help requests instead of opening a window: topic 0 stands for the contents.
// An empty function restores the viewer.
using HelpHook = std::function<void(int topic)>;
void SetHelpHook(HelpHook hook);
