// What the certificates and the record list of the demo championship need
// beyond the generated results: a team that equalled its record this year
// (every equalled record at the result of the one before it), the
// signatures printed on the certificates, and the record list's text.

#include "apps/reports1/demo/Demo.h"

#include <QDir>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>

namespace Demo {

namespace detail {

void RekordEgalisiert(Ado::TADOConnection& c, const Options& o)
{
    // The first team group whose record is older than this year: its best
    // complete team equalled it.
    const QString jahr = QString::number(o.sportjahr), ident = QString::number(o.ident);
    Ado::TADOQuery g;
    g.SetConnection(&c);
    g.SetSQL("SELECT R.Disziplin, R.Klasse, R.DisziplinName, R.KlasseName FROM EREKORDM R WHERE R.Ident = " + ident
             + " AND NOT EXISTS (SELECT 1 FROM EREKORDM N WHERE N.Ident = R.Ident AND N.Disziplin = R.Disziplin"
               " AND N.Klasse = R.Klasse AND N.Jahr = " + jahr + ") ORDER BY R.Disziplin, R.Klasse");
    g.Open();
    for (g.First(); !g.Eof(); g.Next()) {
        Ado::TADOQuery t;
        t.SetConnection(&c);
        t.SetSQL("SELECT M.VereinNr, M.MannschNr, M.Ergebnis, V.Name, V.Abkuerzung FROM EMANNSCH M, EVEREIN V"
                 " WHERE M.VereinNr = V.VereinNr AND M.Ident = " + ident + " AND M.Disziplin = "
                 + Ado::QuotedStr(g.FieldByName("Disziplin")->AsString()) + " AND M.MKlasse = "
                 + Ado::QuotedStr(g.FieldByName("Klasse")->AsString())
                 + " AND M.AnzMannsch = M.AnzMannschIst AND M.Qual = 'N' AND M.Ergebnis > 0"
                   " ORDER BY M.Ergebnis DESC");
        t.Open();
        if (t.IsEmpty())
            continue;
        t.First();
        c.Execute("INSERT INTO EREKORDM (Ident, Disziplin, Klasse, DisziplinName, KlasseName, MannschNr, VereinNr,"
                  " Name, Abkuerzung, Ergebnis, Jahr, Veranst, Nummer) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 2)",
                  {o.ident, g.FieldByName("Disziplin")->AsString(), g.FieldByName("Klasse")->AsString(),
                   g.FieldByName("DisziplinName")->AsString(), g.FieldByName("KlasseName")->AsString(),
                   t.FieldByName("MannschNr")->AsString(), t.FieldByName("VereinNr")->AsString(),
                   t.FieldByName("Name")->AsString(), t.FieldByName("Abkuerzung")->AsString(),
                   t.FieldByName("Ergebnis")->AsFloat(), o.sportjahr, "BM " + jahr});
        break;
    }
    // A record equalled this year was reached before: the earlier records of
    // its group stand at the result that equalled them.
    for (const char* tabelle : {"EREKORDE", "EREKORDM"}) {
        const QString gleich = QString("(SELECT MAX(N.Ergebnis) FROM %1 N WHERE N.Ident = %1.Ident"
                                       " AND N.Disziplin = %1.Disziplin AND N.Klasse = %1.Klasse"
                                       " AND N.Jahr = %2 AND N.Nummer > 1)").arg(tabelle, jahr);
        c.Execute(QString("UPDATE %1 SET Ergebnis = %2 WHERE Ident = %3 AND Jahr < %4 AND %2 IS NOT NULL")
                      .arg(tabelle, gleich, ident, jahr));
    }
}

} // namespace detail

namespace {

// A signature in blue ink: the name in a flowing hand and a stroke under it.
QImage unterschrift(const QString& name, int schwung)
{
    QImage bild(520, 200, QImage::Format_RGB32);
    bild.fill(Qt::white);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor tinte(25, 45, 140);
    QFont f("Liberation Serif", 62);
    f.setItalic(true);
    QPainterPath schrift;
    schrift.addText(20, 120, f, name);
    p.fillPath(schrift, tinte);
    QPainterPath strich;
    strich.moveTo(25, 165);
    strich.cubicTo(160, 140 + schwung, 320, 195 - schwung, 500, 150);
    p.strokePath(strich, QPen(tinte, 5, Qt::SolidLine, Qt::RoundCap));
    return bild;
}

bool bildSchreiben(const QImage& bild, const QString& datei, QString* error)
{
    QSaveFile f(datei);
    if (f.open(QIODevice::WriteOnly) && bild.save(&f, "BMP") && f.commit())
        return true;
    if (error)
        *error = datei + ": " + f.errorString();
    return false;
}

} // namespace

bool UrkundenDateien(const QString& folder, QString* error)
{
    QDir().mkpath(QDir(folder).filePath("Daten"));
    QSaveFile text(QDir(folder).filePath("Daten/REKORD.DAT"));
    const QByteArray rekordText = "Die Rekorde wurden vom Sportausschuss am Ende der Meisterschaft geprüft.\n"
                                  "NR = neuer Rekord, RE = Rekord eingestellt.\n";
    if (!text.open(QIODevice::WriteOnly) || text.write(rekordText) != rekordText.size() || !text.commit()) {
        if (error)
            *error = text.fileName() + ": " + text.errorString();
        return false;
    }
    return bildSchreiben(unterschrift("G. Obermaier", 40), QDir(folder).filePath("ULINKS.BMP"), error)
           && bildSchreiben(unterschrift("A. Lechner", -30), QDir(folder).filePath("URECHTS.BMP"), error);
}

} // namespace Demo
