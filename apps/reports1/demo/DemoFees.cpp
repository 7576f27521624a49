// The entry fees of the generated championship: each club's general fee
// (its starts and teams by fee group, its team re-registrations) and the
// association's file of mandate references for the direct debit.

#include "apps/reports1/demo/DemoGenerator.h"

#include "platform/host/Cent.h"
#include "platform/host/Einzug.h"

#include <QDir>
#include <QSaveFile>

namespace Demo {

namespace detail {

void Generator::writeFees()
{
    // The amounts of PSTARTG (writeParameters): group 1 8,00, 2 5,00, 3 15,00, 4 nothing.
    const std::map<int, qint64> gruppe = {{1, 800}, {2, 500}, {3, 1500}, {4, 0}};
    std::map<int, qint64> cent;
    for (const Start& s : starts_)
        cent[s.club] += gruppe.at(klasse(s.klasse).feeGroup);
    for (const Team& t : teams_)
        cent[t.club] += gruppe.at(3) + (t.ummeldung > 0 ? 500 : 0);
    for (const auto& [club, betrag] : cent)
        c_.Execute("UPDATE EVEREIN SET Startgeld = ? WHERE VereinNr = ?",
                   {Cent::StartgeldText(betrag), clubs_[size_t(club)].nr});
}

} // namespace detail

namespace {

bool schreiben(const QString& datei, const QByteArray& text, QString* error)
{
    QDir().mkpath(QFileInfo(datei).path());
    QSaveFile f(datei);
    if (f.open(QIODevice::WriteOnly) && f.write(text) == text.size() && f.commit())
        return true;
    if (error)
        *error = datei + ": " + f.errorString();
    return false;
}

} // namespace

bool StartgeldDateien(Ado::TADOConnection& connection, const QString& folder, QString* error)
{
    const QString verband = connection.Scalar("SELECT Wert FROM QVSETTINGS WHERE Bereich = 'Global' AND Schluessel = 'Verband'")
                                .toString();
    const QString veranstalter =
        (connection.Scalar("SELECT Wert FROM QVSETTINGS WHERE Bereich = 'Global' AND Schluessel = 'Veranst1'").toString() + " "
         + connection.Scalar("SELECT Wert FROM QVSETTINGS WHERE Bereich = 'Global' AND Schluessel = 'Veranst2'").toString())
            .trimmed();
    const int jahr = connection.Scalar("SELECT Wert FROM QVSETTINGS WHERE Bereich = 'Allgemein' AND Schluessel = 'Sportjahr'")
                         .toInt();
    QByteArray text = "VereinsNr;Mandatsreferenz;Unterschrift\r\n";
    Ado::TADOQuery q;
    q.SetConnection(&connection);
    q.SetSQL("SELECT VereinNr FROM EVEREIN WHERE Startgeld <> '' ORDER BY VereinNr");
    q.Open();
    int i = 0;
    for (q.First(); !q.Eof(); q.Next(), ++i) {
        const QString nr = q.FieldByName("VereinNr")->AsString();
        // Two of three clubs signed on a day of the year before; for the
        // others the file gives no date.
        const QString datum = i % 3 == 2 ? QString() : QDate(jahr - 1, 1 + i % 12, 1 + i % 28).toString("dd.MM.yyyy");
        text += QString("%1;MR-%2-%1;%3\r\n").arg(nr).arg(jahr).arg(datum).toUtf8();
    }
    // The closing text and the sender line of the invoices, as the
    // treasurer keeps them in the entry-fee window.
    const QDir daten(QDir(folder).filePath("Daten"));
    return schreiben(QDir(folder).filePath(Einzug::MandatsDateiName(verband)), text, error)
        && schreiben(daten.filePath("STARTG.DAT"),
                     QString("Wir bitten um Beachtung der Zahlungsbedingungen.\n"
                             "Die Startgelder werden zum angegebenen Termin per Lastschrift eingezogen.\n"
                             "Mit sportlichen Grüßen\n\nAnna Lechner, Schatzmeisterin\n").toUtf8(),
                     error)
        && schreiben(daten.filePath("ABSENDER.DAT"),
                     QString(veranstalter + "\nAnna Lechner, Ingolstädter Landstraße 110\n"
                             "85748 Garching-Hochbrück\n").toUtf8(),
                     error);
}

} // namespace Demo
