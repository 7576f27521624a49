#include "GuiHostUi.h"
#include "OrganiserDialog.h"
#include "MainWindow.h"
#include "Preview.h"

#include "platform/report/Rpfiler.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>

GuiHostUi::GuiHostUi(MainWindow* window) : window_(window), events_(window)
{
    // A report turning a page shows it ("Drucke Seite 12") beside the status.
    Report::SetStatusHook([this](const QString& text) {
        window_->setPageText(text);
        events_.tick();
    });
}

GuiHostUi::~GuiHostUi() { Report::SetStatusHook({}); }

int GuiHostUi::messageDlg(const QString& text, int type, int buttons)
{
    QMessageBox::Icon icon = QMessageBox::Information;
    QString title = "Information";
    switch (type) {
    case Host::mtWarning: icon = QMessageBox::Warning; title = "Warnung"; break;
    case Host::mtError: icon = QMessageBox::Critical; title = "Fehler"; break;
    case Host::mtConfirmation: icon = QMessageBox::Question; title = "Bestätigen"; break;
    default: break;
    }
    QMessageBox box(icon, title, text, QMessageBox::NoButton, QApplication::activeWindow());
    if (buttons & Host::mbYes) box.addButton("&Ja", QMessageBox::YesRole)->setObjectName("yes");
    if (buttons & Host::mbNo) box.addButton("&Nein", QMessageBox::NoRole)->setObjectName("no");
    if (buttons & Host::mbOK) box.addButton("OK", QMessageBox::AcceptRole)->setObjectName("ok");
    if (buttons & Host::mbCancel) box.addButton("Abbrechen", QMessageBox::RejectRole)->setObjectName("cancel");
    if (box.buttons().isEmpty()) box.addButton("OK", QMessageBox::AcceptRole)->setObjectName("ok");
    box.exec();
    const QString which = box.clickedButton() ? box.clickedButton()->objectName() : QString("cancel");
    if (which == "yes") return Host::mrYes;
    if (which == "no") return Host::mrNo;
    if (which == "ok") return Host::mrOk;
    return Host::mrCancel;
}

void GuiHostUi::showError(const QString& text)
{
    QMessageBox::critical(QApplication::activeWindow(), "Fehler", text);
}

QString GuiHostUi::chooseFolder(const QString& title, const QString& start)
{
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), title, start);
}

QString GuiHostUi::chooseSaveFile(const QString& title, const QString& proposal,
                                  const QString& filter, const QString& defaultExt)
{
    QFileDialog dlg(QApplication::activeWindow(), title, QString(), QString(filter).replace('|', ";;"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(defaultExt);
    dlg.selectFile(proposal);
    return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty() ? dlg.selectedFiles().first() : QString();
}

bool GuiHostUi::confirmOrganiser()
{
    const bool ok = OrganiserDialog::Ask(window_);
    window_->updateTitle();
    return ok;
}

void GuiHostUi::preview(const Host::PrintRequest& request) { OpenPreview(request, window_); }
void GuiHostUi::previewNextPage(int id) { PreviewNextPage(id); }

void GuiHostUi::openFile(const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

void GuiHostUi::status(const QString& text)
{
    window_->setStatusText(text);
    events_.tick();
}

void GuiHostUi::progressStart(int min, int max)
{
    window_->progressBar()->setRange(min, std::max(min, max));
    window_->progressBar()->setValue(min);
    window_->progressBar()->setVisible(true);
    events_.tick();
}

void GuiHostUi::progressSet(int position)
{
    window_->progressBar()->setValue(position);
    events_.tick();
}

int GuiHostUi::progressPosition() const { return window_->progressBar()->value(); }

void GuiHostUi::progressStop()
{
    window_->progressBar()->setVisible(false);
    events_.tick();
}

void GuiHostUi::processEvents() { events_.tick(); }
void GuiHostUi::waitForEsc() { events_.resetEsc(); }

bool GuiHostUi::escPressed()
{
    // A job that only asks for Esc must still let the key in.
    events_.tick();
    return events_.escPressed();
}
