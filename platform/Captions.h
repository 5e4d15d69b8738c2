// Labels a window's controls from their "Tag" numbers.
#pragma once

#include <QString>
#include <functional>

class QWidget;

// Gives every push button and label owned by the window whose "Tag" property is not 0 the text
// caption(Tag), then the window's own caption if its Tag is not 0. Windows owned by the window
// (its child windows) are not visited: they are labelled when they are shown themselves.
void TranslateCaptions(QWidget* window, const std::function<QString(int)>& caption);
