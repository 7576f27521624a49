// The preview as people use it: fitted to the page width or the whole page
// and following the window, a zoom box that shows every zoom, the page box
// "Seite n von m", the paging keys and Ctrl+P, a size that fits the screen.

#include "Preview.h"
#include "PreviewWindow.h"

#include "platform/report/Report.h"

#include <QAbstractPrintDialog>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QString stream(const QString& file, int pages, Report::TOrientation orientation = Report::poPortrait)
{
    Report::TRvNDRWriter w;
    w.SetFileName(file);
    w.SetOrientation(orientation);
    w.OnPrint = [pages](Report::TBaseReport& r) {
        for (int p = 1; p <= pages; ++p) {
            if (p > 1)
                r.NewPage();
            r.Println(QString("Inhalt Seite %1").arg(p));
        }
    };
    EXPECT_TRUE(w.Execute());
    return w.FileName();
}

class Preview : public ::testing::Test {
protected:
    PreviewWindow* open(int pages, int interval = 0, Report::TOrientation o = Report::poPortrait)
    {
        Host::PrintRequest r;
        r.id = ++id;
        r.file = stream(dir.filePath(QString("%1.ndr").arg(id)), pages, o);
        r.title = "Ergebnisliste";
        r.interval = interval;
        OpenPreview(r, nullptr);
        PreviewWindow* w = PreviewWindow::find(id);
        EXPECT_NE(w, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
        return w;
    }
    void TearDown() override
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static QWidget* sheet(PreviewWindow* w) { return w->findChild<QScrollArea*>("sc_Seite")->widget(); }
    static QWidget* viewport(PreviewWindow* w) { return w->findChild<QScrollArea*>("sc_Seite")->viewport(); }
    static QString pageBox(PreviewWindow* w) { return w->findChild<QSpinBox*>("sb_Seite")->text(); }
    static QString zoomBox(PreviewWindow* w) { return w->findChild<QComboBox*>("cb_Zoom")->currentText(); }

    QTemporaryDir dir;
    int id = 100;
};

} // namespace

TEST_F(Preview, FitsThePageWidthOrTheWholePageAndFollowsTheWindow)
{
    PreviewWindow* w = open(3);
    w->resize(700, 600);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->fit(), PreviewWindow::Fit::Width) << "a print opens fitted to the width";
    // The sheet spans the view's width, no horizontal scrolling.
    EXPECT_LE(sheet(w)->width(), viewport(w)->width());
    EXPECT_GE(sheet(w)->width(), viewport(w)->width() - 40);
    const double narrow = w->zoom();

    w->resize(1000, 600);
    QCoreApplication::processEvents();
    EXPECT_GT(w->zoom(), narrow * 1.3);
    EXPECT_GE(sheet(w)->width(), viewport(w)->width() - 40);
    EXPECT_EQ(zoomBox(w), QString::number(qRound(w->zoom() * 100)) + " %") << "the box shows the zoom in force";

    w->setFit(PreviewWindow::Fit::Page);
    QCoreApplication::processEvents();
    EXPECT_LE(sheet(w)->height(), viewport(w)->height());
    EXPECT_LE(sheet(w)->width(), viewport(w)->width());
    EXPECT_GE(sheet(w)->height(), viewport(w)->height() - 40) << "portrait A4 fills the height";
    EXPECT_TRUE(w->findChild<QAction*>("bt_GanzeSeite")->isChecked());
    EXPECT_FALSE(w->findChild<QAction*>("bt_Seitenbreite")->isChecked());

    // A zoom chosen stays when the window changes.
    w->setZoom(1.5);
    w->resize(800, 500);
    QCoreApplication::processEvents();
    EXPECT_DOUBLE_EQ(w->zoom(), 1.5);
    EXPECT_EQ(w->fit(), PreviewWindow::Fit::None);
    EXPECT_EQ(zoomBox(w), "150 %");
    w->zoomIn();
    EXPECT_EQ(zoomBox(w), "200 %");
    w->zoomOut();
    w->zoomOut();
    EXPECT_EQ(zoomBox(w), "125 %");

    // Any zoom typed is shown as typed, not as the nearest entry.
    auto* box = w->findChild<QComboBox*>("cb_Zoom");
    box->lineEdit()->setText("85");
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(w->zoom(), 0.85);
    EXPECT_EQ(zoomBox(w), "85 %");
    box->lineEdit()->setText("Seitenbreite");
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(w->fit(), PreviewWindow::Fit::Width);
}

TEST_F(Preview, PagesWithTheKeysAndThePageBox)
{
    PreviewWindow* w = open(3);
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    EXPECT_EQ(pageBox(w), "Seite 1 von 3");

    QTest::keyClick(w, Qt::Key_PageDown);
    EXPECT_EQ(w->pageIndex(), 1);
    EXPECT_EQ(pageBox(w), "Seite 2 von 3");
    QTest::keyClick(w, Qt::Key_End);
    EXPECT_EQ(w->pageIndex(), 2);
    QTest::keyClick(w, Qt::Key_PageDown); // stays on the last page
    EXPECT_EQ(w->pageIndex(), 2);
    EXPECT_FALSE(w->findChild<QAction*>("bt_Weiter")->isEnabled());
    QTest::keyClick(w, Qt::Key_PageUp);
    EXPECT_EQ(w->pageIndex(), 1);
    QTest::keyClick(w, Qt::Key_Home);
    EXPECT_EQ(w->pageIndex(), 0);
    EXPECT_FALSE(w->findChild<QAction*>("bt_Zurueck")->isEnabled());

    auto* box = w->findChild<QSpinBox*>("sb_Seite");
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, "3");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(w->pageIndex(), 2);

    // Ctrl+P opens the print dialog for the pages of the document.
    QString title;
    int maxPage = 0;
    QTimer::singleShot(0, [&] {
        if (auto* d = qobject_cast<QAbstractPrintDialog*>(QApplication::activeModalWidget())) {
            title = d->windowTitle();
            maxPage = d->maxPage();
            d->reject();
        }
    });
    QTest::keyClick(w, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(title.toStdString(), "Drucken");
    EXPECT_EQ(maxPage, 3);
}

TEST_F(Preview, OpensWithinTheScreenAndShowsAContinuousDisplayWhole)
{
    PreviewWindow* w = open(2, 5);
    const QRect screen = w->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(w->frameGeometry())) << "opens within the screen";
    EXPECT_GT(w->height(), screen.height() * 3 / 4) << "and uses most of its height";
    EXPECT_EQ(w->fit(), PreviewWindow::Fit::Page);
    EXPECT_LE(sheet(w)->height(), viewport(w)->height());
    PreviewNextPage(w->id());
    PreviewNextPage(w->id());
    EXPECT_EQ(w->pageIndex(), 0) << "wraps to page 1";

    // On a laptop a landscape list gets most of the screen's width, a
    // portrait one a width that reads well.
    PreviewWindow* wide = open(1, 0, Report::poLandscape);
    EXPECT_TRUE(screen.contains(wide->frameGeometry()));
    const QRect laptop(0, 0, 1366, 740);
    const QSize portrait = w->defaultSize(laptop), landscape = wide->defaultSize(laptop);
    EXPECT_TRUE(laptop.contains(QRect(QPoint(0, 0), portrait)));
    EXPECT_TRUE(laptop.contains(QRect(QPoint(0, 0), landscape)));
    EXPECT_GT(landscape.width(), 1100);
    EXPECT_LT(portrait.width(), landscape.width());
}
