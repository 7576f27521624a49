#pragma once
// Pictures of the host application for the documentation and for looking
// the windows over (`meisterschaft --screenshots DIR`): the main window, its
// menus, every dialog the print menu opens with each of its tabs and stacked
// pages, the preview of a print, and Qt's own dialogs as the user meets them
// (open prompt, font dialog, print dialog). A window that comes up modally
// on the way (a message, a prompt) is photographed and closed with Cancel,
// so the tour never waits for a person.

#include <QPointer>
#include <QString>

class MainWindow;
class QMenu;
class QTextStream;
class QTimer;
class QWidget;

class Screenshots {
public:
    Screenshots(MainWindow& window, const QString& dir, QTextStream& log);
    ~Screenshots();

    // Takes every picture into dir; returns the number of failures. Runs
    // inside the application's event loop (windows must show and lay out).
    int run();

    // "Listen zur Durchführung" → "listen-zur-durchfuehrung".
    static QString slug(const QString& text);

    // The off-screen screen the pictures are taken on: a laptop's 1366 x 768.
    static QByteArray screenConfig();

private:
    void save(QWidget* widget, const QString& name);
    // The main window with menu open, as one picture.
    void saveMenu(QMenu* menu, const QString& name);
    void tourDialog(QWidget* dialog, const QString& base);
    void printPreview(QWidget* dialog, const QString& base);
    void fontDialog(QWidget* dialog, const QString& base);
    void watchModal();

    MainWindow& window_;
    QString dir_;
    QTextStream& log_;
    int count_ = 0;
    int failures_ = 0;
    QString base_;                // the name of the step under way, for modal windows
    QTimer* watch_ = nullptr;
    QPointer<QWidget> modal_;
    int modalTicks_ = 0;
};
