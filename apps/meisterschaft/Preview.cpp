#include "Preview.h"
#include "PreviewWindow.h"

#include "platform/host/Sectionlist.h"
#include "platform/report/Rpfiler.h"
#include "platform/report/Rprender.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

QHash<int, QPointer<PreviewWindow>>& openPreviews()
{
    static QHash<int, QPointer<PreviewWindow>> windows;
    return windows;
}

constexpr double zoomSteps[] = {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};
constexpr double minZoom = 0.1, maxZoom = 4.0;
// Item data of the zoom box's fit entries.
constexpr int fitWidthItem = -1, fitPageItem = -2;
// Grey border around the sheet, in pixels.
constexpr int sheetMargin = 12;

QString percent(double zoom) { return QString::number(qRound(zoom * 100)) + " %"; }

// A theme icon where the desktop has one, else the one Qt's own print
// preview shows (resources of Qt's print support library).
QIcon icon(const QString& theme, const QString& qtIcon, QStyle::StandardPixmap standard = QStyle::SP_CustomBase)
{
    QIcon fallback;
    const QString base = ":/qt-project.org/dialogs/qprintpreviewdialog/images/" + qtIcon;
    if (!qtIcon.isEmpty() && QFile::exists(base + "-24.png")) {
        fallback.addFile(base + "-24.png", QSize(24, 24));
        fallback.addFile(base + "-32.png", QSize(32, 32));
    } else if (standard != QStyle::SP_CustomBase) {
        fallback = QApplication::style()->standardIcon(standard);
    }
    return QIcon::fromTheme(theme, fallback);
}

} // namespace

// The sheet of the current page, painted from the stream at the window's zoom.
class PreviewPage : public QWidget {
public:
    explicit PreviewPage(PreviewWindow* owner) : QWidget(owner), owner_(owner) {}

    double pixelsPerCm(double zoom) const { return zoom * logicalDpiX() / 2.54; }

    QSize sizeHint() const override
    {
        if (owner_->pageCount() == 0)
            return QSize(400, 300);
        const auto& p = owner_->document().Pages[owner_->pageIndex()];
        const double ppc = pixelsPerCm(owner_->zoom());
        return QSize(int(std::ceil(p.Width * ppc)) + 2 * sheetMargin, int(std::ceil(p.Height * ppc)) + 2 * sheetMargin);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().dark());
        if (owner_->pageCount() == 0)
            return;
        const auto& p = owner_->document().Pages[owner_->pageIndex()];
        const double ppc = pixelsPerCm(owner_->zoom());
        const QRectF sheet(sheetMargin, sheetMargin, p.Width * ppc, p.Height * ppc);
        painter.fillRect(sheet.translated(3, 3), QColor(0, 0, 0, 90));
        painter.fillRect(sheet, Qt::white);
        Report::PaintPage(painter, owner_->document(), owner_->pageIndex(), ppc, sheet.topLeft());
    }

private:
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
    bar->setObjectName("tb_Vorschau");
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);

    auto withText = [bar](QAction* a) {
        if (auto* b = qobject_cast<QToolButton*>(bar->widgetForAction(a)))
            b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    };
    QAction* printAction =
        addTool("bt_Drucken", "Drucken…", "document-print", "printer", QKeySequence::Print);
    connect(printAction, &QAction::triggered, this, &PreviewWindow::print);
    bar->addAction(printAction);
    withText(printAction);
    QAction* pdf = addTool("bt_PDF", "Als PDF speichern…", "document-save-as", "", QKeySequence::Save);
    if (pdf->icon().isNull())
        pdf->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    connect(pdf, &QAction::triggered, this, &PreviewWindow::savePdf);
    bar->addAction(pdf);
    withText(pdf);
    bar->addSeparator();

    QAction* first = addTool("bt_Erste", "Erste Seite", "go-first", "go-first", Qt::Key_Home);
    connect(first, &QAction::triggered, this, [this] { showPage(0); });
    QAction* previous = addTool("bt_Zurueck", "Vorherige Seite", "go-previous", "go-previous", Qt::Key_PageUp);
    connect(previous, &QAction::triggered, this, &PreviewWindow::previousPage);
    QAction* next = addTool("bt_Weiter", "Nächste Seite", "go-next", "go-next", Qt::Key_PageDown);
    connect(next, &QAction::triggered, this, &PreviewWindow::nextPage);
    QAction* last = addTool("bt_Letzte", "Letzte Seite", "go-last", "go-last", Qt::Key_End);
    connect(last, &QAction::triggered, this, [this] { showPage(pageCount() - 1); });
    pageBox_ = new QSpinBox;
    pageBox_->setObjectName("sb_Seite");
    pageBox_->setPrefix("Seite ");
    pageBox_->setAlignment(Qt::AlignCenter);
    pageBox_->setKeyboardTracking(false);
    pageBox_->setButtonSymbols(QAbstractSpinBox::NoButtons);
    pageBox_->setToolTip("Seite anzeigen");
    connect(pageBox_, &QSpinBox::valueChanged, this, [this](int v) {
        if (pageCount() > 0)
            showPage(v - 1);
    });
    bar->addAction(first);
    bar->addAction(previous);
    bar->addWidget(pageBox_);
    bar->addAction(next);
    bar->addAction(last);
    bar->addSeparator();

    QAction* smaller = addTool("bt_Verkleinern", "Verkleinern", "zoom-out", "zoom-out", QKeySequence::ZoomOut);
    connect(smaller, &QAction::triggered, this, &PreviewWindow::zoomOut);
    QAction* larger = addTool("bt_Vergroessern", "Vergrößern", "zoom-in", "zoom-in", QKeySequence::ZoomIn);
    connect(larger, &QAction::triggered, this, &PreviewWindow::zoomIn);
    zoomBox_ = new QComboBox;
    zoomBox_->setObjectName("cb_Zoom");
    zoomBox_->setEditable(true);
    zoomBox_->setInsertPolicy(QComboBox::NoInsert);
    zoomBox_->setToolTip("Zoom");
    zoomBox_->addItem("Seitenbreite", fitWidthItem);
    zoomBox_->addItem("Ganze Seite", fitPageItem);
    for (double z : zoomSteps)
        zoomBox_->addItem(percent(z), z);
    zoomBox_->setMinimumContentsLength(12);
    connect(zoomBox_, &QComboBox::activated, this, &PreviewWindow::zoomChosen);
    // Return in the box is taken here: a percentage typed need not be an
    // entry of the list.
    zoomBox_->lineEdit()->installEventFilter(this);
    fitWidth_ = addTool("bt_Seitenbreite", "Seitenbreite", "zoom-fit-width", "zoom-fit-width", QKeySequence());
    fitWidth_->setCheckable(true);
    connect(fitWidth_, &QAction::triggered, this, [this](bool on) { on ? setFit(Fit::Width) : setZoom(zoom_); });
    fitPage_ = addTool("bt_GanzeSeite", "Ganze Seite", "zoom-fit-best", "zoom-fit-page", QKeySequence());
    fitPage_->setCheckable(true);
    connect(fitPage_, &QAction::triggered, this, [this](bool on) { on ? setFit(Fit::Page) : setZoom(zoom_); });
    bar->addAction(smaller);
    bar->addWidget(zoomBox_);
    bar->addAction(larger);
    bar->addAction(fitWidth_);
    bar->addAction(fitPage_);
    bar->addSeparator();

    QAction* close = addTool("bt_Schliessen", "Schließen", "window-close", "", QKeySequence());
    close->setIcon(QIcon::fromTheme("window-close", style()->standardIcon(QStyle::SP_DialogCloseButton)));
    close->setToolTip("Schließen (Esc)");
    connect(close, &QAction::triggered, this, &QWidget::close);
    bar->addAction(close);
    withText(close);

    view_ = new PreviewPage(this);
    scroll_ = new QScrollArea;
    scroll_->setObjectName("sc_Seite");
    scroll_->setWidget(view_);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->installEventFilter(this);
    scroll_->viewport()->installEventFilter(this);
    setCentralWidget(scroll_);

    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(defaultSize(available));
    move(available.center() - rect().center());

    if (request.interval > 0) {
        fit_ = Fit::Page;
        cycle_ = new QTimer(this);
        connect(cycle_, &QTimer::timeout, this, &PreviewWindow::nextPageWrapping);
        cycle_->start(request.interval * 1000);
    }
    openPreviews().insert(request.id, this);
    applyFit();
    updateControls();
    // The keys page and scroll the sheet, not the page box.
    scroll_->setFocus();
}

PreviewWindow::~PreviewWindow()
{
    auto& windows = openPreviews();
    if (windows.value(request_.id) == this || windows.value(request_.id).isNull())
        windows.remove(request_.id);
    // The print's temporary stream goes with its window (the archive keeps
    // its copy).
    if (Report::IstTemporaererStrom(request_.file))
        QFile::remove(request_.file);
}

PreviewWindow* PreviewWindow::find(int id) { return openPreviews().value(id).data(); }

QAction* PreviewWindow::addTool(const QString& name, const QString& text, const QString& theme,
                                const QString& qtIcon, const QKeySequence& key)
{
    auto* a = new QAction(icon(theme, qtIcon), text, this);
    a->setObjectName(name);
    if (!key.isEmpty()) {
        a->setShortcut(key);
        a->setToolTip(text + " (" + key.toString(QKeySequence::NativeText) + ")");
    }
    return a;
}

QSize PreviewWindow::defaultSize(const QRect& available) const
{
    const bool landscape = pageCount() > 0 && doc_.Pages[0].Width > doc_.Pages[0].Height;
    const int height = available.height() * 9 / 10;
    const int width = landscape ? available.width() * 9 / 10 : std::min(available.width() * 9 / 10, 920);
    return QSize(width, height);
}

void PreviewWindow::showPage(int index)
{
    if (pageCount() == 0)
        return;
    page_ = std::clamp(index, 0, pageCount() - 1);
    applyFit(); // pages may differ in size
    updateControls();
    scroll_->verticalScrollBar()->setValue(0);
}

void PreviewWindow::nextPage() { showPage(page_ + 1); }
void PreviewWindow::previousPage() { showPage(page_ - 1); }

void PreviewWindow::nextPageWrapping() { showPage(page_ + 1 >= pageCount() ? 0 : page_ + 1); }

void PreviewWindow::setZoom(double zoom)
{
    fit_ = Fit::None;
    zoom_ = std::clamp(zoom, minZoom, maxZoom);
    updateControls();
}

void PreviewWindow::setFit(Fit fit)
{
    fit_ = fit;
    applyFit();
    updateControls();
}

void PreviewWindow::zoomIn()
{
    for (double z : zoomSteps)
        if (z > zoom_ + 0.001) {
            setZoom(z);
            return;
        }
    setZoom(maxZoom);
}

void PreviewWindow::zoomOut()
{
    for (auto it = std::rbegin(zoomSteps); it != std::rend(zoomSteps); ++it)
        if (*it < zoom_ - 0.001) {
            setZoom(*it);
            return;
        }
    setZoom(minZoom);
}

void PreviewWindow::applyFit()
{
    if (fit_ == Fit::None || pageCount() == 0)
        return;
    const auto& p = doc_.Pages[page_];
    const double ppcAt1 = view_->pixelsPerCm(1.0);
    // The room of the view without its scroll bars, less the sheet's border.
    const QSize room = scroll_->maximumViewportSize() - QSize(2 * sheetMargin + 4, 2 * sheetMargin + 4);
    const double byWidth = room.width() / (p.Width * ppcAt1);
    const double byHeight = room.height() / (p.Height * ppcAt1);
    double z = byWidth;
    if (fit_ == Fit::Page) {
        z = std::min(byWidth, byHeight);
    } else if (p.Height * ppcAt1 * byWidth > room.height()) {
        // Scrolling down the page takes a vertical scroll bar off the width.
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_->verticalScrollBar());
        z = (room.width() - bar) / (p.Width * ppcAt1);
    }
    zoom_ = std::clamp(z, minZoom, maxZoom);
}

void PreviewWindow::updateControls()
{
    {
        const QSignalBlocker block(pageBox_);
        if (pageCount() == 0) {
            pageBox_->setRange(0, 0);
            pageBox_->setSpecialValueText("keine Seiten");
            pageBox_->setEnabled(false);
        } else {
            pageBox_->setRange(1, pageCount());
            pageBox_->setSuffix(QString(" von %1").arg(pageCount()));
            pageBox_->setValue(page_ + 1);
        }
    }
    zoomBox_->setEditText(percent(zoom_));
    fitWidth_->setChecked(fit_ == Fit::Width);
    fitPage_->setChecked(fit_ == Fit::Page);
    for (const char* name : {"bt_Erste", "bt_Zurueck"})
        findChild<QAction*>(name)->setEnabled(page_ > 0);
    for (const char* name : {"bt_Weiter", "bt_Letzte"})
        findChild<QAction*>(name)->setEnabled(page_ + 1 < pageCount());
    for (const char* name : {"bt_Drucken", "bt_PDF"})
        findChild<QAction*>(name)->setEnabled(pageCount() > 0);
    view_->resize(view_->sizeHint());
    view_->update();
}

void PreviewWindow::zoomTyped()
{
    static const QRegularExpression number("^\\s*(\\d{1,3})\\s*%?\\s*$");
    const QString text = zoomBox_->currentText();
    const auto m = number.match(text);
    if (m.hasMatch()) {
        setZoom(m.captured(1).toInt() / 100.0);
        return;
    }
    const int item = zoomBox_->findText(text.trimmed(), Qt::MatchFixedString);
    if (item >= 0)
        zoomChosen(item);
    else
        updateControls(); // back to the zoom in force
}

void PreviewWindow::zoomChosen(int item)
{
    const double z = zoomBox_->itemData(item).toDouble();
    if (z == fitWidthItem)
        setFit(Fit::Width);
    else if (z == fitPageItem)
        setFit(Fit::Page);
    else
        setZoom(z);
}

bool PreviewWindow::wheel(QWheelEvent* event)
{
    const int dy = event->angleDelta().y();
    if (event->modifiers() & Qt::ControlModifier) {
        if (dy > 0)
            zoomIn();
        else if (dy < 0)
            zoomOut();
        return true;
    }
    // Past the end of a page the wheel turns to the next one, a full notch
    // at a time.
    QScrollBar* v = scroll_->verticalScrollBar();
    const bool atEnd = dy < 0 ? v->value() >= v->maximum() : v->value() <= v->minimum();
    if (dy == 0 || !atEnd) {
        wheelRest_ = 0;
        return false;
    }
    wheelRest_ += dy;
    if (wheelRest_ <= -120 && page_ + 1 < pageCount()) {
        wheelRest_ = 0;
        nextPage();
    } else if (wheelRest_ >= 120 && page_ > 0) {
        wheelRest_ = 0;
        previousPage();
        v->setValue(v->maximum());
    }
    return true;
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == scroll_ && event->type() == QEvent::Resize && fit_ != Fit::None) {
        applyFit();
        updateControls();
    } else if (watched == scroll_->viewport() && event->type() == QEvent::Wheel) {
        return wheel(static_cast<QWheelEvent*>(event));
    } else if (watched == zoomBox_->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            zoomTyped();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
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
    dialog.setObjectName("pd_Drucken");
    dialog.setWindowTitle("Drucken");
    dialog.setMinMax(1, pageCount());
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage);
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
    if (pageCount() == 0)
        return;
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
    case Qt::Key_Plus:
        zoomIn();
        return;
    case Qt::Key_Minus:
        zoomOut();
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
