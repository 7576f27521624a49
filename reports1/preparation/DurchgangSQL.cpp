#include "reports1/preparation/DurchgangSQL.h"

#include "platform/ado/Ado.h"
#include "platform/host/Qvutil.h"

#include <QStringList>

namespace DurchgangSQL {

namespace {

using Qvutil::CRLF;

// Lines each ending in "\r\n".
QString zeilen(const QStringList& l)
{
    QString s;
    for (const QString& z : l)
        s += z + CRLF;
    return s;
}

} // namespace

QString Durchgangsliste(const TFilter& a)
{
    QString s;
    if (!a.OhneAnlage) {
        s = "SELECT E.Disziplin,E.VereinNr,E.EKlasse,E.StartNr,E.WKTag,\r\n"
            "       E.WKZeit1,E.WKZeit2,E.Stand,E.Durchgang,E.Anlage,\r\n"
            "       M.Name,M.Vorname,M.Jahrgang,M.Titel,M.MitglNr,\r\n"
            "       D.Kurz as DisKurz,D.Name as DisName,D.Kennung,\r\n"
            "       A.Name as AnlName,V.Name as VerName,V.Abkuerzung,V.Titel as VerTitel,\r\n"
            "       WK.Datum,K.Kurz as KlaKurz\r\n"
            "FROM ERGEBNIS E, EMITGLIED M, EVEREIN V, PDISZIPLIN D,\r\n"
            "     PKLASSE K, PANLAGE A, PDISKLA DK, AWKTAG WK\r\n";
        s += zeilen({"WHERE E.MitglNr = M.MitglNr", "  AND E.Disziplin = D.Disziplin", "  AND E.Ident = D.Ident",
                     "  AND E.EKlasse = K.Klasse", "  AND E.Ident = K.Ident", "  AND E.Disziplin = DK.Disziplin",
                     "  AND E.EKlasse = DK.Klasse", "  AND E.Ident = DK.Ident", "  AND E.WKTag = WK.WKTag",
                     "  AND E.Ident = WK.Ident", "  AND E.Anlage = A.Anlage", "  AND E.Ident = A.Ident",
                     "  AND E.VereinNr = V.VereinNr", "  AND E.Ident = :Ident", "  AND E.Anlage = :Anlage",
                     "  AND DK.Teilmeisterschaft = :Teilmeister"});
        if (a.Disziplin)
            s += "AND E.Disziplin = :Disziplin" + CRLF;
        if (a.Tag)
            s += "AND WK.WKTag = :Tag" + CRLF;
        return s + "ORDER BY E.Anlage,E.Disziplin,E.WKTag,E.WKZeit1," + CRLF + "E.Durchgang,E.Stand";
    }
    s = "SELECT E.Disziplin,E.VereinNr,E.EKlasse,E.StartNr,E.WKTag,\r\n"
        "       E.WKZeit1,E.WKZeit2,E.Stand,E.Durchgang,E.Anlage,\r\n"
        "       M.Name,M.Vorname,M.Jahrgang,M.Titel,M.MitglNr,\r\n"
        "       D.Kurz as DisKurz,D.Name as DisName,D.Kennung,\r\n"
        "       V.Name as VerName,V.Abkuerzung,V.Titel as VerTitel,\r\n"
        "       K.Kurz as KlaKurz\r\n"
        "FROM ERGEBNIS E, EMITGLIED M, EVEREIN V, PDISZIPLIN D,\r\n"
        "     PKLASSE K, PDISKLA DK\r\n";
    s += zeilen({"WHERE E.MitglNr = M.MitglNr", "  AND E.Disziplin = D.Disziplin", "  AND E.Ident = D.Ident",
                 "  AND E.EKlasse = K.Klasse", "  AND E.Ident = K.Ident", "  AND E.Disziplin = DK.Disziplin",
                 "  AND E.EKlasse = DK.Klasse", "  AND E.Ident = DK.Ident", "  AND E.VereinNr = V.VereinNr",
                 "  AND E.Ident = :Ident", "  AND DK.Teilmeisterschaft = :Teilmeister"});
    if (a.Disziplin)
        return s + "AND E.Disziplin = :Disziplin" + CRLF + "ORDER BY E.StartNr";
    return s + "ORDER BY E.Disziplin,E.StartNr";
}

TEintragOrdnung EintragOrdnung(const TFilter& a)
{
    if (a.OhneAnlage)
        return OhneAnlageNachName;
    return a.Tag ? NachStartNr : NachName;
}

QString Ergebniseingabe(const TFilter& a, TEintragOrdnung Ordnung)
{
    QStringList l = {"SELECT E.Disziplin,E.WKTag,E.Anlage,E.StartNr,E.EKlasse,",
                     "       M.Name,M.Titel,M.Vorname,V.Abkuerzung,V.Name AS VerName,",
                     "       D.Name AS DisName,K.Kurz AS KlaKurz,DK.AnzSerien"};
    if (!a.OhneAnlage) {
        l.last() += ",";
        l << "       A.Name AS AnlName,WK.Datum"
          << "FROM ERGEBNIS E, EMITGLIED M, EVEREIN V, PDISZIPLIN D,"
          << "     PKLASSE K, PDISKLA DK, PANLAGE A, AWKTAG WK";
    } else {
        l << "FROM ERGEBNIS E, EMITGLIED M, EVEREIN V, PDISZIPLIN D,"
          << "     PKLASSE K, PDISKLA DK";
    }
    l << "WHERE E.MitglNr = M.MitglNr" << "  AND E.VereinNr = V.VereinNr" << "  AND E.Disziplin = D.Disziplin"
      << "  AND E.Ident = D.Ident" << "  AND E.EKlasse = K.Klasse" << "  AND E.Ident = K.Ident"
      << "  AND E.Disziplin = DK.Disziplin" << "  AND E.EKlasse = DK.Klasse" << "  AND E.Ident = DK.Ident";
    if (!a.OhneAnlage)
        l << "  AND E.Anlage = A.Anlage" << "  AND E.Ident = A.Ident" << "  AND E.WKTag = WK.WKTag"
          << "  AND E.Ident = WK.Ident" << "  AND E.Anlage = :Anlage";
    l << "  AND E.Ident = :Ident" << "  AND DK.Teilmeisterschaft = :Teilmeister";
    if (a.Tag)
        l << " AND  E.WKTag = :Tag";
    if (a.Disziplin)
        l << " AND  E.Disziplin = :Disziplin";
    switch (Ordnung) {
    case NachName: l << "ORDER BY E.Anlage,E.Disziplin,E.WKTag,M.Name,M.Vorname"; break;
    case NachStartNr: l << "ORDER BY E.Anlage,E.Disziplin,E.WKTag,E.StartNr"; break;
    case OhneAnlageNachName: l << "ORDER BY E.Disziplin,M.Name,M.Vorname"; break;
    }
    return l.join(CRLF);
}

QString Mannschaften(const TFilter& a, int Anlage, int Ident, const QString& Teilmeisterschaft)
{
    QString s = "SELECT DISTINCT E.MVereinNr AS VereinNr,E.MDisziplin AS Disziplin,\r\n"
                "       E.MKlasse,E.MannschNr,E.WKTag,E.Anlage,A.Name as AnlName,\r\n"
                "       D.Kurz AS DisKurz,D.Name AS DisName,D.Kennung,\r\n"
                "       V.Name AS VerName,V.Abkuerzung,\r\n"
                "       DK.OlDisziGrp,DK.AnzWertung,DK.AnzMannschaft,WK.Datum,\r\n"
                "       K.Kurz AS KlaKurz,K.Name as KlaName,K.Zusatz\r\n"
                "FROM EMANNSCH MA, ERGEBNIS E, EVEREIN V, PDISZIPLIN D,\r\n"
                "     PKLASSE K, PDISKLA DK, PANLAGE A, AWKTAG WK, ASZEIT AZ\r\n";
    s += zeilen({"WHERE MA.VereinNr = E.MVereinNr", "  AND MA.Disziplin = E.MDisziplin", "  AND MA.MKlasse = E.MKlasse",
                 "  AND MA.MannschNr = E.MannschNr", "  AND MA.Ident = E.Ident", "  AND E.MVereinNr = V.VereinNr",
                 "  AND E.MDisziplin = D.Disziplin", "  AND E.Ident = D.Ident", "  AND E.MKlasse = K.Klasse",
                 "  AND E.Ident = K.Ident", "  AND E.MDisziplin = DK.Disziplin", "  AND E.MKlasse = DK.Klasse",
                 "  AND E.Ident = DK.Ident", "  AND E.Anlage = A.Anlage", "  AND E.Ident = A.Ident",
                 "  AND E.WKTag = WK.WKTag", "  AND E.Ident = WK.Ident", "  AND AZ.Anlage = E.Anlage",
                 "  AND AZ.WKTag = E.WKTag", "  AND AZ.Ident = E.Ident"});
    s += QString::asprintf("  AND E.Anlage = %d", Anlage) + CRLF;
    s += QString::asprintf("  AND MA.Ident = %d", Ident) + CRLF;
    // The sub-championship is quoted like every value put into a statement.
    s += "  AND DK.Teilmeisterschaft = " + Ado::QuotedStr(Teilmeisterschaft) + CRLF;
    if (a.Disziplin)
        s += "  AND E.MDisziplin = :Disziplin" + CRLF;
    if (a.Klasse)
        s += "  AND E.MKlasse = :Klasse" + CRLF;
    return s + "ORDER BY E.MDisziplin,E.MKlasse,E.MVereinNr";
}

QString Mannschaftsmitglieder()
{
    return QStringList{"SELECT E.StartNr,M.Name,M.Vorname", "FROM ERGEBNIS E, EMITGLIED M",
                       "WHERE E.MitglNr = M.MitglNr", "  AND E.Ident = :Ident", "  AND E.MVereinNr = :VereinNr",
                       "  AND E.MDisziplin = :Disziplin", "  AND E.MKlasse = :Klasse", "  AND E.MannschNr = :MannschNr",
                       "  AND E.Teilmeisterschaft = :Teilm", "ORDER BY E.StartNr,M.Name,M.Vorname"}
        .join(CRLF);
}

QString Etiketten(const TFilter& a)
{
    QStringList l = {"SELECT E.Disziplin,E.Anlage,E.WKTag,E.WKZeit1,E.Durchgang,E.Stand,E.StartNr,",
                     "       M.Name,M.Titel,M.Vorname,V.Name AS VerName,",
                     a.OhneAnlage ? "       D.Name AS DisName,K.Kurz"
                                  : "       D.Name AS DisName,K.Kurz,A.Name AS AnlName,WK.Datum",
                     a.OhneAnlage ? "FROM ERGEBNIS E, EMITGLIED M, EVEREIN V, PDISZIPLIN D, PKLASSE K, PDISKLA DK"
                                  : "FROM ERGEBNIS E, EMITGLIED M, EVEREIN V, PDISZIPLIN D, PKLASSE K, PDISKLA DK,"};
    if (!a.OhneAnlage)
        l << "     PANLAGE A, AWKTAG WK";
    l << "WHERE E.MitglNr = M.MitglNr" << "  AND E.VereinNr = V.VereinNr" << "  AND E.Disziplin = D.Disziplin"
      << "  AND E.Ident = D.Ident" << "  AND E.EKlasse = K.Klasse" << "  AND E.Ident = K.Ident"
      << "  AND E.Disziplin = DK.Disziplin" << "  AND E.EKlasse = DK.Klasse" << "  AND E.Ident = DK.Ident";
    if (!a.OhneAnlage)
        l << "  AND E.Anlage = A.Anlage" << "  AND E.Ident = A.Ident" << "  AND E.WKTag = WK.WKTag"
          << "  AND E.Ident = WK.Ident";
    l << "  AND E.Ident = :Ident" << "  AND DK.Teilmeisterschaft = :Teilmeister";
    if (!a.OhneAnlage)
        l << " AND E.Anlage = :Anlage";
    if (a.Disziplin)
        l << " AND E.Disziplin = :Disziplin";
    if (a.Klasse)
        l << " AND E.EKlasse = :Klasse";
    if (a.Tag)
        l << " AND WK.WKTag = :Tag";
    l << "ORDER BY E.Anlage,E.Disziplin,E.WKTag,E.Durchgang,E.Stand";
    return l.join(CRLF);
}

QString Teilnehmer(const TFilter& a)
{
    QStringList l = {"SELECT E.Disziplin,E.EKlasse,E.Anlage,E.WKTag,E.StartNr,",
                     "       M.Name,M.Vorname,M.Jahrgang,M.Titel,V.Name as VerName,",
                     "       V.Abkuerzung,D.Name as DisName,K.Name as KlaName,"};
    if (!a.OhneAnlage)
        l << "       K.Kurz,WK.Datum,A.Name as AnlName"
          << "FROM ERGEBNIS E, EMITGLIED M, EVEREIN V, PDISZIPLIN D,"
          << "     PKLASSE K, PDISKLA DK, PANLAGE A, AWKTAG WK";
    else
        l << "       K.Kurz,A.Name as AnlName"
          << "FROM ERGEBNIS E, EMITGLIED M, EVEREIN V, PDISZIPLIN D,"
          << "     PKLASSE K, PDISKLA DK, PANLAGE A";
    l << "WHERE E.MitglNr = M.MitglNr" << "  AND E.VereinNr = V.VereinNr" << "  AND E.Disziplin = D.Disziplin"
      << "  AND E.Ident = D.Ident" << "  AND E.EKlasse = K.Klasse" << "  AND E.Ident = K.Ident"
      << "  AND E.Disziplin = DK.Disziplin" << "  AND E.EKlasse = DK.Klasse" << "  AND E.Ident = DK.Ident"
      << "  AND E.Anlage = A.Anlage" << "  AND E.Ident = A.Ident";
    if (!a.OhneAnlage)
        l << "  AND E.WKTag = WK.WKTag" << "  AND E.Ident = WK.Ident";
    l << "  AND E.Ident = :Ident";
    if (!a.OhneAnlage)
        l << "  AND E.Anlage = :Anlage";
    l << "  AND DK.Teilmeisterschaft = :Teilmeister";
    l << (a.Disziplin ? "  AND E.Disziplin = :Disziplin" : "  AND E.Disziplin >= :Disziplin");
    if (a.Tag)
        l << "  AND E.WKTag = :Tag";
    l << "ORDER BY E.Anlage,E.Disziplin,E.WKTag,M.Name,M.Vorname";
    return l.join(CRLF);
}

QString Mitarbeiter(const TFilter& a, bool NachArt)
{
    QStringList l = {"SELECT MZ.MitglNr,MZ.VereinNr,MZ.Anlage,MZ.MitArt,M.Name,M.Titel AS VorTitel,M.Vorname,",
                     "       MI.Name AS MitName,MT.Seit,WK.Datum,A.Name AS AnlName,V.Name AS VerName",
                     "FROM MITARB MT, MSPESEN MZ, EMITGLIED M, PANLAGE A, MITART MI, AWKTAG WK, EVEREIN V",
                     "WHERE MT.MitglNr = MZ.MitglNr",
                     "  AND MT.Ident = MZ.Ident",
                     "  AND MZ.MitglNr = M.MitglNr",
                     "  AND MZ.MitArt = MI.MitArt",
                     "  AND MZ.WKTag = WK.WKTag",
                     "  AND MZ.Ident = WK.Ident",
                     "  AND MZ.Anlage = A.Anlage",
                     "  AND MZ.Ident = A.Ident",
                     "  AND MZ.VereinNr = V.VereinNr",
                     "  AND MZ.Ident = :Ident"};
    if (!a.OhneAnlage)
        l << "  AND MZ.Anlage = :Anlage";
    l << "  AND MZ.Teilmeisterschaft = :Teilm";
    l << (NachArt ? "ORDER BY MZ.Anlage,MZ.MitArt,M.Name,M.Vorname,WK.Datum"
                  : "ORDER BY MZ.Anlage,M.Name,M.Vorname,MZ.MitArt,WK.Datum");
    return l.join(CRLF);
}

QString MitarbeiterTage()
{
    return "SELECT DISTINCT MZ.Anlage,WK.Datum\r\nFROM MSPESEN MZ, MITARB MT, AWKTAG WK\r\n"
           "WHERE MZ.MitglNr = MT.MitglNr\r\n  AND MZ.WKTag = WK.WKTag\r\n  AND MZ.Ident = WK.Ident\r\n"
           "  AND MZ.Ident = MT.Ident\r\n  AND MZ.Ident = :Ident\r\n  AND MZ.Anlage = :Anlage\r\n"
           "  AND WK.Teilmeisterschaft = :Teilm\r\nORDER BY MZ.Anlage,WK.Datum";
}

QString Auszahlung(const TFilter& a)
{
    QStringList l = {"SELECT MZ.MitglNr,MZ.Anlage,MZ.WKTag,MZ.Beginn,MZ.Ende,MZ.Entfernung,MZ.Tagessatz,",
                     "       M.Name,M.Vorname,M.Titel,WK.Datum,A.Name AS AnlName",
                     "FROM MSPESEN MZ, EMITGLIED M, AWKTAG WK, PANLAGE A",
                     "WHERE MZ.MitglNr = M.MitglNr",
                     "  AND MZ.WKTag = WK.WKTag",
                     "  AND MZ.Ident = WK.Ident",
                     "  AND MZ.Anlage = A.Anlage",
                     "  AND MZ.Ident = A.Ident",
                     "  AND MZ.Ident = :Ident"};
    if (!a.OhneAnlage)
        l << "  AND MZ.Anlage = :Anlage";
    l << "  AND MZ.Teilmeisterschaft = :Teilm";
    if (a.Tag)
        l << "  AND MZ.WKTag = :Tag";
    l << "ORDER BY MZ.Anlage,WK.Datum,M.Name,M.Vorname";
    return l.join(CRLF);
}

QString MEtiketten(const TFilter& a)
{
    QStringList l = {"SELECT DISTINCT MZ.Anlage,MZ.MitArt,MZ.MitglNr,MI.Name AS MitName,",
                     "       M.Titel,M.Vorname,M.Name",
                     "FROM MSPESEN MZ, EMITGLIED M, MITART MI",
                     "WHERE MZ.MitglNr = M.MitglNr",
                     "  AND MZ.MitArt = MI.MitArt",
                     "  AND MI.Etikett = 'J'",
                     "  AND MZ.Ident = :Ident"};
    if (!a.OhneAnlage)
        l << "  AND MZ.Anlage = :Anlage";
    l << "  AND MZ.Teilmeisterschaft = :Teilm" << "ORDER BY MZ.Anlage,MZ.MitArt";
    return l.join(CRLF);
}

} // namespace DurchgangSQL
