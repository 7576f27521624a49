#include "MainWindow.h"
#include "Championship.h"
#include "Overview.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/HostUi.h"
#include "platform/host/Qvmain.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Sectionlist.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTreeView>

namespace {
const QString programName = QStringLiteral("Meisterschaftsprogramm");
}

MainWindow::MainWindow(QSettings* recent) : overview_(new Overview), recent_(recent)
{
    setObjectName("f_Menue");
    resize(1024, 700);

    fileMenu_ = menuBar()->addMenu("&Datei");
    fileMenu_->setObjectName("mm_Datei");
    QAction* open = fileMenu_->addAction("Meisterschaft &öffnen…", this, &MainWindow::askAndOpen);
    open->setObjectName("mi_Oeffnen");
    open->setShortcut(QKeySequence::Open);
    recentMenu_ = fileMenu_->addMenu("&Zuletzt geöffnet");
    recentMenu_->setObjectName("mi_Zuletzt");
    fileMenu_->addSeparator();
    QAction* quit = fileMenu_->addAction("&Beenden", qApp, &QApplication::closeAllWindows);
    quit->setShortcut(QKeySequence("Ctrl+Q"));
    printMenu_ = menuBar()->addMenu("D&rucken");
    printMenu_->setObjectName("mm_Drucken");
    settingsMenu_ = menuBar()->addMenu("&Einstellungen");
    settingsMenu_->setObjectName("mm_Einstellungen");
    verbandTitel_ = settingsMenu_->addAction("&Verbandsname im Seitenkopf");
    verbandTitel_->setObjectName("mi_VerbandTitel");
    verbandTitel_->setCheckable(true);
    verbandTitel_->setToolTip("Kopfzeilen der Listen von Bezirks- und Landesmeisterschaften nennen den Verband");
    connect(verbandTitel_, &QAction::triggered, this, [this](bool an) {
        // Kept with the championship, so every workstation prints the same.
        Qvsettings::SetString("Allgemein", "VerbandTitel", an ? "J" : "N");
        Datamod::DataModule1()->SetCurrentChampionship(Datamod::iIdent);
        updateSettingsMenu();
    });

    overview_->onOpen = [this] { askAndOpen(); };
    overview_->onPrintJob = [this](int i) { runPrintJob(i); };
    overview_->onOpenRecent = [this](const QString& entry) { openChampionship(entry); };
    setCentralWidget(overview_);

    status_ = new QLabel;
    status_->setObjectName("lb_Status");
    page_ = new QLabel;
    page_->setObjectName("lb_Seite");
    progress_ = new QProgressBar;
    progress_->setObjectName("pb_Fortschritt");
    progress_->setVisible(false);
    progress_->setMaximumWidth(260);
    statusBar()->addWidget(status_, 1);
    statusBar()->addPermanentWidget(page_);
    statusBar()->addPermanentWidget(progress_);

    connect(Qvmain::f_Menue(), &Qvmain::TfMenue::printJobsChanged, this, &MainWindow::rebuildPrintMenu);
    rebuildPrintMenu();
    rebuildRecentMenu();
    updateTitle();
}

void MainWindow::rebuildPrintMenu()
{
    printMenu_->clear();
    auto& jobs = Qvmain::f_Menue()->PrintJobs();
    for (int i = 0; i < jobs.Count(); ++i) {
        QAction* a = printMenu_->addAction(jobs.Item(i).Caption);
        connect(a, &QAction::triggered, this, [this, i] { runPrintJob(i); });
    }
    printMenu_->setEnabled(jobs.Count() > 0);
    overview_->refresh(recent_.entries());
}

void MainWindow::rebuildRecentMenu()
{
    recentMenu_->clear();
    const QStringList entries = recent_.entries();
    for (int i = 0; i < entries.size(); ++i) {
        const QString entry = entries[i];
        // "&1 …" lets the keyboard pick the first nine.
        QString text = Championship::DisplayName(entry);
        text.replace('&', "&&");
        if (i < 9)
            text = QString("&%1 %2").arg(i + 1).arg(text);
        recentMenu_->addAction(text, this, [this, entry] { openChampionship(entry); });
    }
    recentMenu_->setEnabled(!entries.isEmpty());
}

void MainWindow::runPrintJob(int index)
{
    if (!Datamod::DataModule1()->DatabaseOpen()) {
        Host::ui().messageDlg("Es ist keine Meisterschaft geöffnet.\nBitte öffnen Sie zuerst eine Meisterschaft "
                              "(Datei – Meisterschaft öffnen…).",
                              Host::mtInformation, Host::mbOK);
        return;
    }
    Qvmain::f_Menue()->PrintJobs().Click(index);
}

void MainWindow::updateSettingsMenu()
{
    const bool offen = Datamod::DataModule1()->DatabaseOpen();
    verbandTitel_->setEnabled(offen);
    verbandTitel_->setChecked(offen && Datamod::bVerbandTitel);
}

void MainWindow::setStatusText(const QString& text)
{
    status_->setText(text);
    if (text.isEmpty())
        page_->clear();
}

void MainWindow::setPageText(const QString& text) { page_->setText(text); }

void MainWindow::updateTitle()
{
    overview_->refresh(recent_.entries());
    updateSettingsMenu();
    auto* connection = Datamod::DataModule1()->Connection();
    if (!Datamod::DataModule1()->DatabaseOpen() || !connection) {
        setWindowTitle(programName);
        return;
    }
    QString name = Datamod::sVeranstaltung;
    if (name.isEmpty())
        name = Championship::IsUrl(connection->Target()) ? Championship::DisplayName(connection->Target())
                                                         : QFileInfo(connection->Target()).fileName();
    setWindowTitle(programName + " - " + name);
}

bool MainWindow::openChampionship(const QString& fileOrUrl)
{
    const QString message = Championship::Open(fileOrUrl, [] {
        // The module's windows belong to the championship open so far.
        Sectionlist::DistributeMessage("ZKTMP,WECHSEL,FORMULAR ZU");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    });
    if (!message.isEmpty()) {
        // A file gone since it was last opened leaves the list.
        if (!Championship::IsUrl(fileOrUrl) && !QFileInfo::exists(fileOrUrl)) {
            recent_.remove(Championship::RecentEntry(fileOrUrl));
            rebuildRecentMenu();
        }
        Host::ui().messageDlg(message, Host::mtError, Host::mbOK);
        updateTitle();
        return false;
    }
    championshipOpened(fileOrUrl);
    return true;
}

void MainWindow::championshipOpened(const QString& fileOrUrl)
{
    recent_.add(Championship::RecentEntry(fileOrUrl));
    rebuildRecentMenu();
    updateTitle();
}

QString MainWindow::askForChampionship()
{
    QString start = QDir::homePath();
    const QStringList entries = recent_.entries();
    for (const QString& e : entries)
        if (!Championship::IsUrl(e)) {
            start = QFileInfo(e).absolutePath();
            break;
        }
    QFileDialog dialog(this, "Meisterschaft öffnen", start,
                       "Meisterschaften (*.sqlite *.sqlite3 *.db);;Alle Dateien (*)");
    dialog.setObjectName("od_Meisterschaft");
    dialog.resize(860, 520);
    // Qt's own dialog: its name field also takes a typed "postgres://"
    // address, which no file dialog of the desktop would hand back.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setLabelText(QFileDialog::FileName, "Datei oder Adresse:");
    auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
    // Size, type and date in full; the name takes the rest.
    if (auto* list = dialog.findChild<QTreeView*>("treeView")) {
        list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
        list->header()->setStretchLastSection(false);
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    if (name && Championship::IsUrl(name->text().trimmed()))
        return name->text().trimmed();
    return dialog.selectedFiles().value(0);
}

void MainWindow::askAndOpen()
{
    const QString chosen = askForChampionship();
    if (!chosen.isEmpty())
        openChampionship(chosen);
}
