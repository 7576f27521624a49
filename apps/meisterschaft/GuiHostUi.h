#pragma once
#include "JobEvents.h"

#include "platform/host/HostUi.h"

class MainWindow;

// The host application's side of the user interface: real dialogs, the
// status bar and progress bar of the main window, and the preview window.
// Status and progress calls keep the windows painted while a job runs
// (JobEvents); Esc during a job or in the main window is what escPressed
// reports until the next waitForEsc.
class GuiHostUi : public Host::IHostUi {
public:
    explicit GuiHostUi(MainWindow* window);
    ~GuiHostUi() override;

    int messageDlg(const QString& text, int type, int buttons) override;
    void showError(const QString& text, const QString& detail = {}) override;
    QString chooseFolder(const QString& title, const QString& start) override;
    QString chooseSaveFile(const QString& title, const QString& proposal,
                           const QString& filter, const QString& defaultExt) override;
    QString chooseOpenFile(const QString& title, const QString& filter) override;
    bool confirmOrganiser() override;
    void preview(const Host::PrintRequest& request) override;
    void previewNextPage(int id) override;
    void openFile(const QString& path) override;
    void status(const QString& text) override;
    void progressStart(int min, int max) override;
    void progressSet(int position) override;
    int progressPosition() const override;
    void progressStop() override;
    void processEvents() override;
    void waitForEsc() override;
    bool escPressed() override;

    JobEvents& events() { return events_; }

private:
    MainWindow* window_;
    JobEvents events_;
};
