#pragma once
// Every event handler of a form runs inside Guard: an input error
// (Eingabefehler) or any other error is shown through the host instead of
// crossing the Qt event loop.

#include <QObject>
#include <functional>
#include <utility>

namespace Host {

// Runs handler; returns false when it ended with an error (already shown).
bool Guard(const std::function<void()>& handler);

// Connects signal of sender to handler, run inside Guard whenever the
// signal is emitted while context lives. The signal's arguments are not
// passed on: a handler reads the state it needs from the form.
template <class Sender, class Signal, class Handler>
QMetaObject::Connection Connect(Sender* sender, Signal signal, const QObject* context, Handler handler)
{
    return QObject::connect(sender, signal, context, [h = std::move(handler)] { Guard(h); });
}

// Shorthand for a member handler of the form that is also the context.
template <class Sender, class Signal, class Form>
QMetaObject::Connection Connect(Sender* sender, Signal signal, Form* form, void (Form::*handler)())
{
    return Connect(sender, signal, form, [form, handler] { (form->*handler)(); });
}

// How many input errors Guard has shown since the program started.
int EingabefehlerCount();
// How many other errors Guard has shown since the program started.
int FehlerCount();

} // namespace Host
