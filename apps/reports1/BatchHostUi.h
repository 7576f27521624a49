#pragma once
// The command line's side of the user interface: messages are printed
// ("INFO: …", "FRAGE: …", "FEHLER: …"), questions and prompts are answered
// from the command line, prints are written to files.

#include "platform/host/HostUi.h"

#include <QTextStream>
#include <deque>
#include <functional>

class BatchHostUi : public Host::IHostUi {
public:
    BatchHostUi();

    // Answers in command-line order, each used once: --answer ja|nein for
    // questions (Yes when none is left), --folder for folder prompts and
    // --file for file prompts (cancelled when none is left).
    std::deque<int> answers;
    std::deque<QString> folders;
    std::deque<QString> files;
    bool quiet = false;             // no status lines
    // Called for every print handed to the preview.
    std::function<void(const Host::PrintRequest&)> onPreview;

    int messageDlg(const QString& text, int type, int buttons) override;
    void showError(const QString& text, const QString& detail = {}) override;
    QString chooseFolder(const QString& title, const QString& start) override;
    QString chooseSaveFile(const QString& title, const QString& proposal,
                           const QString& filter, const QString& defaultExt) override;
    QString chooseOpenFile(const QString& title, const QString& filter) override;
    bool confirmOrganiser() override { return true; }
    void preview(const Host::PrintRequest& request) override;
    void status(const QString& text) override;
    void progressStart(int min, int max) override { pos_ = min; (void)max; }
    void progressSet(int p) override { pos_ = p; }
    int progressPosition() const override { return pos_; }
    void progressStop() override {}
    bool escPressed() override { return true; }

private:
    QTextStream out_;
    int pos_ = 0;
};
