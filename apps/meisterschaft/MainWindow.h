#pragma once
#include "RecentFiles.h"

#include <QMainWindow>

class Overview;
class QMenu;
class QProgressBar;
class QLabel;

// f_Menue as the user sees it: the "Datei" menu (open a championship, the
// championships opened last), the print menu with the modules' entries, an
// overview of the open championship with the print entries as buttons, the
// status line, the report's page and the progress bar.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // recent: where the championships opened last are kept; nullptr takes
    // the host application's settings.
    explicit MainWindow(QSettings* recent = nullptr);

    void rebuildPrintMenu();
    // A print entry chosen in the menu or the overview. Without an open
    // championship the user is told so and the module's window stays shut.
    void runPrintJob(int index);
    void setStatusText(const QString& text);
    // The report's own status ("Drucke Seite 12"), beside the status line.
    void setPageText(const QString& text);
    QProgressBar* progressBar() const { return progress_; }
    QMenu* printMenu() const { return printMenu_; }
    QMenu* fileMenu() const { return fileMenu_; }

    // Opens the championship database fileOrUrl (the module's windows of the
    // championship open before are closed); a failure is shown to the user.
    // True when it is open.
    bool openChampionship(const QString& fileOrUrl);
    // "Datei → Meisterschaft öffnen…": asks for a file (or a typed
    // "postgres://" address) and opens it.
    void askAndOpen();
    // The file prompt of askAndOpen; "" when cancelled.
    QString askForChampionship();

    // After the championship fileOrUrl was opened: it heads the list of
    // championships opened last, the title shows its name.
    void championshipOpened(const QString& fileOrUrl);
    // The title shows the current championship.
    void updateTitle();
    RecentFiles& recentFiles() { return recent_; }

private:
    void rebuildRecentMenu();
    void updateSettingsMenu();

    QMenu* fileMenu_;
    QMenu* recentMenu_;
    QMenu* printMenu_;
    QMenu* settingsMenu_;
    QAction* verbandTitel_;
    QProgressBar* progress_;
    QLabel* status_;
    QLabel* page_;
    Overview* overview_;
    RecentFiles recent_;
};
