#pragma once
// Keeps the host application's windows alive while a job runs.
//
// Jobs run on the GUI thread, from a button's handler, and do not return to
// the event loop until they are done: a results list of thousands of starts
// takes seconds. The host calls tick() from the status and progress calls
// the job makes; at most every interval it processes what is pending for
// the windows (paint, expose, resize) so the status line and the progress
// bar show the job's state.
//
// While tick() processes events the user's input is dropped: no click, key,
// wheel, focus change or window close reaches a form whose handler is still
// running, and no timer fires, so no job code runs inside another. Esc is
// the exception: it is noted (escPressed) for jobs that check it and still
// not delivered. Outside a job, Esc in the main window or in a preview
// window is noted too (the continuous display stops on it) and goes on to
// the window as usual.

#include <QElapsedTimer>
#include <QObject>

class QWidget;

class JobEvents : public QObject {
    Q_OBJECT
public:
    // Watches the whole application; mainWindow is where an idle Esc counts.
    explicit JobEvents(QWidget* mainWindow, int intervalMs = 50);
    ~JobEvents() override;

    // Processes pending window events when the last time is interval ago.
    void tick();
    // True while tick() is processing events.
    bool busy() const { return busy_; }

    bool escPressed() const { return esc_; }
    void resetEsc() { esc_ = false; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool escCounts(QObject* watched) const;

    QWidget* mainWindow_;
    int interval_;
    QElapsedTimer last_;
    bool busy_ = false;
    bool esc_ = false;
};
