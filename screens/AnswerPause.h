// The pause after a right answer on the multiple-choice screen. The right answer stays green for
// one tick of the screen's timer while the exercise waits for it inside its CorrectAnswer, and no
// answer is judged meanwhile. (The window's hold keeps it alive through the pause.)
#pragma once

class QTimer;

class AnswerPause {
public:
    explicit AnswerPause(QTimer& timer) : timer_(timer) {}

    // From the right answer until the next question is shown.
    bool Running() const { return running_; }

    // The pause itself: the timer runs a full interval from now; at the end it stops with its
    // interval restored (a close may have shortened it).
    class Run {
    public:
        explicit Run(AnswerPause& pause);
        ~Run();
        Run(const Run&) = delete;
        Run& operator=(const Run&) = delete;

    private:
        AnswerPause& pause_;
        int interval_;
    };

private:
    QTimer& timer_;
    bool running_ = false;
};
