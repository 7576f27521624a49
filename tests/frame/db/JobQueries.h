#pragma once
// Statements of the print jobs as the jobs write them (taken from the jobs
// that are built), with parameter values for a generated championship, and
// whether such a championship always has rows for them. Shared by the SQLite and the
// PostgreSQL tests.

#include "reports1/preparation/DurchgangSQL.h"
#include "reports1/preparation/VorbListen.h"
#include "reports1/preparation/VorbScheiben.h"
#include "reports1/preparation/VorbSchiesszeit.h"
#include "reports1/preparation/VorbStarterkl.h"
#include "reports1/results/ErgebUmmeldung.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <vector>

namespace JobQueries {

struct Q {
    const char* what;
    QString sql;
    bool rows;
};

inline QString lines(const QStringList& l) { return l.join("\r\n"); }

inline QVariantMap Parameters()
{
    return {{"Ident", 1}, {"Teilmeister", "1"}, {"Teilm", "1"}, {"Anlage", 1}, {"WKTag", 1},
                           {"Tag", 1}, {"Disziplin", "110"}, {"Klasse", "10"}, {"KLasse", "10"}, {"Verein", "1101"},
                           {"VereinNr", "1101"}, {"MannschNr", "1"}, {"Ergebnis", 0}, {"Seit", "2015"},
                           {"Auswahl", "%M%"}, {"Jahr", 2025}, {"Auflage", "N"}, {"VereinAb", "0000"},
                           {"VereinBis", "9999"}, {"VereinNrAb", "0000"}, {"VereinNrBis", "9999"},
                           {"VereinNrVon", "0000"}, {"MitglNr", "11010001"}};
}

inline std::vector<Q> All()
{
    return {
        {"Gestartet1 gestartete Teilnehmer", lines({"SELECT E.Anlage,E.Disziplin,E.EKlasse,E.Ergebnis,",
                                  "       A.Name as AnlName,D.Name as DisName,D.Erstattung,",
                                  "       D.ErstattungElek,DK.Elektronisch",
                                  "FROM   ERGEBNIS E, EMITGLIED M, PDISZIPLIN D, PANLAGE A,", "       PDISKLA DK",
                                  "WHERE  E.Disziplin = D.Disziplin", "  AND  E.Ergebnis > 0",
                                  "  AND  E.MitglNr = M.MitglNr", "  AND  E.Anlage = A.Anlage",
                                  "  AND  E.EKlasse = DK.Klasse", "  AND  E.Disziplin = DK.Disziplin",
                                  "  AND  E.Ident = D.Ident", "  AND  E.Ident = DK.Ident", "  AND  E.Ident = A.Ident",
                                  "  AND  E.Ident = :Ident", "ORDER BY E.Anlage,E.Disziplin,E.EKlasse"}), true},
        {"Gestartet1 ausgefallene Starts", lines({"SELECT MitglNr", "FROM ERGEBNIS", "WHERE Ident = 1", "  AND ERGEBNIS = 0"}), true},
        {"Abmeldung1 abgemeldete Starts", lines({"SELECT E.Ergebnis,E.EKlasse,E.MitglNr,E.VereinNr,", "       E.Disziplin,D.Kurz,",
                                  "       M.Name,M.Vorname,M.Titel,M.Jahrgang,",
                                  "       V.Name as VerName,V.Abkuerzung,D.Name AS DisName",
                                  "FROM ERGEBNIS E, EMITGLIED M, EVEREIN V, PDISZIPLIN D",
                                  "WHERE E.MitglNr = M.MitglNr", "  AND E.VereinNr = V.VereinNr",
                                  "  AND E.Disziplin = D.Disziplin", "  AND E.Ident = D.Ident",
                                  "  AND E.Abmeldung = 'A'", "  AND E.Ident = 1",
                                  "ORDER BY M.Name,M.Vorname,E.EKlasse,E.Disziplin"}), true},
        {"Abmeldung1 Archiv", lines({"SELECT A.Ergebnis,A.EKlasse,A.Loeschung,A.MitglNr,A.VereinNr,",
                              "       A.Disziplin,A.Ebene,D.Kurz,", "       M.Name,M.Vorname,M.Titel,M.Jahrgang,",
                              "       V.Name as VerName,V.Abkuerzung,D.Name AS DisName",
                              "FROM EARCHIV A, EMITGLIED M, EVEREIN V, PDISZIPLIN D", "WHERE A.MitglNr = M.MitglNr",
                              "  AND A.VereinNr = V.VereinNr", "  AND A.Disziplin = D.Disziplin",
                              "  AND A.Ident = D.Ident", "  AND A.Ident = 1", " AND Loeschung = 'X'",
                              "ORDER BY M.Name,M.Vorname,A.Disziplin,A.EKlasse"}), true},
        {"Ausnahme1 Ausnahmegenehmigungen", lines({"SELECT E.Disziplin,E.EKlasse,E.VereinNr,E.Durchgang,E.Stand,E.StartNr,",
                                 "       M.Name,M.Vorname,M.Titel,M.Jahrgang,M.Monat,M.Tag,",
                                 "       V.Name as VerName,V.Abkuerzung,D.Name AS DisName",
                                 "FROM ERGEBNIS E, EMITGLIED M, EVEREIN V, PDISZIPLIN D",
                                 "WHERE E.Disziplin = D.Disziplin", "  AND E.VereinNr = V.VereinNr",
                                 "  AND E.MitglNr = M.MitglNr", "  AND E.Ident = D.Ident", "  AND E.Ident = :Ident",
                                 "  AND E.Anlage = :Anlage", " AND E.WKTag = :WKTag", ""})
                             + " AND E.Disziplin IN ('110','120','210','216','410') AND E.EKlasse IN ('20','21')"
                               " ORDER BY E.Disziplin,E.Durchgang,E.StartNr", false},
        {"Etiketten1 Adressetiketten", lines({"SELECT M.Name,M.Vorname,M.Titel,M.Strasse,",
                                 "       M.Ort,M.PLZ,M.Geschlecht,V.VereinNr,VR.Auswahl",
                                 "FROM EMITGLIED M, EVEREIN V, EMITVER VR", "WHERE M.MitglNr = VR.MitglNr",
                                 "  AND M.PLZ <> ''", "  AND VR.VereinNr = V.VereinNr",
                                 "  AND VR.Auswahl LIKE :Auswahl", "ORDER BY V.VereinNr"}), true},
        {"ErgebRangfolge Mannschaften mehrerer Wettkämpfe",
         "SELECT VereinNr,Disziplin,MKlasse,MannschNr,       SUM(Ergebnis) AS Summe, SUM(Serie1) AS Serie1,"
         "       SUM(Serie2) AS Serie2, SUM(Serie3) AS Serie3 FROM EMANNSCH WHERE AnzMannsch = AnzMannschIst"
         " AND (Ident = 1 OR Ident = 2) GROUP BY VereinNr,Disziplin,MKlasse,MannschNr ORDER BY "
         "VereinNr,Disziplin,MKlasse,SUM(Ergebnis) DESC,          SUM(Serie1) DESC,SUM(Serie2) DESC,"
         "          SUM(Serie3) DESC,MannschNr", true},
        {"ErgebRangfolge Gleichstand 531", "SELECT *\r\nFROM EMANNSCH\r\nWHERE Qual <> 'Q'\r\n  AND Ergebnis > 0\r\n  AND Disziplin = '531'\r\n"
                            "  AND AnzMannsch = AnzMannschIst\r\n  AND Ident = :Ident\r\nORDER BY Ergebnis DESC", true},
        {"ErgebRangfolge ausgegebene Gruppen", "SELECT Disziplin,Klasse,ErgebEing,AnzWertung,ErgebEinzel,Druckauftrag,\r\n       Ident\r\n"
                        "FROM PDISKLA\r\nWHERE ErgebEing = 'X'\r\n AND (Ident = 1 OR Ident = 2) ORDER BY Disziplin,Ident,Klasse", false},
        {"Medaillenspiegel Einzel", lines({"SELECT E.VereinNr,E.Disziplin,E.EKlasse,", "       (E.Ergebnis + (E.Finale / 10)) AS Gesamt,",
                              "       E.Zusatz,E.MessErg,E.StechErg,E.Serien,",
                              "       V.Name AS VerName,V.Abkuerzung,V.Kreis", "FROM ERGEBNIS E, EVEREIN V",
                              "WHERE E.Ergebnis > 0", "  AND E.VereinNr = V.VereinNr",
                              "  AND (E.Qual = 'N' OR E.Qual = 'Q')", "  AND E.Ident = :Ident",
                              "ORDER BY E.Disziplin,E.EKlasse,(E.Ergebnis + (E.Finale / 10)) DESC,",
                              "         E.StechErg DESC,E.Zusatz DESC,E.Serien DESC,E.MessErg DESC"}), true},
        {"Medaillenspiegel Mannschaft", lines({"SELECT M.Disziplin,M.MKlasse,M.Ergebnis as Gesamt,",
                                  "       M.VereinNr,M.Serie1,M.Serie2,M.Serie3,",
                                  "       V.Name AS VerName,V.Abkuerzung,V.Kreis", "FROM EMANNSCH M, EVEREIN V",
                                  "WHERE M.Ergebnis > 0", "  AND M.VereinNr = V.VereinNr",
                                  "  AND M.AnzMannsch = M.AnzMannschIst", "  AND (M.Qual = 'N'", "   OR  M.Qual = 'Q')",
                                  "  AND M.Ident = :Ident", "ORDER BY M.Disziplin,M.MKlasse,M.Ergebnis DESC,",
                                  "         M.Serie1 DESC,M.Serie2 DESC,M.Serie3 DESC"}), true},
        {"Medaillenspiegel EMEDAILLE", "SELECT *\r\nFROM EMEDAILLE\r\nORDER BY Nummer,EGold,ESilber,EBronze", false},
        {"Rekordliste Einzel", "SELECT R.Disziplin,R.Klasse,R.DisziplinName,R.KlasseKurz,\r\n       R.Abkuerzung,R.Name as VerName,"
                        "R.Veranst,R.Jahr,R.KlasseName,\r\n       R.Ergebnis,R.Finale,M.Name,M.Vorname,M.Titel\r\n"
                        "FROM EREKORDE R, MITARB M\r\nWHERE R.MitglNr = M.MitglNr\r\n  AND R.Ident = M.Ident\r\n"
                        "  AND R.Ident = :Ident\r\n  AND R.Disziplin = :Disziplin\r\n  AND Jahr = :Jahr\r\n"
                        " ORDER BY R.Disziplin,R.Klasse,R.Jahr", true},
        {"Rekordliste Mannschaft", "SELECT Disziplin,Klasse,MannschNr,DisziplinName,KlasseName,\r\n       Abkuerzung,Name,"
                                   "Ergebnis,Jahr,Veranst\r\nFROM EREKORDM\r\nWHERE Ident = :Ident\r\n"
                                   "ORDER BY Disziplin,Klasse,Jahr", true},
        {"Fehlende Ergebnisse", "SELECT Disziplin,EKlasse,Count(*) AS Anzahl\r\nFROM ERGEBNIS\r\nWHERE Ergebnis = 0\r\n"
                         "  AND Ident = :Ident\r\n  AND Teilmeisterschaft = :Teilm\r\nGROUP BY Disziplin,EKlasse\r\n"
                         "ORDER BY Disziplin, EKlasse", true},
        {"Unvollständige Mannschaften Mitglieder", "SELECT E.Ergebnis,E.StartNr,M.Name,M.Vorname,M.Titel\r\nFROM ERGEBNIS E, EMITGLIED M\r\n"
                            "WHERE E.MitglNr = M.MitglNr\r\n  AND E.Ident = 1\r\n  AND E.MVereinNr = '1101'\r\n"
                            "  AND E.MDisziplin = '531'\r\n  AND E.MKlasse = '10'\r\n  AND E.MannschNr = '1'", true},
        {"Ummeldungsliste Mannschaften", ErgebUmmeldung::MannschaftenSQL(), true},
        {"Ummeldungsliste Anlagen", "SELECT A.Name\r\nFROM ERGEBNIS E, PANLAGE A\r\nWHERE E.Ident = A.Ident\r\n  AND E.Anlage = A.Anlage\r\n"
                         "  AND E.Ident = 1\r\n  AND E.MVereinNr = '1101'", false},
        {"Olympische Disziplinen Kennzahl", "SELECT KennzEDSB\r\nFROM PDISKLA\r\nWHERE Ident = 1\r\n AND Disziplin = '110'\r\n AND Klasse = '10'", true},
        // The preparation centre's lists, as the centre builds them.
        {"Vorbereitung1 Stammdaten", VorbListen::StammdatenSQL(), true},
        {"Vorbereitung1 Schießzeiten", VorbSchiesszeit::SchiesszeitSQL(), true},
        {"Vorbereitung1 Starts ohne Einteilung", VorbListen::OhneStartSQL(), true},
        {"Vorbereitung1 Klassensprung", VorbListen::KlassensprungSQL(), true},
        {"Vorbereitung1 Fehlerhafte Teilnehmer", VorbListen::MitgliederSQL(), true},
        {"Vorbereitung1 Teilnehmer pro Verein", VorbListen::TeilnehmerSQL(1), true},
        {"Vorbereitung1 Barauszahlung", VorbListen::BarSQL(), true},
        {"Vorbereitung1 Waffengruppen", VorbListen::WaffenGrpSQL(), true},
        {"Durchgang1 Durchgangsliste", DurchgangSQL::Durchgangsliste({false, true, true, false}), true},
        {"Durchgang1 Durchgangsliste ohne Anlage", DurchgangSQL::Durchgangsliste({true, false, false, false}), true},
        {"Durchgang1 Ergebniseingabe", DurchgangSQL::Ergebniseingabe({false, true, true, false}, DurchgangSQL::NachStartNr), true},
        {"Durchgang1 Ergebniseingabe ohne Anlage", DurchgangSQL::Ergebniseingabe({true, false, false, false}, DurchgangSQL::OhneAnlageNachName), true},
        {"Durchgang1 Mannschaften", DurchgangSQL::Mannschaften({false, true, false, true}, 1, 1, "1"), true},
        {"Durchgang1 Mannschaftsmitglieder", DurchgangSQL::Mannschaftsmitglieder(), false},
        {"Durchgang1 Etiketten", DurchgangSQL::Etiketten({false, true, true, false}), true},
        {"Durchgang1 Teilnehmer", DurchgangSQL::Teilnehmer({false, true, true, false}), true},
        {"Durchgang1 Mitarbeiter", DurchgangSQL::Mitarbeiter({false, false, false, false}, true), true},
        {"Durchgang1 Auszahlung", DurchgangSQL::Auszahlung({false, false, true, false}), true},
        {"Durchgang1 Mitarbeiteretiketten", DurchgangSQL::MEtiketten({false, false, false, false}), true},
        {"Zulassung Zulassungsliste", lines({"SELECT DK.Disziplin,DK.Klasse,DK.ZulassEinzel,DK.ZulassEinzelAnz,",
                                 "       DK.ZulassMannsch,DK.ZulassMannschAnz,DK.AbwMKlasse,",
                                 "       DK.AbwMKlasse,D.Name as DisName,K.Name as KlaName",
                                 "FROM PDISZIPLIN D, PDISKLA DK, PKLASSE K", "WHERE DK.Disziplin = D.Disziplin",
                                 "  AND DK.Klasse = K.Klasse", "  AND (", "      DK.ZulassEinzel > 0",
                                 "   OR DK.ZulassEinzelAnz > 0", "   OR DK.ZulassMannsch > 0",
                                 "   OR DK.ZulassMannschAnz > 0", ")", "  AND DK.Ident = D.Ident",
                                 "  AND DK.Ident = K.Ident", "  AND DK.Ident = :Ident", "  AND D.Auflage = :Auflage",
                                 "  AND DK.Teilmeisterschaft = :Teilmeister", "ORDER BY DK.Disziplin,DK.Klasse"}), true},
        {"Zulassung Klassengruppen quer", "SELECT Sort,Count(*) AS Zahl\r\nFROM PKLASSE\r\nWHERE Ident = 1\r\n  AND Auflage = 'N'\r\nGROUP BY Sort\r\n"
                     "HAVING Count(*) > 0\r\nORDER BY Sort", true},
        {"Medaillenbedarf", "SELECT MDisziplin,MKlasse,Anlage,Count(*) AS Summe\r\nFROM ERGEBNIS\r\nWHERE MDisziplin <> ''\r\n"
                       "  AND MKlasse <> ''\r\n  AND Anlage > 0\r\n  AND Ident = :Ident\r\n  AND Teilmeisterschaft = :Teilmeister\r\n"
                       "  AND (WKTag = 1   OR  WKTag = 2)GROUP BY Anlage,MDisziplin,MKlasse\r\nORDER BY Anlage,MDisziplin,MKlasse", true},
        {"Starterklärung Mahnschreiben", VorbStarterkl::StartsSQL(), true},
        {"Starterklärung vorhandene Erklärungen", "SELECT D.Disziplin,V.VereinNr,V.Name,V.Abkuerzung\r\nFROM EDISZIPLIN D, EVEREIN V\r\n"
                             "WHERE D.VereinNr = V.VereinNr\r\n  AND D.MitglNr = '11010001'\r\nORDER BY D.Disziplin", false},
        {"Starterklärung Disziplin", "SELECT *\r\nFROM PDIsZIPLIN\r\nWHERE Ident = 1\r\n  AND Disziplin = '110'", true},
        {"Mitarbeiterliste Tage", DurchgangSQL::MitarbeiterTage(), true},
        {"Scheibenbestellung", VorbScheiben::ScheibenSQL(false), true},
        {"Scheibenbestellung blanko", VorbScheiben::ScheibenSQL(true), true},
        {"Zusammen1 Startzusammenfassung", "SELECT DISTINCT E.Disziplin, E.VereinNr, E.EKlasse, E.StartNr, E.WKTag, E.WKZeit1, E.Stand,"
                                " E.Durchgang, E.Anlage, E.MannschNr, M.Name, M.Vorname, M.Jahrgang, M.Titel, M.MitglNr,"
                                " D.Kurz AS DisKurz, D.Name AS DisName, D.Kennung, V.Name AS VerName, V.Abkuerzung,"
                                " V.Titel AS VerTitel, V.Kreis, K.Kurz AS KlaKurz, K.Name AS KlaName, R.Betrag, DK.KennzE\r\n"
                                "FROM ERGEBNIS E, EMITGLIED M, EVEREIN V, PDISZIPLIN D, PKLASSE K, PANLAGE A, PDISKLA DK, PSTARTG R\r\n"
                                "WHERE E.MitglNr = M.MitglNr AND E.Disziplin = D.Disziplin AND E.Ident = D.Ident"
                                " AND E.EKlasse = K.Klasse AND E.Ident = K.Ident AND E.Disziplin = DK.Disziplin"
                                " AND E.EKlasse = DK.Klasse AND E.Ident = DK.Ident AND E.VereinNr = V.VereinNr"
                                " AND E.Anlage = A.Anlage AND E.Ident = A.Ident AND R.StgGrp = DK.StgGrpEinzel"
                                " AND R.Ident = E.Ident AND (E.Qual = 'N' OR E.Qual = 'D') AND E.Ident = :Ident"
                                " AND E.VereinNr >= :VereinNrAb AND E.VereinNr <= :VereinNrBis"
                                " AND DK.Teilmeisterschaft = :Teilmeister\r\nORDER BY E.VereinNr, M.Name, M.Vorname, E.Disziplin", true},
        {"Zusammen1 Startkarten", "SELECT ERGEBNIS.*, EVEREIN.Name AS VerName, AWKTAG.Datum\r\nFROM ERGEBNIS, EVEREIN, AWKTAG\r\n"
                            "WHERE ERGEBNIS.VereinNr = EVEREIN.VereinNr AND ERGEBNIS.WKTag = AWKTAG.WKTag"
                            " AND ERGEBNIS.Ident = AWKTAG.Ident AND ERGEBNIS.Ident = 1\r\n"
                            "AND ERGEBNIS.MitglNr IN (\"11010001\",\"11010002\")\r\n"
                            "ORDER BY ERGEBNIS.MitglNr,ERGEBNIS.VereinNr,AWKTAG.DAtum", true},
        {"Rechnung1 Rechnung", "SELECT E.VereinNr, E.Disziplin, E.EKlasse, V.Bank, V.Konto, V.BLZ, E.AManuell, V.Titel, V.Name,"
                         " V.Vorstand, V.PLZ, V.Ort, V.Strasse, V.Kreis, V.Abkuerzung, DK.StgGrpEinzel, V.Startgeld, V.RechNr\r\n"
                         "FROM ERGEBNIS E, EVEREIN V, PDISKLA DK, PSTARTG S\r\nWHERE E.VereinNr = V.VereinNr"
                         " AND E.Disziplin = DK.Disziplin AND E.EKlasse = DK.Klasse AND E.Ident = DK.Ident"
                         " AND DK.StgGrpEinzel = S.StgGrp AND S.Ident = E.Ident AND S.Betrag > 0 AND E.Ident = :Ident"
                         " AND E.VereinNr >= :VereinAb AND E.VereinNr <= :VereinBis\r\nORDER BY E.VereinNr,E.Disziplin,E.EKlasse", true},
        {"Rechnung1 Ummeldungen", "SELECT *\r\nFROM EMANNSCH\r\nWHERE Ident = 1  AND Ummeldung > 0", true},
        {"Einladung1 Einladungen", "SELECT M.Name, M.Vorname, M.PLZ, M.Ort, M.Strasse, M.Geschlecht, M.Titel, MZ.MitglNr, MZ.Tagessatz,"
                          " MZ.Beginn, A.Name AS AnlName, MZ.VereinNr, WK.Datum, MI.Name AS MitName, MT.Seit\r\n"
                          "FROM MITARB MT, MSPESEN MZ, EMITGLIED M, PANLAGE A, MITART MI, AWKTAG WK\r\n"
                          "WHERE MT.MitglNr = MZ.MitglNr AND MT.Ident = MZ.Ident AND MZ.MitglNr = M.MitglNr"
                          " AND MZ.MitArt = MI.MitArt AND MZ.WKTag = WK.WKTag AND MZ.Ident = WK.Ident"
                          " AND MZ.Anlage = A.Anlage AND MZ.Ident = A.Ident AND MZ.Teilmeisterschaft = WK.Teilmeisterschaft"
                          " AND MZ.Ident = :Ident\r\nORDER BY M.Name,M.Vorname,WK.Datum", true},
        {"Mitarbeiterstatistik", lines({"SELECT M.Name,M.Vorname,M.Titel AS VorTitel,M.Jahrgang,M.Monat,M.Tag,",
                                   "       M.MitglNr,B.Seit,", "       V.Name AS VerName,V.Titel,V.Abkuerzung,V.VereinNr",
                                   "FROM EMITGLIED M, MITARB B, EVEREIN V, EMITVER E", "WHERE M.MitglNr = E.MitglNr",
                                   "  AND M.MitglNr = B.MitglNr", "  AND E.VereinNr = V.VereinNr", "  AND B.Seit <> ''",
                                   "  AND B.Seit <= :Seit"}) + " ORDER BY V.VereinNr,M.Name,M.Vorname", true},
    };
}

} // namespace JobQueries
