#pragma once
// The application object of both programs: an exception that escapes an
// event handler is shown through the host as an error instead of ending the
// program (every handler runs in Host::Guard; this is the last net).

#include <QApplication>

namespace Qvanwendung {

class TAnwendung : public QApplication {
public:
    TAnwendung(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// The German text of the exception in flight, for catch (...) blocks, and
// what the database or system said about it.
QString AktuellerFehler();
QString AktuellerFehlerDetail();

} // namespace Qvanwendung
