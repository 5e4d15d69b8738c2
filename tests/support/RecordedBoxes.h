// Message boxes, general error boxes and help requests, recorded instead of shown for the
// object's lifetime.
#pragma once

#include "platform/GlobanaApplication.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"

#include <QString>
#include <QStringList>

#include <vector>

class RecordedBoxes {
public:
    RecordedBoxes()
    {
        SetMessagePresenter([this](MessageKind kind, const QString& text) {
            (kind == MessageKind::Error ? errors : messages) << text;
            kinds.push_back(kind);
        });
        GlobanaApplication::errorBox = [this](const QString& text) { generalErrors << text; };
        SetHelpHook([this](int topic) { helpTopics.push_back(topic); });
    }
    ~RecordedBoxes()
    {
        SetMessagePresenter({});
        GlobanaApplication::errorBox = {};
        SetHelpHook({});
    }
    RecordedBoxes(const RecordedBoxes&) = delete;
    RecordedBoxes& operator=(const RecordedBoxes&) = delete;

    QStringList messages; // every kind but errors
    QStringList errors;
    std::vector<MessageKind> kinds; // of every box, in order
    QStringList generalErrors;
    std::vector<int> helpTopics;
};
