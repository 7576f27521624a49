#pragma once
// Every event handler of a form runs inside Guard: an input error
// (Eingabefehler) or any other error is shown through the host instead of
// crossing the Qt event loop.

#include <functional>

namespace Vcl {

// Runs handler; returns false when it ended with an error (already shown).
bool Guard(const std::function<void()>& handler);

// How many input errors Guard has shown since the program started.
int EingabefehlerCount();
// How many other errors Guard has shown since the program started.
int FehlerCount();

} // namespace Vcl
