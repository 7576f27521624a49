#include "reports1/results/ErgebAuswahl.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Qvutil.h"
#include "platform/report/Rpbase.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/results/ErgebRangfolge.h"

#include <QPair>
#include <QStringList>

namespace ErgebAuswahl {

namespace {

using Qvutil::CRLF;

// The (discipline, class) pairs a statement reads, in its order, each once.
QVector<QPair<QString, QString>> paare(const QString& sql, const char* klasse, QVector<QPair<QString, QString>> dazu = {})
{
    auto q = Datamod::DataModule1()->DynQuery(sql, Ado::clUseServer, Ado::ltReadOnly);
    for (q->First(); !q->Eof(); q->Next()) {
        const QPair<QString, QString> p{q->FieldByName("Disziplin")->AsString(), q->FieldByName(klasse)->AsString()};
        if (!dazu.contains(p))
            dazu << p;
    }
    return dazu;
}

void markieren(const QVector<int>& Wettkaempfe, const QVector<QPair<QString, QString>>& Gruppen)
{
    if (Gruppen.isEmpty())
        return;
    // One transaction: a mark that fails leaves none of this run behind.
    Ado::TTransaction t(*Datamod::DataModule1()->Connection());
    for (int w : Wettkaempfe)
        for (const auto& [disziplin, klasse] : Gruppen)
            GruppeMarkieren(w, disziplin, klasse);
    t.Commit();
}

} // namespace

void GruppeMarkieren(int Wettkampf, const QString& Disziplin, const QString& Klasse)
{
    QString sql = "UPDATE PDISKLA SET ErgebEing = 'X'WHERE Disziplin = " + Ado::QuotedStr(Disziplin)
                  + "  AND Klasse = " + Ado::QuotedStr(Klasse);
    if (Wettkampf >= 1)
        sql += "  AND Ident = " + QString::number(Wettkampf);
    Datamod::DataModule1()->DynSQL(sql);
}

void GruppenMarkieren(const QVector<int>& Wettkaempfe, bool AlleStarter)
{
    const QString liste = ErgebRangfolge::WettkampfListe("Ident", Wettkaempfe);
    // " AND (Ident = …)" opens the condition itself where nothing precedes it.
    const QString einzel = AlleStarter ? "SELECT DISTINCT Disziplin,EKlasse\r\nFROM ERGEBNIS"
                                             + (liste.isEmpty() ? QString() : " WHERE" + liste.mid(4))
                                       : "SELECT DISTINCT Disziplin,EKlasse\r\nFROM ERGEBNIS\r\nWHERE Ergebnis > 0" + liste;
    auto gruppen = paare(einzel, "EKlasse");
    gruppen = paare("SELECT DISTINCT Disziplin,MKlasse\r\nFROM EMANNSCH\r\nWHERE Ergebnis > 0\r\n"
                    "  AND AnzMannsch = AnzMannschIst\r\n"
                        + liste,
                    "MKlasse", gruppen);
    markieren(Wettkaempfe, gruppen);
}

void ErgebnisGruppenMarkieren(int Wettkampf)
{
    const QString nr = QString::number(Wettkampf);
    auto gruppen = paare("SELECT DISTINCT Disziplin,EKlasse\r\nFROM ERGEBNIS\r\nWHERE Ident = " + nr + CRLF
                             + "  AND Ergebnis > 0",
                         "EKlasse");
    gruppen = paare("SELECT DISTINCT Disziplin,MKlasse\r\nFROM EMANNSCH\r\nWHERE Ident = " + nr + CRLF
                        + "  AND Ergebnis > 0" + CRLF + "  AND AnzMannsch = AnzMannschIst",
                    "MKlasse", gruppen);
    markieren({Wettkampf}, gruppen);
}

TGruppenKopf GruppenKopf(Ado::TDataSet& q, bool Mannschaft)
{
    const auto feld = [&q](const char* name) { return q.FieldByName(name)->AsString(); };
    TGruppenKopf k;
    QString kennziffer;
    const int ident = q.FieldByName("Ident")->AsInteger();
    if (Mannschaft) {
        k.Kennzahl = Reportutil::KennzZahlHolen(ident, "M", "M", feld("Disziplin"), feld("MKlasse"), kennziffer, true);
        k.Titel = feld("DisName") + " - " + feld("KlaName");
        if (!feld("OlDisziGrp").isEmpty())
            k.Titel += " " + feld("Zusatz");
    } else {
        k.Kennzahl = Reportutil::KennzZahlHolen(ident, "E", "", feld("Disziplin"), feld("EKlasse"), kennziffer, true);
        k.Titel = feld("DisName") + " - " + feld("KlaName") + "  " + feld("KlaZusatz");
    }
    return k;
}

void GruppenKopfDrucken(Report::TBaseReport& R, const TGruppenKopf& Kopf)
{
    Reportutil::SpaltenSetzen(R, {{1.5, Report::pjRight}, {15.0, Report::pjLeft}});
    R.SetFont("Arial", 11);
    R.SetBold(true);
    Reportutil::Zeile(R, {Kopf.Kennzahl, Kopf.Titel});
    R.SetBold(false);
}

QStringList SpaltenZeilen(Report::TBaseReport& R, int Spalte, const QString& Text)
{
    const Report::TTab* t = R.GetTab(Spalte);
    const double rand = R.XI2U(t->Margin);
    const QStringList z = Reportutil::TextAufteilen(R, Text, t->Pos + rand, t->Pos + t->Width - rand);
    return z.isEmpty() ? QStringList{QString()} : z;
}

void UmbruchZeile(Report::TBaseReport& R, QStringList Felder, int Spalte, const QStringList& Zeilen)
{
    Felder[Spalte - 1] = Zeilen.value(0);
    Reportutil::Zeile(R, Felder);
    for (const QString& z : Zeilen.mid(1)) {
        QStringList weiter(Spalte);
        weiter[Spalte - 1] = z;
        Reportutil::Zeile(R, weiter);
    }
}

QString Geburtsdatum(const QString& Tag, const QString& Monat, const QString& Jahrgang)
{
    QStringList teile;
    for (const QString& t : {Tag, Monat, Jahrgang})
        if (!t.trimmed().isEmpty())
            teile << t.trimmed();
    return teile.join('.');
}

QString NamenTeile(const QStringList& Teile)
{
    QStringList l;
    for (const QString& t : Teile)
        if (!t.trimmed().isEmpty())
            l << t.trimmed();
    return l.join(' ');
}

} // namespace ErgebAuswahl
