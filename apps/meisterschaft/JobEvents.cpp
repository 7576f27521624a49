#include "JobEvents.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

// What a person does to the windows: none of it reaches a running job.
bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::Wheel:
    case QEvent::HoverEnter:
    case QEvent::HoverLeave:
    case QEvent::HoverMove:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop:
    case QEvent::InputMethod:
    // A window the user activates would take the focus from the form, and a
    // focus change runs handlers (an edit's editingFinished).
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::FocusAboutToChange:
        return true;
    default:
        return false;
    }
}

bool isEsc(QEvent* event)
{
    return event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
}

} // namespace

JobEvents::JobEvents(QWidget* mainWindow, int intervalMs) : mainWindow_(mainWindow), interval_(intervalMs)
{
    qApp->installEventFilter(this);
}

JobEvents::~JobEvents()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void JobEvents::tick()
{
    if (busy_)
        return;
    if (last_.isValid() && last_.elapsed() < interval_)
        return;
    busy_ = true;
    // Timers stay out: a form's timer would run its job code inside this one.
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::X11ExcludeTimers);
    busy_ = false;
    last_.start();
}

bool JobEvents::escCounts(QObject* watched) const
{
    const auto* w = qobject_cast<QWidget*>(watched);
    if (!w)
        return false;
    const QWidget* window = w->window();
    return window == mainWindow_ || window->inherits("PreviewWindow");
}

bool JobEvents::eventFilter(QObject* watched, QEvent* event)
{
    if (busy_) {
        if (isEsc(event))
            esc_ = true;
        if (event->type() == QEvent::Close && event->spontaneous()) {
            event->ignore();
            return true;
        }
        return isUserInput(event->type());
    }
    if (isEsc(event) && escCounts(watched))
        esc_ = true;
    return false;
}
