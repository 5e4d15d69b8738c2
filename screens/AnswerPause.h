// The pause after a right answer on the multiple-choice screen. The right answer stays green for
// one tick of the screen's timer while the exercise waits for it inside its CorrectAnswer, no
// answer is judged meanwhile, and the window outlives the pause and the top-ten offer that may
// follow it: a release asked for meanwhile happens when they are over.
#pragma once

class QTimer;
class QWidget;

class AnswerPause {
public:
    AnswerPause(QWidget& window, QTimer& timer) : window_(window), timer_(timer) {}

    // From the right answer until the next question is shown.
    bool Running() const { return running_; }
    bool ReleasePending() const { return releasePending_; }

    // The window's release: now, or when the hold ends.
    void Release();
    // For the window's DeferredDelete: true when the delete must wait for the hold to end.
    bool HoldsBackDelete();

    // Holds the window from the right answer until its pause and top-ten offer are over.
    class Hold {
    public:
        explicit Hold(AnswerPause& pause);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        AnswerPause& pause_;
    };

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
    QWidget& window_;
    QTimer& timer_;
    bool running_ = false;
    bool holding_ = false;
    bool releasePending_ = false;
};
