// The host application's main window while a job runs: the status line and
// the progress bar keep being painted, the user's input waits for nobody
// (dropped, not queued), timers stay still, and Esc is noted for the job.

#include "GuiHostUi.h"
#include "MainWindow.h"

#include "platform/host/Qvmain.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <ctime>

namespace {

// The processor time the test's thread has used, in ms: "every 100 ms" means
// every 100 ms of the job's own work, whatever else the machine is doing.
class CpuClock {
public:
    void start() { start_ = now(); }
    void invalidate() { start_ = -1; }
    bool isValid() const { return start_ >= 0; }
    qint64 elapsed() const { return now() - start_; }

private:
    static qint64 now()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
    }
    qint64 start_ = -1;
};

// Times of the paint events a widget gets, on the job's clock.
class PaintClock : public QObject {
public:
    PaintClock(QWidget* w, const CpuClock& clock) : clock_(clock) { w->installEventFilter(this); }
    QList<qint64> times;

    // The longest stretch without a paint between from and to.
    qint64 longestGap(qint64 from, qint64 to) const
    {
        qint64 gap = 0, last = from;
        for (qint64 t : times) {
            gap = std::max(gap, t - last);
            last = t;
        }
        return std::max(gap, to - last);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && clock_.isValid())
            times << clock_.elapsed();
        return false;
    }

private:
    const CpuClock& clock_;
};

struct HostWindow {
    QTemporaryDir dir;
    QSettings recent{dir.filePath("recent.conf"), QSettings::IniFormat};
    MainWindow window{&recent};
    GuiHostUi ui{&window};
    HostWindow()
    {
        ::Host::setUi(&ui);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    ~HostWindow() { ::Host::setUi(nullptr); }
};

void work(int microseconds)
{
    QElapsedTimer t;
    t.start();
    while (t.nsecsElapsed() < microseconds * 1000LL) {
    }
}

} // namespace

TEST(LiveStatus, StatusAndProgressRepaintDuringAJobWhileInputWaits)
{
    HostWindow host;
    QDialog form; // a job's form, open while its job runs
    auto* ok = new QPushButton("OK", &form);
    ok->resize(80, 30);
    int clicks = 0;
    QObject::connect(ok, &QPushButton::clicked, [&] { ++clicks; });
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    // A form's timer (the name search, the continuous display) due while
    // the job runs.
    bool timerRan = false;
    QTimer due;
    due.setSingleShot(true);
    QObject::connect(&due, &QTimer::timeout, [&] { timerRan = true; });
    due.start(5);

    CpuClock clock;
    PaintClock status(host.window.findChild<QLabel*>("lb_Status"), clock);
    PaintClock progress(host.window.progressBar(), clock);
    auto* menu = Qvmain::f_Menue();
    menu->WartenAufEsc();
    constexpr int rows = 100000;
    clock.start();
    menu->StartProgress(0, rows);
    bool posted = false;
    int row = 0;
    while (clock.elapsed() < 1200) {
        work(300);
        menu->SetProgress(++row);
        if (row % 20 == 0)
            menu->SetStatus(QString("Erstellen der Ergebnisliste, Zeile %1").arg(row));
        if (!posted && clock.elapsed() > 300) {
            // The organiser clicks OK again and presses Esc, in the middle of the job.
            const QPointF at(10, 10);
            QCoreApplication::postEvent(ok, new QMouseEvent(QEvent::MouseButtonPress, at, ok->mapToGlobal(at),
                                                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
            QCoreApplication::postEvent(ok, new QMouseEvent(QEvent::MouseButtonRelease, at, ok->mapToGlobal(at),
                                                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
            QCoreApplication::postEvent(&form, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
            posted = true;
        }
    }
    const qint64 end = clock.elapsed();
    const bool timerRanDuringJob = timerRan;
    const bool esc = menu->EscGedrueckt();
    menu->StopProgress();
    clock.invalidate();

    EXPECT_GT(status.times.size(), 10);
    EXPECT_LE(status.longestGap(0, end), 100) << "status line not painted for too long";
    EXPECT_GT(progress.times.size(), 10);
    EXPECT_LE(progress.longestGap(0, end), 100) << "progress bar not painted for too long";
    EXPECT_FALSE(timerRanDuringJob) << "a timer ran job code inside the job";
    EXPECT_TRUE(esc);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(form.isVisible()) << "Esc reached the job's form";

    // Afterwards the timer runs; the input of the job's time is gone.
    QTest::qWait(20);
    EXPECT_TRUE(timerRan);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(form.isVisible());
}

TEST(LiveStatus, EscOutsideAJobCountsInTheMainWindowOnly)
{
    HostWindow host;
    auto* menu = Qvmain::f_Menue();
    QDialog other;
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));

    menu->WartenAufEsc();
    QTest::keyClick(&other, Qt::Key_Escape); // closes that dialog, as always
    EXPECT_FALSE(other.isVisible());
    EXPECT_FALSE(menu->EscGedrueckt());

    QTest::keyClick(&host.window, Qt::Key_Escape);
    EXPECT_TRUE(menu->EscGedrueckt());
    EXPECT_TRUE(menu->EscGedrueckt()) << "Esc stays noted until the next wait";
    menu->WartenAufEsc();
    EXPECT_FALSE(menu->EscGedrueckt());
}
