// Labels a window's controls from their "Tag" numbers.
#include "platform/Captions.h"

#include <QLabel>
#include <QPushButton>
#include <QVariant>
#include <QWidget>

namespace {
int TagOf(const QObject* object)
{
    const QVariant tag = object->property("Tag");
    return tag.isValid() ? tag.toInt() : 0;
}
} // namespace

void TranslateCaptions(QWidget* window, const std::function<QString(int)>& caption)
{
    // Component order: the window's descendants in creation order. The controls of a window
    // that this one owns (an exercise screen of the main menu) belong to that window.
    const auto children = window->findChildren<QWidget*>();
    for (QWidget* child : children) {
        const int tag = TagOf(child);
        if (tag == 0 || child->window() != window)
            continue;
        if (auto* button = qobject_cast<QPushButton*>(child))
            button->setText(caption(tag));
        else if (auto* label = qobject_cast<QLabel*>(child))
            label->setText(caption(tag));
    }
    const int own = TagOf(window);
    if (own != 0)
        window->setWindowTitle(caption(own));
}
