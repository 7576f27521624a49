#pragma once
// The one door through which the module and the host reach the user.
//
// Everything that would put a window in front of somebody (message dialog,
// folder and file prompts, the print preview, the status bar) goes through
// IHostUi. The host application installs a GUI implementation, the command
// line a batch one, tests a recording one of their own.

#include <QString>
#include <QStringList>

namespace Host {

// Dialog types as the host numbers them (qvMessageDlg's second argument).
enum MsgDlgType { mtWarning = 0, mtError = 1, mtInformation = 2, mtConfirmation = 3, mtCustom = 4 };

// Button flags (qvMessageDlg's third argument), combinable.
enum MsgDlgButton { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbAbort = 16 };
constexpr int mbYesNo = mbYes | mbNo;
constexpr int mbOKCancel = mbOK | mbCancel;

// Modal results.
enum ModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrYes = 6, mrNo = 7 };

// One print handed to the preview.
struct PrintRequest {
    int id = 0;
    QString file;     // the report stream file
    QString modul;    // "REPORTS1"
    QString title;
    int interval = 0; // seconds per page in a continuous display, 0 = normal preview
};

class IHostUi {
public:
    virtual ~IHostUi();

    // Shows a message; returns the modal result of the button chosen.
    virtual int messageDlg(const QString& text, int type, int buttons) = 0;
    // An error that reached the host (an exception out of a handler): the
    // German message, and what the database or system said, for a line of
    // details below it (may be empty).
    virtual void showError(const QString& text, const QString& detail = {}) = 0;
    // A folder chosen by the user; empty when cancelled.
    virtual QString chooseFolder(const QString& title, const QString& start) = 0;
    // A file name for saving; empty when cancelled.
    virtual QString chooseSaveFile(const QString& title, const QString& proposal,
                                   const QString& filter, const QString& defaultExt) = 0;
    // An existing file to read ("CSV-Dateien|*.csv"); empty when cancelled.
    virtual QString chooseOpenFile(const QString& title, const QString& filter) = 0;
    // The organiser confirmed (or chosen) before a menu entry runs.
    virtual bool confirmOrganiser() = 0;
    // Hands a report stream to the preview; the id is assigned by the caller.
    virtual void preview(const PrintRequest& request) = 0;
    // Turns a continuous display to the next page (wrapping to page 1).
    virtual void previewNextPage(int id) { (void)id; }
    // Opens a produced file with the desktop's program for it.
    virtual void openFile(const QString& path) { (void)path; }

    // Main-window feedback.
    virtual void status(const QString& text) = 0;
    virtual void progressStart(int min, int max) = 0;
    virtual void progressSet(int position) = 0;
    virtual int progressPosition() const = 0;
    virtual void progressStop() = 0;
    // Lets the user interface repaint during long runs.
    virtual void processEvents() {}
    // Esc in the main window during a continuous display.
    virtual void waitForEsc() {}
    virtual bool escPressed() { return false; }
};

// The implementation in force; a silent default until a host installs its own.
IHostUi& ui();
void setUi(IHostUi* impl);

} // namespace Host
