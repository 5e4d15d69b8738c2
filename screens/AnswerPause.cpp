// The pause after a right answer on the multiple-choice screen.
#include "screens/AnswerPause.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

void AnswerPause::Release()
{
    if (holding_)
        releasePending_ = true;
    else
        window_.deleteLater();
}

bool AnswerPause::HoldsBackDelete()
{
    // The exercise waits for its tick, or the top-ten window is open, inside the window's own
    // handler; destroying the window (and with it the map) now would pull the ground from
    // under it.
    if (holding_)
        releasePending_ = true;
    return holding_;
}

AnswerPause::Hold::Hold(AnswerPause& pause) : pause_(pause)
{
    pause_.holding_ = true;
}

AnswerPause::Hold::~Hold()
{
    pause_.holding_ = false;
    if (pause_.releasePending_) {
        // A deferred delete swallowed meanwhile leaves Qt believing that one is still queued,
        // and while other events wait for the window it drops a new one. The window is going:
        // its waiting events (repaints) go first.
        QCoreApplication::removePostedEvents(&pause_.window_);
        pause_.window_.deleteLater();
    }
}

AnswerPause::Run::Run(AnswerPause& pause) : pause_(pause), interval_(pause.timer_.interval())
{
    pause_.running_ = true;
    pause_.timer_.stop();
    pause_.timer_.start();
}

AnswerPause::Run::~Run()
{
    pause_.running_ = false;
    pause_.timer_.stop();
    pause_.timer_.setInterval(interval_);
}
