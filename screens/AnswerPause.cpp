// The pause after a right answer on the multiple-choice screen.
#include "screens/AnswerPause.h"

#include <QTimer>

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
