#pragma once
#include <QMainWindow>

class QMenu;
class QProgressBar;
class QLabel;

// f_Menue as the user sees it: the print menu with the modules' entries,
// the status line, the report's page and the progress bar.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow();

    void rebuildPrintMenu();
    void setStatusText(const QString& text);
    // The report's own status ("Drucke Seite 12"), beside the status line.
    void setPageText(const QString& text);
    QProgressBar* progressBar() const { return progress_; }

private:
    QMenu* printMenu_;
    QProgressBar* progress_;
    QLabel* status_;
    QLabel* page_;
};
