#include "reports1/results/ErgebRangfolge.h"

#include "platform/host/Qvutil.h"

namespace ErgebRangfolge {

namespace {
using Qvutil::CRLF;
}

QString EinzelSelect()
{
    // Members and clubs are kept once for all championships; discipline,
    // class and their parameters are joined within the start's championship.
    return QStringLiteral(
        "SELECT E.Disziplin, E.Qual, (E.Ergebnis + (E.Finale / 10)) as Gesamt,E.Ergebnis,E.StechErg, E.Serien,\r\n"
        "       E.Zusatz, E.Abmeldung, E.MessErg, E.Finale, E.VereinNr, E.Zehner, E.Neuner, E.Achter,\r\n"
        "       E.Ident, E.Disqualifikation, E.MVereinNr, E.MDisziplin, E.MKlasse, E.MannschNr,\r\n"
        "       E.ErgZentel, E.Innenzehner, E.EKlasse, E.StartNr,\r\n"
        "       M.Vorname, M.Titel, M.Jahrgang, M.Name, M.MitglNr, M.JahrgangJa, M.Tag, M.Monat, M.OrgMitglNr,\r\n"
        "       V.Abkuerzung, V.Name AS VerName, V.Titel AS VerTitel, V.Kreis,\r\n"
        "       D.Name AS DisName, D.Kennung, D.Ausgabe, D.Zehntel,\r\n"
        "       K.Zusatz AS KlaZusatz, K.Name AS KlaName, DK.ErgebEing\r\n"
        "FROM EMITGLIED M, PDISKLA DK, ERGEBNIS E, EVEREIN V, PKLASSE K, PDISZIPLIN D\r\n"
        "WHERE E.MitglNr = M.MitglNr\r\n"
        "  AND E.VereinNr = V.VereinNr\r\n"
        "  AND E.Disziplin = D.Disziplin\r\n"
        "  AND E.Disziplin = DK.Disziplin\r\n"
        "  AND E.EKlasse = DK.Klasse\r\n"
        "  AND E.EKlasse = K.Klasse\r\n"
        "  AND E.Ident = DK.Ident\r\n"
        "  AND E.Ident = D.Ident\r\n"
        "  AND E.Ident = K.Ident\r\n");
}

QString MannschaftSelect()
{
    return QStringLiteral(
        "SELECT M.Disziplin, M.MannschNr, M.MKlasse, M.Qual, M.Ident,M.Serie1, M.Serie2, M.Serie3, M.Ergebnis,\r\n"
        "       M.VereinNr, M.Abmeldung, M.AnzMannsch, M.AnzMannschIst, M.Rangfolge, M.MannNr,\r\n"
        "       V.Name AS VerName, V.Abkuerzung, V.Titel AS VerTitel, V.Kreis,\r\n"
        "       D.Name AS DisName, D.Kennung, D.Ausgabe, D.Zehntel,\r\n"
        "       K.Zusatz, K.Name AS KlaName, DK.OlDisziGrp, DK.ErgebEing\r\n"
        "FROM EMANNSCH M, EVEREIN V, PDISZIPLIN D, PKLASSE K, PDISKLA DK\r\n"
        "WHERE M.VereinNr = V.VereinNr\r\n"
        "  AND M.Disziplin = D.Disziplin\r\n"
        "  AND M.Disziplin = DK.Disziplin\r\n"
        "  AND M.MKlasse = DK.Klasse\r\n"
        "  AND M.MKlasse = K.Klasse\r\n"
        "  AND M.Ident = DK.Ident\r\n"
        "  AND M.Ident = D.Ident\r\n"
        "  AND M.Ident = K.Ident\r\n"
        "  AND M.Ergebnis > 0\r\n");
}

QString WettkampfListe(const QString& feld, const QVector<int>& Wettkaempfe)
{
    if (Wettkaempfe.isEmpty())
        return {};
    QString s = " AND (" + feld + " = " + QString::number(Wettkaempfe.first());
    for (int i = 1; i < Wettkaempfe.size(); ++i)
        if (Wettkaempfe[i] > 0)
            s += " OR " + feld + " = " + QString::number(Wettkaempfe[i]);
    return s + ")";
}

TErgebSQL SQLErstellen(const QVector<int>& Wettkaempfe, const TErgebOptionen& o)
{
    TErgebSQL r;

    QString e = EinzelSelect();
    if (!o.AlleStarter)
        e += "  AND E.Ergebnis > 0";
    if (o.OhneMannschaft)
        e += "  AND (E.MVereinNr = ''"
             "   OR  E.MVereinNr IS NULL)"
             "  AND (E.MDisziplin = ''"
             "   OR  E.MDisziplin IS NULL)";
    e += WettkampfListe("E.Ident", Wettkaempfe);
    e += " AND E.Disziplin = :Disziplin";
    e += " AND E.EKlasse = :Klasse";
    if (o.ProMitglied) {
        e += CRLF + "ORDER BY E.Disziplin,E.MitglNr,E.EKlasse,Disqualifikation,";
    } else {
        e += " AND E.Ident = :Ident";
        e += CRLF;
        e += o.ProIdent ? "ORDER BY E.Ident,E.Disziplin,E.EKlasse,Disqualifikation,"
                      : "ORDER BY E.Disziplin,E.Ident,E.EKlasse,Disqualifikation,";
    }
    e += " (E.Ergebnis + (E.Finale / 10)) DESC,E.StechErg DESC,"
         " E.Zusatz DESC,E.Serien DESC,E.MessErg DESC,"
         " E.Zehner DESC,E.Neuner DESC,E.Achter DESC,E.InnenZehner DESC,"
         " E.ErgZentel DESC,M.Name,M.Vorname";
    r.Einzel = e;

    QString m = MannschaftSelect();
    if (o.Unvollstaendig)
        m += "  AND M.AnzMannsch <> M.AnzMannschIst";
    else if (!o.AlleStarter)
        m += "  AND M.AnzMannsch = M.AnzMannschIst";
    m += WettkampfListe("M.Ident", Wettkaempfe);
    if (o.ProMitglied) {
        m += " AND M.Disziplin = :Disziplin";
        m += " AND M.MKlasse = :Klasse";
        m += CRLF + "ORDER BY M.Disziplin,M.MKlasse,M.MannschNr,M.Ergebnis DESC,"
                    " M.Rangfolge,M.Serie1 DESC,M.Serie2 DESC,M.Serie3 DESC";
    } else if (o.Unvollstaendig) {
        m += " AND M.Ident = :Ident";
        m += CRLF + "ORDER BY M.Ident,M.Disziplin,M.MKlasse,M.VereinNr";
    } else {
        m += " AND M.Ident = :Ident";
        m += " AND M.Disziplin = :Disziplin";
        m += " AND M.MKlasse = :Klasse";
        m += CRLF + "ORDER BY M.Ident,M.Disziplin,M.MKlasse,M.Ergebnis DESC,"
                    " M.Rangfolge,M.Serie1 DESC,M.Serie2 DESC,M.Serie3 DESC";
    }
    r.Mannschaft = m;
    return r;
}

QString ErgebEingSQL(const QVector<int>& Wettkaempfe, bool ProIdent, bool NurMarkierte)
{
    QString s = "SELECT Disziplin,Klasse,ErgebEing,AnzWertung,ErgebEinzel,Druckauftrag,\r\n"
                "       Ident\r\n"
                "FROM PDISKLA\r\n";
    s += NurMarkierte ? QStringLiteral("WHERE ErgebEing = 'X'\r\n") : QStringLiteral("WHERE Ident > 0\r\n");
    s += WettkampfListe("Ident", Wettkaempfe);
    s += CRLF + (ProIdent ? "ORDER BY Ident,Disziplin,Klasse" : "ORDER BY Disziplin,Ident,Klasse");
    return s;
}

void TEinzelPlatz::Reset()
{
    zaehler_ = 0;
    letzterPlatz_ = 0;
    letzterSchluessel_.clear();
    ersteZeile_ = true;
}

TEinzelPlatz::TPlatz TEinzelPlatz::Naechster(const QString& Qual, int Disqualifikation, int Zusatz,
                                             const QString& Kennung, const QString& Ergebnis,
                                             const QString& Serien, const QString& MessErg)
{
    TPlatz p;
    if (Qual != "N")
        return p; // printed without a place

    if (Disqualifikation == 0)
        ++zaehler_;
    int platz = Zusatz < 9999 ? zaehler_ : letzterPlatz_;
    if (platz < 1)
        platz = 1;
    letzterPlatz_ = platz;
    p.Nummer = platz;

    if (Kennung == "A" || Kennung == "V") {
        const QString schluessel = (ohneErgebnis_ ? QString() : Ergebnis) + Serien + MessErg + QString::number(Zusatz);
        p.Gedruckt = (ersteZeile_ || schluessel != letzterSchluessel_) && Disqualifikation == 0;
        letzterSchluessel_ = schluessel;
        ersteZeile_ = false;
    } else {
        p.Gedruckt = Disqualifikation == 0;
    }
    return p;
}

QString BildschirmPlatz(const TEinzelPlatz::TPlatz& p)
{
    return p.Gedruckt ? QString::number(p.Nummer) + ". " : QStringLiteral("     ");
}

int TMannschaftPlatz::Naechster(const QString& Qual)
{
    if (Qual != "N")
        return 0;
    return ++zaehler_;
}

QString MannschaftName(const QString& VereinName, const QString& MannschNr)
{
    return MannschNr != "1" ? VereinName + " " + MannschNr : VereinName;
}

bool InnenZehnerEintragen(const QString& Zehntel, int InnenZehner, QString (&Serien)[6])
{
    if (Zehntel != "J" || InnenZehner < 1)
        return false;
    for (QString& s : Serien) {
        const QString t = s.trimmed();
        if (t.isEmpty() || t == "0") {
            s = "(" + QString::number(InnenZehner) + "iZ)";
            return true;
        }
    }
    return false;
}

QVector<int> SerienSlots(const QString& Serien)
{
    QVector<int> werte(13, 0);
    for (int i = 0; i < 13; ++i) {
        const QString f = Serien.mid(i * 3, 3);
        bool ok = false;
        int v = f.toInt(&ok);
        werte[i] = ok ? v : 0;
    }
    return werte;
}

QString SerienAusSlots(const QVector<int>& Slots)
{
    QString s;
    for (int v : Slots)
        if (v > 0)
            s += QString::number(v).rightJustified(3, '0');
    return s;
}

QString MannschaftSummenSQL(const QVector<int>& Wettkaempfe)
{
    return "SELECT VereinNr,Disziplin,MKlasse,MannschNr,       SUM(Ergebnis) AS Summe, SUM(Serie1) AS Serie1,"
           "       SUM(Serie2) AS Serie2, SUM(Serie3) AS Serie3 FROM EMANNSCH WHERE AnzMannsch = AnzMannschIst"
           + WettkampfListe("Ident", Wettkaempfe)
           + " GROUP BY VereinNr,Disziplin,MKlasse,MannschNr ORDER BY VereinNr,Disziplin,MKlasse,SUM(Ergebnis) DESC,"
             "          SUM(Serie1) DESC,SUM(Serie2) DESC,          SUM(Serie3) DESC,MannschNr";
}

} // namespace ErgebRangfolge
