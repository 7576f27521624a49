#include "Screenshots.h"
#include "MainWindow.h"
#include "PreviewWindow.h"

#include "platform/host/Qvmain.h"
#include "platform/vcl/FormDriver.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QSet>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

namespace {

// Lets windows show, lay out and paint, and posted work run.
void settle(int ms = 80)
{
    QElapsedTimer t;
    t.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } while (t.elapsed() < ms);
}

QSet<QWidget*> visibleWindows()
{
    QSet<QWidget*> set;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !qobject_cast<QMenu*>(w) && w->isWindow())
            set.insert(w);
    return set;
}

// A dialog's page containers: tab widgets and stacked widgets other than
// the stack inside a tab widget.
QList<QWidget*> containers(QWidget* dialog)
{
    QList<QWidget*> list;
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        if (qobject_cast<QTabWidget*>(w))
            list << w;
        else if (qobject_cast<QStackedWidget*>(w) && !qobject_cast<QTabWidget*>(w->parentWidget()))
            list << w;
    }
    return list;
}

// Makes the pages holding w current, from the outside in, up to dialog.
void reveal(QWidget* w, QWidget* dialog)
{
    QList<QWidget*> chain;
    for (QWidget* p = w; p && p != dialog; p = p->parentWidget())
        chain.prepend(p);
    for (QWidget* page : chain) {
        auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
        if (!stack)
            continue;
        if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
            tabs->setCurrentWidget(page);
        else
            stack->setCurrentWidget(page);
    }
}

} // namespace

Screenshots::Screenshots(MainWindow& window, const QString& dir, QTextStream& log)
    : window_(window), dir_(dir), log_(log)
{
}

Screenshots::~Screenshots() = default;

QByteArray Screenshots::screenConfig()
{
    return R"({"screens":[{"name":"Laptop","x":0,"y":0,"width":1366,"height":768,)"
           R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})";
}

QString Screenshots::slug(const QString& text)
{
    QString s = text.toLower();
    s.remove('&');
    s.replace(QStringLiteral("ä"), "ae").replace(QStringLiteral("ö"), "oe").replace(QStringLiteral("ü"), "ue");
    s.replace(QStringLiteral("ß"), "ss");
    QString out;
    for (QChar c : s) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')
            out += c;
        else if (!out.endsWith('-'))
            out += '-';
    }
    while (out.endsWith('-'))
        out.chop(1);
    while (out.startsWith('-'))
        out.remove(0, 1);
    return out;
}

void Screenshots::save(QWidget* widget, const QString& name)
{
    const QPixmap picture = widget->grab();
    const QString file = QDir(dir_).filePath(QString("%1-%2.png").arg(++count_, 2, 10, QChar('0')).arg(name));
    if (picture.isNull() || !picture.save(file)) {
        log_ << "FEHLER: " << file << " nicht geschrieben\n";
        ++failures_;
    } else {
        log_ << "BILD: " << file << "\n";
    }
    log_.flush();
}

void Screenshots::saveMenu(QMenu* menu, const QString& name)
{    window_.menuBar()->setActiveAction(menu->menuAction());
    settle();
    QPixmap picture = window_.grab();
    if (menu->isVisible()) {
        QPainter p(&picture);
        p.drawPixmap(window_.mapFromGlobal(menu->mapToGlobal(QPoint(0, 0))), menu->grab());
    }
    menu->hide();
    window_.menuBar()->setActiveAction(nullptr);
    settle();
    const QString file = QDir(dir_).filePath(QString("%1-%2.png").arg(++count_, 2, 10, QChar('0')).arg(name));
    if (!picture.save(file)) {
        log_ << "FEHLER: " << file << " nicht geschrieben\n";
        ++failures_;
    } else {
        log_ << "BILD: " << file << "\n";
    }
}

void Screenshots::watchModal()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
        modal_ = nullptr;
        return;
    }
    if (modal != modal_) {
        modal_ = modal;
        modalTicks_ = 0;
        return;
    }
    // A moment to lay out and paint, then the picture, then Cancel.
    if (++modalTicks_ < 2)
        return;
    save(modal, base_ + "--" + slug(modal->windowTitle().isEmpty() ? modal->objectName() : modal->windowTitle()));
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
    modal_ = nullptr;
}

void Screenshots::tourDialog(QWidget* dialog, const QString& base)
{
    for (QWidget* c : containers(dialog)) {
        auto* tabs = qobject_cast<QTabWidget*>(c);
        auto* stack = qobject_cast<QStackedWidget*>(c);
        const int n = tabs ? tabs->count() : stack->count();
        for (int i = 0; i < n; ++i) {
            if (tabs && (!tabs->isTabVisible(i) || !tabs->isTabEnabled(i)))
                continue;
            const QString page = tabs ? tabs->tabText(i) : stack->widget(i)->objectName();
            base_ = base + "-" + slug(c->objectName()) + "-" + slug(page);
            reveal(c, dialog);
            if (tabs)
                tabs->setCurrentIndex(i);
            else
                stack->setCurrentIndex(i);
            settle();
            if (dialog->isVisible())
                save(dialog, base_);
        }
    }
}

void Screenshots::printPreview(QWidget* dialog, const QString& base)
{
    // The results list of all competitions: the print the organiser makes
    // most during a championship.
    QWidget* ok = dialog->findChild<QWidget*>("bt_ErgOK");
    if (!ok)
        return;
    reveal(ok, dialog);
    settle();
    const QSet<QWidget*> before = visibleWindows();
    base_ = base + "-drucken";
    QString error;
    if (!Vcl::TFormDriver::SetControl(dialog, "cb_Gesamt", "true", &error)
        || !Vcl::TFormDriver::Click(dialog, "bt_ErgOK", &error)) {
        log_ << "FEHLER: " << error << "\n";
        ++failures_;
        return;
    }
    settle(300);
    for (QWidget* w : visibleWindows() - before) {
        auto* preview = qobject_cast<PreviewWindow*>(w);
        if (!preview)
            continue;
        save(preview, "vorschau-seitenbreite");
        preview->setFit(PreviewWindow::Fit::Page);
        settle();
        save(preview, "vorschau-ganze-seite");
        base_ = "vorschau";
        QTimer::singleShot(0, preview, &PreviewWindow::print);
        settle(150);
        preview->close();
        settle();
    }
}

void Screenshots::fontDialog(QWidget* dialog, const QString& base)
{
    auto* button = dialog->findChild<QAbstractButton*>("lb_FontErgebnisse");
    if (!button)
        return;
    reveal(button, dialog);
    settle();
    base_ = base + "-schriftart";
    QTimer::singleShot(0, button, &QAbstractButton::click);
    settle(150);
}

int Screenshots::run()
{
    QDir().mkpath(dir_);
    watch_ = new QTimer(&window_);
    QObject::connect(watch_, &QTimer::timeout, &window_, [this] { watchModal(); });
    watch_->start(100);

    window_.show();
    settle(200);
    save(&window_, "hauptfenster");
    saveMenu(window_.fileMenu(), "menue-datei");
    saveMenu(window_.printMenu(), "menue-drucken");

    // The open prompt of "Datei → Meisterschaft öffnen…".
    base_ = "meisterschaft-oeffnen";
    QTimer::singleShot(0, &window_, [this] { window_.askForChampionship(); });
    settle(150); // runs the prompt's modal loop, in which the watch photographs and cancels it

    auto& jobs = Qvmain::f_Menue()->PrintJobs();
    for (int i = 0; i < jobs.Count(); ++i) {
        const QString base = slug(jobs.Item(i).Caption);
        const QSet<QWidget*> before = visibleWindows();
        base_ = base;
        jobs.Click(i);
        settle(300);
        for (QWidget* dialog : visibleWindows() - before) {
            QPointer<QWidget> guard(dialog);
            save(dialog, base);
            tourDialog(dialog, base);
            if (guard)
                fontDialog(dialog, base);
            if (guard)
                printPreview(dialog, base);
            if (guard)
                dialog->close();
            settle();
        }
    }
    watch_->stop();
    return failures_;
}
