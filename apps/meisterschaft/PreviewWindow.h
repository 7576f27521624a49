#pragma once
// The print preview window of the host application: shows the pages of a
// report stream one at a time, pages forward and back (also with PageUp,
// PageDown, Home, End and the mouse wheel past a page's end), zooms to a
// percentage, to the page width or to the whole page, prints through the
// print dialog (Ctrl+P) and saves the document as PDF. When a print has gone
// to the printer the host distributes "DRUCK FERTIG,<id>".

#include "platform/host/HostUi.h"
#include "platform/report/Rpstream.h"

#include <QMainWindow>

class QAction;
class QComboBox;
class QPrinter;
class QScrollArea;
class QSpinBox;
class QTimer;

class PreviewPage;

class PreviewWindow : public QMainWindow {
    Q_OBJECT
public:
    // How the zoom follows the window: a fixed zoom, the page's width, or
    // the whole page.
    enum class Fit { None, Width, Page };

    // Reads the stream of the request; isValid() tells whether it could. A
    // normal preview opens fitted to the page width, a continuous display
    // (request.interval > 0) to the whole page.
    PreviewWindow(const Host::PrintRequest& request, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    bool isValid() const { return valid_; }
    QString errorString() const { return error_; }
    int id() const { return request_.id; }
    int pageCount() const { return int(doc_.Pages.size()); }
    int pageIndex() const { return page_; } // 0-based
    // The zoom in force: 1.0 shows the sheet at its real size.
    double zoom() const { return zoom_; }
    Fit fit() const { return fit_; }
    const Report::TReportDocument& document() const { return doc_; }

    void showPage(int index);
    void nextPage();
    void previousPage();
    // Next page, after the last page back to the first (continuous display).
    void nextPageWrapping();
    // A fixed zoom (10 % to 400 %); ends fitting.
    void setZoom(double zoom);
    void setFit(Fit fit);
    // The next larger or smaller zoom step.
    void zoomIn();
    void zoomOut();
    // Prints pages from..to (1-based, 0 = all) on a set-up printer and
    // reports the print as done.
    bool printTo(QPrinter& printer, int from = 0, int to = 0);
    bool saveAsPdf(const QString& file);

    // The size the window opens with on a screen of this available area:
    // most of its height, a portrait page as wide as reads well, a
    // landscape page most of the width.
    QSize defaultSize(const QRect& available) const;

    // The open preview of a print job, nullptr when none.
    static PreviewWindow* find(int id);

public Q_SLOTS:
    void print();
    void savePdf();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* addTool(const QString& name, const QString& text, const QString& theme, const QString& qtIcon,
                     const QKeySequence& key);
    void applyFit();
    void updateControls();
    void zoomTyped();
    void zoomChosen(int item);
    bool wheel(QWheelEvent* event);

    Host::PrintRequest request_;
    Report::TReportDocument doc_;
    bool valid_ = false;
    QString error_;
    int page_ = 0;
    double zoom_ = 1.0;
    Fit fit_ = Fit::Width;
    int wheelRest_ = 0;
    PreviewPage* view_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QSpinBox* pageBox_ = nullptr;
    QComboBox* zoomBox_ = nullptr;
    QAction* fitWidth_ = nullptr;
    QAction* fitPage_ = nullptr;
    QTimer* cycle_ = nullptr;
};
