#pragma once
#include <QMainWindow>

class QMenu;
class QProgressBar;
class QLabel;

// f_Menue as the user sees it: the print menu with the modules' entries,
// the status line and the progress bar.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow();

    void rebuildPrintMenu();
    void setStatusText(const QString& text);
    QProgressBar* progressBar() const { return progress_; }
    bool takeEsc();
    void resetEsc() { esc_ = false; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QMenu* printMenu_;
    QProgressBar* progress_;
    QLabel* status_;
    bool esc_ = false;
};
