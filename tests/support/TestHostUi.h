#pragma once
// A host user interface that records everything and answers from queues.
// The tests' own host: used by the tests of every folder, built into their
// support library and never into a program.

#include "platform/host/HostUi.h"

#include <QList>
#include <deque>

namespace Host {

class TestHostUi : public IHostUi {
public:
    struct Message { QString text; int type; int buttons; };

    QList<Message> messages;
    QStringList errors;
    QStringList statusTexts;         // every status text set, in order (clears included as "")
    QList<QPair<int, int>> progressStarts;
    QList<int> progressSets;
    int progressStops = 0;
    QList<PrintRequest> previews;
    QStringList openedFiles;
    QStringList folderPrompts;
    int organiserConfirmations = 0;
    int nextPages = 0;
    bool esc = false;

    std::deque<int> answers;         // modal results for questions; default mrYes
    std::deque<QString> folders;     // answers to folder prompts; default ""
    std::deque<QString> files;       // answers to save- and open-file prompts; default ""
    QStringList fileFilters;         // the filter of each open-file prompt

    int messageDlg(const QString& text, int type, int buttons) override;
    void showError(const QString& text, const QString& detail = {}) override
    {
        errors << text;
        errorDetails << detail;
    }
    QStringList errorDetails;
    QString chooseFolder(const QString& title, const QString& start) override;
    QString chooseSaveFile(const QString& title, const QString& proposal,
                           const QString& filter, const QString& defaultExt) override;
    QString chooseOpenFile(const QString& title, const QString& filter) override;
    bool confirmOrganiser() override { ++organiserConfirmations; return true; }
    void preview(const PrintRequest& request) override { previews << request; }
    void previewNextPage(int) override { ++nextPages; }
    void openFile(const QString& path) override { openedFiles << path; }
    void status(const QString& text) override { currentStatus = text; statusTexts << text; }
    void progressStart(int min, int max) override { progressStarts << qMakePair(min, max); position = min; }
    void progressSet(int p) override { progressSets << p; position = p; }
    int progressPosition() const override { return position; }
    void progressStop() override { ++progressStops; }
    void waitForEsc() override {}
    bool escPressed() override { return esc; }

    QString currentStatus;
    int position = 0;

    // The texts of all messages, in order.
    QStringList messageTexts() const;
};

// Installs a fresh TestHostUi for the lifetime of the guard.
class TestUiGuard {
public:
    TestUiGuard();
    ~TestUiGuard();
    TestHostUi& operator*() { return ui_; }
    TestHostUi* operator->() { return &ui_; }
private:
    TestHostUi ui_;
};

} // namespace Host
