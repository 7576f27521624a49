#pragma once
// Tables for the web: a titled HTML5 page in UTF-8 whose body is a few
// centred lines and captioned tables with header cells. Lists whose rows
// the job holds as data (the admission figures, the overall results) are
// written through it instead of being drawn: every value lands in a cell of
// its column, and a browser or a screen reader knows which head it belongs
// to.
//
// Texts are escaped; the page carries a stylesheet for the screen and one
// for print (A4, the header row repeated on every page, no row split across
// two pages); Save writes the file atomically. The markup is also
// well-formed XML, so it can be read back with any XML reader.
//
//   Report::THtmlDocument d("Zulassungszahlen");
//   d.AddLine("Bezirksmeisterschaft 2026");
//   Report::THtmlTable& t = d.AddTable("1.10 Luftgewehr", {"Klasse", "Name", "Einzel"});
//   t.RightAligned = {false, false, true};
//   t.Rows.append({"10", "Schützenklasse", "370"});
//   d.Save(file, &fehler);

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <deque>

namespace Report {

struct THtmlTable {
    QString Caption;
    QStringList Header;          // the column heads
    QVector<bool> RightAligned;  // per column; columns not named stay left
    bool RowHeader = false;      // the first cell of each row heads its row
    QVector<QStringList> Rows;   // short rows are filled with empty cells
};

class THtmlDocument {
public:
    explicit THtmlDocument(const QString& title);

    // A centred line under the title, before the tables that follow.
    void AddLine(const QString& text);
    // A new table at the end; the reference stays valid while the document lives.
    THtmlTable& AddTable(const QString& caption, const QStringList& header);

    QByteArray ToHtml() const;
    // Writes the page to file through a temporary file that replaces it
    // only when complete; false with a German message in error.
    bool Save(const QString& file, QString* error = nullptr) const;

private:
    struct Block {
        bool IsTable = false;
        QString Line;
        THtmlTable Table;
    };
    QString title_;
    std::deque<Block> blocks_;
};

} // namespace Report
