#pragma once
// The host's main window as the module sees it: the print-job list, the
// status line, the progress bar, the look applied to new forms, and the Esc
// flag of the continuous display. The visible window (host application) or
// the command line supply the user-facing side through Host::IHostUi.

#include "platform/host/Sectionlist.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace Qvmain {

class TfMenue : public QObject {
    Q_OBJECT
public:
    TfMenue();

    Sectionlist::TPrintJobs& PrintJobs() { return printJobs_; }

    void SetStatus(const QString& text);
    void StartProgress(int min, int max);
    void SetProgress(int position);
    int Progress() const;
    void StopProgress();

    // The look forms apply to their controls on creation.
    using TControlsEinstellen = std::function<void(QWidget*)>;
    TControlsEinstellen GetControlsEinstellen() const;
    void SetControlsEinstellen(TControlsEinstellen f) { controls_ = std::move(f); }

    // The navigator of the form in front (nullptr removes it).
    void SetNavigator(QObject* navigator) { navigator_ = navigator; }
    QObject* Navigator() const { return navigator_; }

    // Continuous display: wait for and test the Esc key of the main window.
    void WartenAufEsc();
    bool EscGedrueckt();

Q_SIGNALS:
    void printJobsChanged();

private:
    Sectionlist::TPrintJobs printJobs_;
    TControlsEinstellen controls_;
    QPointer<QObject> navigator_;
};

TfMenue* f_Menue();

} // namespace Qvmain
