#include "MainWindow.h"

#include "platform/host/Qvmain.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>

MainWindow::MainWindow()
{
    setObjectName("f_Menue");
    setWindowTitle("Meisterschaftsprogramm");
    resize(1024, 700);

    QMenu* file = menuBar()->addMenu("&Datei");
    file->addAction("&Beenden", qApp, &QApplication::closeAllWindows);
    printMenu_ = menuBar()->addMenu("D&rucken");

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
}

void MainWindow::rebuildPrintMenu()
{
    printMenu_->clear();
    auto& jobs = Qvmain::f_Menue()->PrintJobs();
    for (int i = 0; i < jobs.Count(); ++i) {
        QAction* a = printMenu_->addAction(jobs.Item(i).Caption);
        connect(a, &QAction::triggered, this, [i] { Qvmain::f_Menue()->PrintJobs().Click(i); });
    }
    printMenu_->setEnabled(jobs.Count() > 0);
}

void MainWindow::setStatusText(const QString& text)
{
    status_->setText(text);
    if (text.isEmpty())
        page_->clear();
}

void MainWindow::setPageText(const QString& text) { page_->setText(text); }
