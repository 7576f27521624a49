#include "Preview.h"
#include "PreviewWindow.h"

#include "platform/host/Sectionlist.h"
#include "platform/report/Rprender.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTimer>
#include <QToolBar>
#include <algorithm>

namespace {

QHash<int, QPointer<PreviewWindow>>& openPreviews()
{
    static QHash<int, QPointer<PreviewWindow>> windows;
    return windows;
}

constexpr double zoomSteps[] = {0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0};

} // namespace

// The sheet of the current page, painted from the stream at the window's zoom.
class PreviewPage : public QWidget {
public:
    explicit PreviewPage(PreviewWindow* owner) : QWidget(owner), owner_(owner) {}

    double pixelsPerCm() const { return owner_->zoom() * logicalDpiX() / 2.54; }

    QSize sizeHint() const override
    {
        if (owner_->pageCount() == 0)
            return QSize(400, 300);
        const auto& p = owner_->document().Pages[owner_->pageIndex()];
        return QSize(int(p.Width * pixelsPerCm()) + 2 * margin, int(p.Height * pixelsPerCm()) + 2 * margin);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().dark());
        if (owner_->pageCount() == 0)
            return;
        const auto& p = owner_->document().Pages[owner_->pageIndex()];
        const double ppc = pixelsPerCm();
        const QRectF sheet(margin, margin, p.Width * ppc, p.Height * ppc);
        painter.fillRect(sheet.translated(3, 3), QColor(0, 0, 0, 90));
        painter.fillRect(sheet, Qt::white);
        Report::PaintPage(painter, owner_->document(), owner_->pageIndex(), ppc, sheet.topLeft());
    }

private:
    static constexpr int margin = 12;
    PreviewWindow* owner_;
};

PreviewWindow::PreviewWindow(const Host::PrintRequest& request, QWidget* parent)
    : QMainWindow(parent, Qt::Window), request_(request)
{
    setObjectName("f_Druckvorschau");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(request.title.isEmpty() ? QStringLiteral("Druckvorschau")
                                           : QStringLiteral("Druckvorschau - ") + request.title);
    valid_ = Report::ReadStream(request.file, doc_, &error_);

    QToolBar* bar = addToolBar("Vorschau");
    bar->setMovable(false);
    bar->addAction("Drucken…", this, &PreviewWindow::print)->setObjectName("bt_Drucken");
    bar->addAction("Als PDF speichern…", this, &PreviewWindow::savePdf)->setObjectName("bt_PDF");
    bar->addSeparator();
    bar->addAction("|<", this, [this] { showPage(0); })->setObjectName("bt_Erste");
    bar->addAction("<", this, &PreviewWindow::previousPage)->setObjectName("bt_Zurueck");
    pageLabel_ = new QLabel;
    pageLabel_->setObjectName("lb_Seite");
    pageLabel_->setMinimumWidth(110);
    pageLabel_->setAlignment(Qt::AlignCenter);
    bar->addWidget(pageLabel_);
    bar->addAction(">", this, &PreviewWindow::nextPage)->setObjectName("bt_Weiter");
    bar->addAction(">|", this, [this] { showPage(pageCount() - 1); })->setObjectName("bt_Letzte");
    bar->addSeparator();
    zoomBox_ = new QComboBox;
    zoomBox_->setObjectName("cb_Zoom");
    for (double z : zoomSteps)
        zoomBox_->addItem(QString::number(int(z * 100)) + " %", z);
    zoomBox_->setCurrentIndex(2);
    connect(zoomBox_, &QComboBox::activated, this, [this](int i) { setZoom(zoomBox_->itemData(i).toDouble()); });
    bar->addWidget(zoomBox_);
    bar->addSeparator();
    bar->addAction("Schließen", this, &QWidget::close)->setObjectName("bt_Schliessen");

    view_ = new PreviewPage(this);
    scroll_ = new QScrollArea;
    scroll_->setWidget(view_);
    scroll_->setAlignment(Qt::AlignHCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    setCentralWidget(scroll_);
    resize(900, 1000);

    if (request.interval > 0) {
        cycle_ = new QTimer(this);
        connect(cycle_, &QTimer::timeout, this, &PreviewWindow::nextPageWrapping);
        cycle_->start(request.interval * 1000);
    }
    openPreviews().insert(request.id, this);
    updateControls();
}

PreviewWindow::~PreviewWindow()
{
    auto& windows = openPreviews();
    if (windows.value(request_.id) == this || windows.value(request_.id).isNull())
        windows.remove(request_.id);
}

PreviewWindow* PreviewWindow::find(int id) { return openPreviews().value(id).data(); }

void PreviewWindow::showPage(int index)
{
    if (pageCount() == 0)
        return;
    page_ = std::clamp(index, 0, pageCount() - 1);
    updateControls();
}

void PreviewWindow::nextPage() { showPage(page_ + 1); }
void PreviewWindow::previousPage() { showPage(page_ - 1); }

void PreviewWindow::nextPageWrapping() { showPage(page_ + 1 >= pageCount() ? 0 : page_ + 1); }

void PreviewWindow::setZoom(double zoom)
{
    zoom_ = std::clamp(zoom, 0.25, 4.0);
    for (int i = 0; i < zoomBox_->count(); ++i)
        if (qFuzzyCompare(zoomBox_->itemData(i).toDouble(), zoom_))
            zoomBox_->setCurrentIndex(i);
    updateControls();
}

void PreviewWindow::updateControls()
{
    pageLabel_->setText(pageCount() == 0 ? QStringLiteral("keine Seiten")
                                         : QStringLiteral("Seite %1 von %2").arg(page_ + 1).arg(pageCount()));
    view_->resize(view_->sizeHint());
    view_->update();
}

bool PreviewWindow::printTo(QPrinter& printer, int from, int to)
{
    if (!Report::PrintDocument(doc_, printer, from, to))
        return false;
    Sectionlist::DistributeMessage(QStringLiteral("DRUCK FERTIG,%1").arg(request_.id));
    return true;
}

void PreviewWindow::print()
{
    if (pageCount() == 0)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(request_.title);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle("Drucken");
    dialog.setMinMax(1, pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;
    int from = 0, to = 0;
    if (printer.printRange() == QPrinter::PageRange) {
        from = printer.fromPage();
        to = printer.toPage();
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        from = to = page_ + 1;
    }
    if (!printTo(printer, from, to))
        QMessageBox::warning(this, "Drucken", "Der Druck konnte nicht ausgeführt werden.");
}

bool PreviewWindow::saveAsPdf(const QString& file)
{
    QString error;
    if (Report::RenderPdf(doc_, file, &error))
        return true;
    error_ = error;
    return false;
}

void PreviewWindow::savePdf()
{
    QString proposal = request_.title.isEmpty() ? QStringLiteral("Druck") : request_.title;
    proposal.replace(QRegularExpression("[\\\\/:*?\"<>|]"), "_");
    const QString file = QFileDialog::getSaveFileName(this, "Als PDF speichern", proposal + ".pdf", "PDF-Dateien (*.pdf)");
    if (file.isEmpty())
        return;
    if (!saveAsPdf(file))
        QMessageBox::warning(this, "Als PDF speichern", "Die PDF-Datei konnte nicht geschrieben werden:\n" + error_);
}

void PreviewWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
        nextPage();
        return;
    case Qt::Key_PageUp:
        previousPage();
        return;
    case Qt::Key_Home:
        showPage(0);
        return;
    case Qt::Key_End:
        showPage(pageCount() - 1);
        return;
    case Qt::Key_Plus:
        setZoom(zoom_ * 1.25);
        return;
    case Qt::Key_Minus:
        setZoom(zoom_ / 1.25);
        return;
    case Qt::Key_Escape:
        close();
        return;
    default:
        QMainWindow::keyPressEvent(event);
    }
}

void OpenPreview(const Host::PrintRequest& request, QWidget* mainWindow)
{
    auto* window = new PreviewWindow(request, mainWindow);
    if (!window->isValid()) {
        QMessageBox::warning(mainWindow, "Druckvorschau",
                             "Die Druckdatei kann nicht angezeigt werden:\n" + window->errorString());
        window->close();
        return;
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void PreviewNextPage(int id)
{
    if (PreviewWindow* w = PreviewWindow::find(id))
        w->nextPageWrapping();
}
