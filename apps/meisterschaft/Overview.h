#pragma once
// The main window's own page: what is open and what can be printed.
//
// With a championship open it shows its name, organiser, federation,
// competition days, the number of competitions and starts and the database,
// and a button for each entry of the print menu. Without one it offers
// "Meisterschaft öffnen…" and the championships opened last.

#include <QStringList>
#include <QWidget>
#include <functional>

class Overview : public QWidget {
    Q_OBJECT
public:
    explicit Overview(QWidget* parent = nullptr);

    // What the buttons without a championship do.
    std::function<void()> onOpen;
    std::function<void(int)> onPrintJob; // a print entry by its position
    std::function<void(const QString& entry)> onOpenRecent;

    // Shows the state of now: the host's database and print menu, and the
    // championships opened last.
    void refresh(const QStringList& recent);

private:
    QWidget* content_ = nullptr;
};
