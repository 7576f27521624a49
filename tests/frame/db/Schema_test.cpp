// The championship database answers the statements of the print jobs as
// they are written: joins in parentheses, MID, DateValue, double-quoted
// literals, an output alias counted by name, results with finals in tenths,
// and the statements the module writes with.

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "reports1/frame/db/Schema.h"
#include "tests/frame/db/JobQueries.h"
#include "tests/support/Fixture.h"

#include <gtest/gtest.h>

using Datamod::DataModule1;

namespace {

const QString CRLF = "\r\n";

QString lines(const QStringList& l) { return l.join(CRLF); }

std::unique_ptr<Ado::TADOQuery> open(const QString& sql, const QVariantMap& params = {})
{
    auto q = DataModule1()->DynQuery(sql);
    if (!q->Active()) {
        for (int i = 0; i < q->ParamCount(); ++i) {
            const QString name = q->Param(i)->Name();
            for (auto it = params.begin(); it != params.end(); ++it)
                if (it.key().compare(name, Qt::CaseInsensitive) == 0)
                    q->Param(i)->SetValue(it.value());
        }
        q->Open();
    }
    return q;
}

QStringList rows(Ado::TDataSet& ds, const QStringList& fields)
{
    QStringList out;
    for (ds.First(); !ds.Eof(); ds.Next()) {
        QStringList r;
        for (const QString& f : fields)
            r << ds.FieldByName(f)->AsString();
        out << r.join("|");
    }
    return out;
}

void start(Fixture::Database& db, Fixture::Values v) { db.insert("ERGEBNIS", v); }

TEST(Schema, HasEveryTableKeyAndNamedIndexAndAVersion)
{
    Fixture::Database db;
    Ado::TADOConnection& c = db.connection();
    for (const Schema::Table& t : Schema::Tables())
        EXPECT_TRUE(c.TableExists(t.name)) << t.name;
    EXPECT_EQ(Schema::InstalledVersion(c), Schema::Version);
    EXPECT_NO_THROW(Schema::Upgrade(c));
    EXPECT_THROW(Schema::Create(c), EHostFehler);
    // Column names as the engine keeps them: PostgreSQL folds them to lower case.
    const auto namen = [](const QStringList& l) { return l.join(',').toLower(); };
    EXPECT_EQ(namen(c.PrimaryKey("PDISKLA")), "ident,disziplin,klasse");
    EXPECT_EQ(namen(c.IndexFields("ERGEBNIS", "IDENTIFIKATION")), "ident,mitglnr,disziplin,druckdat");
    EXPECT_EQ(namen(c.IndexFields("EMEDAILLE", "IDENTIFIKATION")), "vereinnr");
    EXPECT_EQ(namen(c.IndexFields("PSTARTG", "IDENTIFIKATION")), "ident,stggrp");
    db.exec("UPDATE SCHEMAVERSION SET Version = 99");
    EXPECT_THROW(Schema::Upgrade(c), EHostFehler);
    // Every statement is valid PostgreSQL text too (checked for shape only).
    EXPECT_TRUE(Schema::Statements(Ado::engPostgreSQL).join("\n").contains("DOUBLE PRECISION"));
}

TEST(Schema, AStartNamingOnlySomeColumnsComparesAsTheJobsExpect)
{
    Fixture::Database db;
    start(db, {{"Ident", 1}, {"MitglNr", "1"}, {"VereinNr", "1201"}});
    EXPECT_EQ(db.count("ERGEBNIS", "MVereinNr = '' AND MDisziplin = '' AND Ergebnis = 0 AND Finale = 0 "
                                   "AND Disqualifikation = 0 AND Qual = 'N' AND Abmeldung = 'N' AND Anlage = 0 "
                                   "AND AManuell = '' AND Serien = '' AND DruckDat IS NULL AND Bezirk = '12'"),
              1);
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}});
    EXPECT_EQ(db.count("PDISKLA", "ErgebEing = '' AND ErgebEing <> 'X' AND AnzWertung = 0"), 1);
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1201"}});
    EXPECT_EQ(db.count("EMANNSCH", "AnzMannsch = AnzMannschIst AND MUmmeldung = 'N'"), 1);
}

TEST(JobStatements, StartStatisticsJoinsRangesAndDisciplinesOfEveryChampionship)
{
    Fixture::Database db;
    db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 1}, {"Name", "Halle \"Nord\""}});
    db.insert("PANLAGE", {{"Ident", 2}, {"Anlage", 1}, {"Name", "Halle Süd"}});
    db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 2}, {"Name", "KK-Stand"}});
    db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}});
    for (int i = 0; i < 3; ++i)
        start(db, {{"Ident", 1}, {"MitglNr", QString::number(i)}, {"Disziplin", "110"}, {"EKlasse", "10"},
                   {"Anlage", 1}, {"Teilmeisterschaft", "1"}, {"Ergebnis", i == 2 ? 0 : 380}});
    start(db, {{"Ident", 1}, {"MitglNr", "9"}, {"Disziplin", "110"}, {"EKlasse", "11"}, {"Anlage", 2},
               {"Teilmeisterschaft", "1"}, {"Ergebnis", 390}});
    auto q = open(lines({"SELECT E.Teilmeisterschaft, A.Anlage, A.Name, ", "       E.Disziplin, E.EKlasse, ",
                         "       D.Name AS Bezeichnung, ", "       Count(E.EKlasse) AS Anzahl",
                         "FROM (ERGEBNIS AS E ", "      INNER JOIN PANLAGE AS A ON E.Anlage = A.Anlage) ",
                         "      INNER JOIN PDISZIPLIN AS D ON E.Disziplin = D.Disziplin",
                         "WHERE (((E.Ergebnis)>0))",
                         "GROUP BY E.Teilmeisterschaft, A.Anlage, A.Name, E.Disziplin, E.EKlasse, D.Name",
                         "ORDER BY E.Teilmeisterschaft, A.Name, E.Disziplin, E.EKlasse;"}));
    EXPECT_EQ(rows(*q, {"Teilmeisterschaft", "Anlage", "Name", "Disziplin", "EKlasse", "Bezeichnung", "Anzahl"}),
              (QStringList{"1|1|Halle \"Nord\"|110|10|Luftgewehr|2", "1|1|Halle Süd|110|10|Luftgewehr|2",
                           "1|2|KK-Stand|110|11|Luftgewehr|1"}));
}

TEST(JobStatements, StarterListCountsTheStartsOfEachGroup)
{
    Fixture::Database db;
    db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}});
    db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "10"}, {"Name", "Schützenklasse"}});
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}, {"Teilmeisterschaft", "1"}});
    start(db, {{"Ident", 1}, {"MitglNr", "1"}, {"Disziplin", "110"}, {"EKlasse", "10"}, {"Teilmeisterschaft", "1"}, {"Ergebnis", 370}});
    start(db, {{"Ident", 1}, {"MitglNr", "2"}, {"Disziplin", "110"}, {"EKlasse", "10"}, {"Teilmeisterschaft", "1"}, {"Ergebnis", 360}, {"Abmeldung", "A"}});
    start(db, {{"Ident", 1}, {"MitglNr", "3"}, {"Disziplin", "110"}, {"EKlasse", "10"}, {"Teilmeisterschaft", "2"}});
    start(db, {{"Ident", 2}, {"MitglNr", "4"}, {"Disziplin", "110"}, {"EKlasse", "10"}, {"Teilmeisterschaft", "1"}});

    auto groups = open(lines({"SELECT DISTINCT Disziplin,EKlasse", "FROM ERGEBNIS", "WHERE Ident = :Ident",
                              "  AND Teilmeisterschaft = :Teilmeister", "ORDER BY Disziplin,EKlasse"}),
                       {{"Ident", 1}, {"Teilmeister", "1"}});
    EXPECT_EQ(rows(*groups, {"Disziplin", "EKlasse"}), QStringList{"110|10"});

    const QStringList head = {"SELECT E.Disziplin,E.EKlasse,D.Name as DisName,", "       K.Name as KlaName,K.Klasse",
                              "FROM ERGEBNIS E, PDISZIPLIN D, PDISKLA DK, PKLASSE K", "WHERE E.Disziplin = D.Disziplin",
                              "  AND E.EKlasse = DK.Klasse", "  AND E.Disziplin = DK.Disziplin",
                              "  AND E.EKlasse = K.Klasse", "  AND E.Ident = D.Ident", "  AND E.Ident = K.Ident",
                              "  AND E.Ident = DK.Ident"};
    const QStringList tail = {"  AND E.Ident = :Ident", "  AND E.Disziplin = :Disziplin", "  AND E.EKlasse = :KLasse"};
    const QVariantMap p = {{"Ident", 1}, {"Disziplin", "110"}, {"KLasse", "10"}, {"Teilmeister", "1"}};
    auto all = open(lines(head + tail + QStringList{"ORDER BY E.Disziplin,E.EKlasse"}), p);
    EXPECT_EQ(all->RecordCount(), 3);
    EXPECT_EQ(all->FieldByName("DisName")->AsString(), "Luftgewehr");
    EXPECT_EQ(all->FieldByName("KlaName")->AsString(), "Schützenklasse");
    auto one = open(lines(head + tail + QStringList{"  AND E.Teilmeisterschaft = :Teilmeister", "ORDER BY E.Disziplin,E.EKlasse"}), p);
    EXPECT_EQ(one->RecordCount(), 2);
    auto started = open(lines(head + QStringList{"  AND E.Ergebnis > 0", "  AND E.Abmeldung = 'N'"} + tail
                              + QStringList{"ORDER BY E.Disziplin,E.EKlasse"}), p);
    EXPECT_EQ(started->RecordCount(), 1);
}

TEST(JobStatements, IndividualRankingOrdersByResultPlusFinalInTenthsThenTieBreaks)
{
    Fixture::Database db;
    db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}, {"Kennung", "A"}});
    db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "10"}, {"Name", "Schützenklasse"}, {"Zusatz", "männlich"}});
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}, {"ErgebEing", "X"}});
    db.insert("EVEREIN", {{"VereinNr", "1201"}, {"Name", "Tell"}});
    struct S { const char* nr; const char* name; double erg, finale, stech; const char* serien; int disq; };
    const S s[] = {
        {"A", "Anger", 389, 1023, 0, "097097097098", 0},  // 491.3
        {"B", "Berger", 391, 1000, 0, "098097098098", 0}, // 491.0
        {"C", "Cramer", 391, 1000, 5, "090100100101", 0}, // 491.0, shoot-off
        {"D", "Dorn", 390, 1010, 0, "100100095095", 0},   // 491.0, better series text
        {"E", "Eder", 400, 1050, 0, "100100100100", 1},   // disqualified
        {"F", "Fuchs", 300, 0, 0, "075075075075", 0},
    };
    for (const S& x : s) {
        db.insert("EMITGLIED", {{"MitglNr", x.nr}, {"Name", x.name}, {"Vorname", "V"}});
        start(db, {{"Ident", 1}, {"MitglNr", x.nr}, {"VereinNr", "1201"}, {"Disziplin", "110"}, {"EKlasse", "10"},
                   {"Ergebnis", x.erg}, {"Finale", x.finale}, {"StechErg", x.stech}, {"Serien", x.serien},
                   {"Disqualifikation", x.disq}});
    }
    const QString sql =
        "SELECT E.Disziplin, E.Qual, (E.Ergebnis + (E.Finale / 10)) as Gesamt,E.Ergebnis,E.StechErg, E.Serien,\r\n"
        "       E.Zusatz, E.MessErg, E.Finale, E.Disqualifikation, E.Innenzehner, M.Name, M.MitglNr,\r\n"
        "       V.Name AS VerName, D.Kennung, K.Zusatz AS KlaZusatz, K.Name AS KlaName, DK.ErgebEing\r\n"
        "FROM EMITGLIED M, PDISKLA DK, ERGEBNIS E, EVEREIN V, PKLASSE K, PDISZIPLIN D\r\n"
        "WHERE E.MitglNr = M.MitglNr\r\n  AND E.VereinNr = V.VereinNr\r\n  AND E.Disziplin = D.Disziplin\r\n"
        "  AND E.Disziplin = DK.Disziplin\r\n  AND E.EKlasse = DK.Klasse\r\n  AND E.EKlasse = K.Klasse\r\n"
        "  AND E.Ident = DK.Ident\r\n  AND E.Ident = D.Ident\r\n  AND E.Ident = K.Ident\r\n"
        "  AND E.Ergebnis > 0"
        " AND (E.Ident = 1 OR E.Ident = 2)"
        " AND E.Disziplin = :Disziplin AND E.EKlasse = :Klasse AND E.Ident = :Ident\r\n"
        "ORDER BY E.Disziplin,E.Ident,E.EKlasse,Disqualifikation,"
        " (E.Ergebnis + (E.Finale / 10)) DESC,E.StechErg DESC, E.Zusatz DESC,E.Serien DESC,E.MessErg DESC,"
        " E.Zehner DESC,E.Neuner DESC,E.Achter DESC,E.InnenZehner DESC, E.ErgZentel DESC,M.Name,M.Vorname";
    auto q = open(sql, {{"Disziplin", "110"}, {"Klasse", "10"}, {"Ident", 1}});
    EXPECT_EQ(rows(*q, {"MitglNr"}), (QStringList{"A", "C", "D", "B", "F", "E"}));
    q->First();
    EXPECT_DOUBLE_EQ(q->FieldByName("Gesamt")->AsFloat(), 491.3);
    EXPECT_EQ(q->FieldByName("KlaZusatz")->AsString(), "männlich");
    q->SetFilter("Disqualifikation = 0");
    q->SetFiltered(true);
    EXPECT_EQ(q->RecordCount(), 5);
}

TEST(JobStatements, ParticipationStatisticsGroupByClubDistrictAndRegion)
{
    Fixture::Database db;
    db.insert("EVEREIN", {{"VereinNr", "1200"}, {"Abkuerzung", "GAU"}, {"Name", "Gau Isar"}});
    const char* clubs[] = {"1201", "1201", "1202", "1301", "2101"};
    int i = 0;
    for (const char* c : clubs)
        start(db, {{"Ident", 1}, {"MitglNr", QString::number(++i)}, {"VereinNr", c}, {"EKlasse", i % 2 ? "10" : "11"},
                   {"Ergebnis", i == 3 ? 0 : 350}});
    start(db, {{"Ident", 2}, {"MitglNr", "9"}, {"VereinNr", "1201"}, {"EKlasse", "10"}});

    auto club = open(lines({"SELECT VereinNr AS Bezirk,", "       Count(Bezirk) AS Anzahl", "FROM ERGEBNIS",
                            "WHERE Ident = 1", "GROUP BY VereinNr"}));
    EXPECT_EQ(rows(*club, {"Bezirk", "Anzahl"}), (QStringList{"1201|2", "1202|1", "1301|1", "2101|1"}));
    auto district = open(lines({"SELECT MID(VereinNr,1,2) AS Bezirk,", "       Count(Bezirk) AS Anzahl",
                                "FROM ERGEBNIS", "WHERE Ident = 1", "GROUP BY MID(VereinNr,1,2)"}));
    EXPECT_EQ(rows(*district, {"Bezirk", "Anzahl"}), (QStringList{"12|3", "13|1", "21|1"}));
    auto region = open(lines({"SELECT MID(VereinNr,1,1) AS Bezirk,", "       Count(Bezirk) AS Anzahl",
                              "FROM ERGEBNIS", "WHERE Ergebnis > 0", "  AND Ident = 1", "GROUP BY MID(VereinNr,1,1)"}));
    EXPECT_EQ(rows(*region, {"Bezirk", "Anzahl"}), (QStringList{"1|3", "2|1"}));
    auto classes = open(lines({"SELECT MID(VereinNr,1,2) AS Bezirk, EKlasse,", "       Count(EKlasse) AS Anzahl",
                               "FROM ERGEBNIS", "WHERE Ident = 1", "GROUP BY MID(VereinNr,1,2),EKlasse",
                               "ORDER BY MID(VereinNr,1,2),EKlasse"}));
    EXPECT_EQ(rows(*classes, {"Bezirk", "EKlasse", "Anzahl"}),
              (QStringList{"12|10|2", "12|11|1", "13|11|1", "21|10|1"}));
    auto name = open(lines({"SELECT Abkuerzung,Name", "FROM EVEREIN", "WHERE VereinNr = "
                            + Ado::QuotedStr(QString("12").leftJustified(4, '0'))}));
    EXPECT_EQ(name->FieldByName("Abkuerzung")->AsString() + " " + name->FieldByName("Name")->AsString(), "GAU Gau Isar");

    // Completeness list per district of a single organiser.
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", ""}, {"Klasse", "10"}});
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", ""}, {"Klasse", "11"}});
    db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", ""}, {"Name", "ohne"}});
    auto vollst = open("SELECT MID(E.VereinNr,1,2) as Bezirk,E.Disziplin,E.VereinNr,E.EKlasse,D.Name as DisName\r\n"
                       "FROM ERGEBNIS E, PDISKLA DK, PDISZIPLIN D\r\nWHERE E.Disziplin = DK.Disziplin\r\n"
                       "  AND E.EKlasse = DK.Klasse\r\n  AND E.Disziplin = D.Disziplin\r\n  AND E.Abmeldung = 'N'\r\n"
                       "  AND E.Ident = DK.Ident\r\n  AND E.Ident = D.Ident\r\n  AND E.Ident = :Ident\r\n"
                       "  AND MID(E.VereinNr,1,2) = :Verein\r\nORDER BY MID(E.VereinNr,1,2),E.Disziplin,E.EKlasse",
                       {{"Ident", 1}, {"Verein", "12"}});
    EXPECT_EQ(vollst->RecordCount(), 3);
}

TEST(JobStatements, CompetitionDayIsFoundByItsGermanDate)
{
    Fixture::Database db;
    db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 1}, {"Datum", "2025-03-08"}, {"Teilmeisterschaft", "1"}});
    db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 2}, {"Datum", "2025-03-09"}, {"Teilmeisterschaft", "1"}});
    db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 3}, {"Datum", "2025-03-08"}, {"Teilmeisterschaft", "2"}});
    auto find = [&](const QString& date) {
        const QString sql = QString("SELECT *\r\nFROM AWKTAG\r\nWHERE Ident = %1\r\n  AND Teilmeisterschaft = '%2'\r\n"
                                    "  AND Datum = DateValue(%3)")
                                .arg(1)
                                .arg("1")
                                .arg(Ado::QuotedStr(date));
        auto q = open(sql);
        return q->IsEmpty() ? 0 : q->FieldByName("WKTag")->AsInteger();
    };
    EXPECT_EQ(find("09.03.2025"), 2);
    EXPECT_EQ(find("8.3.2025"), 1);
    EXPECT_EQ(find("10.03.2025"), 0);
}

TEST(JobStatements, TheStatementsTheModuleWritesWith)
{
    Fixture::Database db;
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1201"}, {"Disziplin", "531"}, {"MKlasse", "10"}, {"MannschNr", "2"}});
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}, {"ZaehlerE", 4}, {"ZaehlerM", 2}});
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "11"}});
    db.insert("PDISKLA", {{"Ident", 2}, {"Disziplin", "110"}, {"Klasse", "10"}});
    db.insert("EVEREIN", {{"VereinNr", "1201"}, {"Startgeld", "0000002500"}});
    db.insert("EMEDAILLE", {{"VereinNr", "1201"}});
    start(db, {{"Ident", 1}, {"MitglNr", "5"}, {"Disziplin", "110"}});

    db.exec("UPDATE EMANNSCH SET MUmmeldung = 'J'\r\nWHERE Ident = 1\r\n  AND VereinNr = '1201'\r\n"
            "  AND Disziplin = '531'\r\n  AND MKlasse = '10'\r\n  AND MannschNr = '2'");
    EXPECT_EQ(db.count("EMANNSCH", "MUmmeldung = 'J'"), 1);
    db.exec("UPDATE EMANNSCH SET MUmmeldung = 'N'\r\nWHERE Ident = 1");
    EXPECT_EQ(db.count("EMANNSCH", "MUmmeldung = 'J'"), 0);
    db.exec("UPDATE PDISKLA SET ErgebEing = 'X'WHERE Ident = 1");
    EXPECT_EQ(db.count("PDISKLA", "ErgebEing = 'X'"), 2);
    db.exec("UPDATE PDISKLA SET ErgebEing = ''\r\nWHERE Ident = 1\r\n  AND Disziplin = '110'\r\n  AND Klasse = '11'");
    EXPECT_EQ(db.count("PDISKLA", "ErgebEing = 'X'"), 1);
    auto marked = open("SELECT DISTINCT Disziplin,Ident\r\nFROM PDISKLA\r\nWHERE ErgebEing = \"X\"\r\n  AND Ident = :Ident\r\n"
                       "ORDER BY Disziplin",
                       {{"Ident", 1}});
    EXPECT_EQ(marked->RecordCount(), 1);
    db.exec("UPDATE PDISKLA SET ZaehlerE = 0,\r\n        ZaehlerM = 0\r\nWHERE Ident = 1");
    EXPECT_EQ(db.count("PDISKLA", "ZaehlerE + ZaehlerM > 0"), 0);
    db.exec(QString("INSERT INTO EREGEL (Nummer,Regel)\r\nValues (%1,%2)").arg(1).arg(Ado::QuotedStr("0.7.4")));
    db.exec(QString("UPDATE ERGEBNIS SET Disqualifikation = %1\r\nWHERE Ident = 1\r\n  AND MitglNr = %2\r\n  AND Disziplin = %3")
                .arg(1).arg(Ado::QuotedStr("5"), Ado::QuotedStr("110")));
    db.exec("UPDATE ERGEBNIS SET Abmeldung = 'A'\r\nWHERE Ident = 1\r\n  AND MitglNr = '5'\r\n  AND Disziplin = '110'");
    EXPECT_EQ(db.count("ERGEBNIS", "Disqualifikation = 1 AND Abmeldung = 'A'"), 1);
    auto rule = open("SELECT *\r\nFROM EREGEL\r\nWHERE Regel = '0.7.4'   OR Regel = '0.7.4.4'");
    EXPECT_EQ(rule->FieldByName("Nummer")->AsInteger(), 1);
    db.exec("UPDATE EVEREIN SET Startgeld = ''");
    EXPECT_EQ(db.count("EVEREIN", "Startgeld <> ''"), 0);
    db.exec("DELETE FROM EMEDAILLE");
    EXPECT_EQ(db.count("EMEDAILLE"), 0);

    QStringList v;
    for (int i = 0; i < 19; ++i)
        v << Ado::QuotedStr(i == 9 ? "Dr. Seán O'Brien" : QString::number(i));
    db.exec("DELETE FROM EURKUNDEE");
    db.exec(QString("INSERT INTO EURKUNDEE (Disziplin,EKlasse,Platz,Nummer,\r\n  Name1,Name2,Sportjahr,DisziplinName,KlasseName,\r\n"
                    "  Name,Verein,RingEinzel,RingMannsch,RingZusatz,\r\n  Ober,Sportl,Titel,Abkuerzung,Rekord)\r\nValues\r\n"
                    " (%1)").arg(v.join(",")));
    EXPECT_EQ(db.value("SELECT Name FROM EURKUNDEE").toString(), "Dr. Seán O'Brien");
    db.exec("DELETE FROM EURKUNDEM");
    db.exec(QString("INSERT INTO EURKUNDEM (Disziplin,MKlasse,Platz,Nummer,Name1,Name2,Sportjahr,DisziplinName,KlasseName,"
                    "VerTitel,VerName,Mitglied,RingEinzel,RingMannsch,RingZusatz,Ober,Sportl,Abkuerzung,Rekord)\r\nValues\r\n (%1)")
                .arg(v.join(",")));
    EXPECT_EQ(db.count("EURKUNDEM"), 1);
}

// Statements of the jobs as they are written: each must find
// every column it names, on a generated championship, and the ones that
// list what a championship always has must find rows.
TEST(JobStatements, JobQueriesFindTheirColumnsAndDataInAGeneratedChampionship)
{
    auto db = Fixture::Database::Generated(600, 3);
    EXPECT_EQ(Datamod::iIdent, 1);
    EXPECT_EQ(Datamod::sVeranstaltung, "Bezirksmeisterschaft 2025");
    const QVariantMap p = JobQueries::Parameters();
    for (const JobQueries::Q& q : JobQueries::All()) {
        SCOPED_TRACE(q.what);
        std::unique_ptr<Ado::TADOQuery> ds;
        try {
            ds = open(q.sql, p);
        } catch (const Ado::EDatenfehler& e) {
            ADD_FAILURE() << q.what << ": " << e.Message().toStdString();
            continue;
        }
        if (q.rows) {
            EXPECT_GT(ds->RecordCount(), 0) << q.what;
        }
    }
}

} // namespace
