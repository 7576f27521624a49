#pragma once
// The print preview window of the host application: shows the pages of a
// report stream, pages forward and back, zooms, prints through the print
// dialog and saves the document as PDF. When a print has gone to the printer
// the host distributes "DRUCK FERTIG,<id>".

#include "platform/host/HostUi.h"
#include "platform/report/Rpstream.h"

#include <QMainWindow>

class QComboBox;
class QLabel;
class QPrinter;
class QScrollArea;
class QTimer;

class PreviewPage;

class PreviewWindow : public QMainWindow {
    Q_OBJECT
public:
    // Reads the stream of the request; isValid() tells whether it could.
    PreviewWindow(const Host::PrintRequest& request, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    bool isValid() const { return valid_; }
    QString errorString() const { return error_; }
    int id() const { return request_.id; }
    int pageCount() const { return int(doc_.Pages.size()); }
    int pageIndex() const { return page_; } // 0-based
    double zoom() const { return zoom_; }
    const Report::TReportDocument& document() const { return doc_; }

    void showPage(int index);
    void nextPage();
    void previousPage();
    // Next page, after the last page back to the first (continuous display).
    void nextPageWrapping();
    void setZoom(double zoom);
    // Prints pages from..to (1-based, 0 = all) on a set-up printer and
    // reports the print as done.
    bool printTo(QPrinter& printer, int from = 0, int to = 0);
    bool saveAsPdf(const QString& file);

    // The open preview of a print job, nullptr when none.
    static PreviewWindow* find(int id);

public Q_SLOTS:
    void print();
    void savePdf();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updateControls();

    Host::PrintRequest request_;
    Report::TReportDocument doc_;
    bool valid_ = false;
    QString error_;
    int page_ = 0;
    double zoom_ = 1.0;
    PreviewPage* view_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QComboBox* zoomBox_ = nullptr;
    QTimer* cycle_ = nullptr;
};
