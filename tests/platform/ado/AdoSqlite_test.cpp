// Reading rows straight from SQLite: literals of comparisons bound as
// values, statements kept per connection and compiled once, values read as
// the datasets expect them, and errors that name the statement.

#include "platform/ado/Ado.h"
#include "platform/ado/AdoSqlite.h"
#include "platform/host/Datamod.h"
#include "tests/support/Fixture.h"

#include <QFile>
#include <gtest/gtest.h>

using Ado::detail::LiteralsAsParameters;
using Datamod::DataModule1;

namespace {

struct Geteilt {
    QString text;
    QVariantList werte;
};

Geteilt teilen(const QString& sql, const QVariantList& gebunden = {})
{
    Geteilt g;
    g.text = LiteralsAsParameters(sql, gebunden, &g.werte);
    return g;
}

QStringList spalte(Ado::TDataSet& ds, const QString& feld)
{
    QStringList out;
    for (ds.First(); !ds.Eof(); ds.Next())
        out << ds.FieldByName(feld)->AsString();
    return out;
}

std::unique_ptr<Ado::TADOQuery> abfrage(const QString& sql)
{
    return DataModule1()->DynQuery(sql, Ado::clUseServer, Ado::ltReadOnly);
}

Ado::detail::TSqliteStatements* anweisungen()
{
    return DataModule1()->Connection()->SqliteStatements();
}

} // namespace

TEST(LiteraleAlsWerte, VergleicheHinterFromWerdenGebundenInDerReihenfolgeDerFragezeichen)
{
    // Literals of comparisons become "?" with their values, typed as
    // SQLite reads them; a "?" already there keeps its value in its place.
    const Geteilt g = teilen("SELECT *\r\nFROM ERGEBNIS\r\nWHERE Ident = 5\r\n  AND MVereinNr = 'O''Brien'\r\n"
                             "  AND Ergebnis >= 9.5 AND Klasse <> ? AND Name LIKE 'M%' AND Leer = ''",
                             {QVariant(QStringLiteral("10"))});
    EXPECT_EQ(g.text, "SELECT *\r\nFROM ERGEBNIS\r\nWHERE Ident = ?\r\n  AND MVereinNr = ?\r\n"
                      "  AND Ergebnis >= ? AND Klasse <> ? AND Name LIKE ? AND Leer = ?");
    ASSERT_EQ(g.werte.size(), 6);
    EXPECT_EQ(g.werte[0].typeId(), QMetaType::LongLong);
    EXPECT_EQ(g.werte[0].toLongLong(), 5);
    EXPECT_EQ(g.werte[1].toString(), "O'Brien");
    EXPECT_EQ(g.werte[2].typeId(), QMetaType::Double);
    EXPECT_EQ(g.werte[2].toDouble(), 9.5);
    EXPECT_EQ(g.werte[3].toString(), "10");
    EXPECT_EQ(g.werte[4].toString(), "M%");
    // An empty literal stays text: bound as NULL it would match nothing.
    EXPECT_EQ(g.werte[5].typeId(), QMetaType::QString);
    EXPECT_FALSE(g.werte[5].toString().isNull());

    // Conditions of a subquery in FROM or WHERE, and of a WITH, are bound.
    EXPECT_EQ(teilen("WITH W AS (SELECT a = 1 AS b FROM T WHERE c = 2) SELECT * FROM (SELECT x FROM W WHERE b = 3) "
                     "WHERE EXISTS (SELECT 1 FROM U WHERE d = 'e')")
                  .text,
              "WITH W AS (SELECT a = 1 AS b FROM T WHERE c = ?) SELECT * FROM (SELECT x FROM W WHERE b = ?) "
              "WHERE EXISTS (SELECT 1 FROM U WHERE d = ?)");

    // Two statements that differ only in such values have the same text.
    EXPECT_EQ(teilen("SELECT Name FROM EMITGLIED WHERE MitglNr = '17'").text,
              teilen("SELECT Name FROM EMITGLIED WHERE MitglNr = '4711'").text);
}

TEST(LiteraleAlsWerte, WasDieSpaltenOderDieBedeutungAendertBleibtWieGeschrieben)
{
    const QStringList unveraendert = {
        // The select list names columns by their text, subqueries included.
        "SELECT Ergebnis > 0, (SELECT COUNT(*) FROM PANLAGE WHERE Anlage = 1) AS N FROM ERGEBNIS",
        "SELECT * FROM (SELECT Ergebnis > 0 FROM ERGEBNIS)",
        // Column numbers, limits, function arguments, signed numbers, IN lists.
        "SELECT Name FROM EMITGLIED ORDER BY 1 LIMIT 10",
        "SELECT Name FROM EMITGLIED WHERE MID(Name, 1, 2) IN ('Mü', 'Ma') AND Jahrgang = -1",
        // Quoted names, comments, words that start with digits, blobs.
        "SELECT \"a = 'b'\" FROM T WHERE [x = 1] = \"y\" -- Wert = 5\r\n AND z = X'00' /* = 'c' */",
        "SELECT a FROM T WHERE b = 0x1F OR c = 1abc",
    };
    for (const QString& sql : unveraendert) {
        const Geteilt g = teilen(sql);
        EXPECT_EQ(g.text, sql);
        EXPECT_TRUE(g.werte.isEmpty()) << sql.toStdString();
    }
    // Placeholders of other kinds, a value missing for a "?", one left over
    // or an open literal: the statement goes as it is, with its own values.
    for (const auto& [sql, gebunden] : std::initializer_list<std::pair<QString, QVariantList>>{
             {"SELECT a FROM T WHERE b = :Wert AND c = 1", {}},
             {"SELECT a FROM T WHERE b = ?1 AND c = 1", {1}},
             {"SELECT a FROM T WHERE b = ? AND c = 1", {}},
             {"SELECT a FROM T WHERE c = 1", {1}},
             {"SELECT a FROM T WHERE c = 'offen", {}},
         }) {
        const Geteilt g = teilen(sql, gebunden);
        EXPECT_EQ(g.text, sql);
        EXPECT_EQ(g.werte, gebunden) << sql.toStdString();
    }
}

TEST(GehalteneAnweisungen, GleicheFormWirdEinmalUebersetztUndLiefertJeWerteDieRichtigenZeilen)
{
    Fixture::Database db;
    if (Fixture::Database::OnPostgres())
        GTEST_SKIP() << "nur SQLite hält Anweisungen";
    db.insert("EMITGLIED", {{"MitglNr", "17"}, {"Name", "Huber"}, {"Vorname", ""}});
    db.insert("EMITGLIED", {{"MitglNr", "4711"}, {"Name", "O'Brien"}, {"Vorname", "Seán"}});
    db.insert("EMITGLIED", {{"MitglNr", "5"}, {"Name", "Maier"}, {"Vorname", "Hans"}});
    anweisungen()->Clear();
    const QString form = "SELECT Name,Vorname\r\nFROM EMITGLIED\r\nWHERE MitglNr = ";
    EXPECT_EQ(spalte(*abfrage(form + Ado::QuotedStr("4711")), "Name"), QStringList{"O'Brien"});
    EXPECT_EQ(spalte(*abfrage(form + Ado::QuotedStr("17")), "Name"), QStringList{"Huber"});
    EXPECT_TRUE(spalte(*abfrage(form + Ado::QuotedStr("99")), "Name").isEmpty());
    EXPECT_EQ(anweisungen()->Count(), 1);
    // '' finds the empty first name, not NULL; an apostrophe in the value
    // is part of it.
    EXPECT_EQ(spalte(*abfrage("SELECT Name FROM EMITGLIED WHERE Vorname = ''"), "Name"), QStringList{"Huber"});
    EXPECT_EQ(spalte(*abfrage("SELECT MitglNr FROM EMITGLIED WHERE Name = " + Ado::QuotedStr("O'Brien")), "MitglNr"),
              QStringList{"4711"});
    // A number against a text column compares as SQLite compares the
    // written literal.
    EXPECT_EQ(spalte(*abfrage("SELECT Name FROM EMITGLIED WHERE MitglNr = 17"), "Name"), QStringList{"Huber"});

    // A dataset with parameters reopened with new values.
    auto q = DataModule1()->DynQuery("SELECT Name FROM EMITGLIED WHERE MitglNr = :Nr AND Name <> 'X'",
                                     Ado::clUseServer, Ado::ltReadOnly);
    for (const auto& [nr, name] : {std::pair{"5", "Maier"}, std::pair{"17", "Huber"}}) {
        q->Close();
        q->ParamByName("Nr")->SetValue(nr);
        q->Open();
        EXPECT_EQ(spalte(*q, "Name"), QStringList{name});
    }
}

TEST(GehalteneAnweisungen, WerteKommenMitTypUndHerkunftWieDieDatenmengenSieErwarten)
{
    Fixture::Database db;
    if (Fixture::Database::OnPostgres())
        GTEST_SKIP() << "nur SQLite liest direkt";
    db.insert("EMITGLIED", {{"MitglNr", "1"}, {"Name", "Groß"}, {"Vorname", ""}});
    auto q = abfrage("SELECT M.Name, M.Vorname, NULL AS Nichts, 7 AS Ganz, 2.5 AS Komma, X'41' AS Roh, \"Zitat\" AS \"Q\"\r\n"
                     "FROM EMITGLIED M WHERE M.MitglNr = '1'");
    ASSERT_EQ(q->RecordCount(), 1);
    EXPECT_EQ(q->FieldByName("Name")->AsString(), "Groß");
    EXPECT_EQ(q->FieldByName("Name")->BaseTable(), "EMITGLIED");
    EXPECT_EQ(q->FieldByName("Name")->BaseColumn(), "Name");
    EXPECT_EQ(q->FieldByName("Name")->DataType(), Ado::ftString);
    EXPECT_TRUE(q->FieldByName("Vorname")->Value().isValid()); // '' is a value
    EXPECT_FALSE(q->FieldByName("Nichts")->Value().isValid()); // NULL is none
    EXPECT_EQ(q->FieldByName("Ganz")->DataType(), Ado::ftInteger);
    EXPECT_EQ(q->FieldByName("Ganz")->Value().typeId(), QMetaType::LongLong);
    EXPECT_EQ(q->FieldByName("Komma")->DataType(), Ado::ftFloat);
    EXPECT_EQ(q->FieldByName("Komma")->AsFloat(), 2.5);
    EXPECT_EQ(q->FieldByName("Roh")->Value().toByteArray(), QByteArray("A"));
    EXPECT_EQ(q->FieldByName("Q")->AsString(), "Zitat");
    EXPECT_TRUE(q->FieldByName("Ganz")->BaseTable().isEmpty());
}

TEST(GehalteneAnweisungen, GeaenderteTabellenFehlerUndSchliessenDerVerbindung)
{
    Fixture::Database db;
    if (Fixture::Database::OnPostgres())
        GTEST_SKIP() << "nur SQLite hält Anweisungen";
    db.exec("CREATE TABLE ZWISCHEN (Nr INTEGER, Text VARCHAR(10))");
    db.exec("INSERT INTO ZWISCHEN VALUES (1, 'eins')");
    const QString sql = "SELECT * FROM ZWISCHEN WHERE Nr = 1";
    EXPECT_EQ(abfrage(sql)->FieldCount(), 2);
    // A table dropped and made anew with other columns: the kept statement
    // is compiled again and reads the new columns.
    db.exec("DROP TABLE ZWISCHEN");
    db.exec("CREATE TABLE ZWISCHEN (Nr INTEGER, Text VARCHAR(10), Mehr VARCHAR(5))");
    db.exec("INSERT INTO ZWISCHEN VALUES (1, 'neu', 'x')");
    auto q = abfrage(sql);
    EXPECT_EQ(q->FieldCount(), 3);
    EXPECT_EQ(spalte(*q, "Text"), QStringList{"neu"});
    db.exec("DROP TABLE ZWISCHEN");
    try {
        abfrage(sql);
        FAIL() << "keine Meldung";
    } catch (const Ado::EDatenfehler& e) {
        EXPECT_TRUE(e.Message().contains("die Tabelle ZWISCHEN fehlt")) << e.Message().toStdString();
        EXPECT_TRUE(e.Detail().contains(sql)) << e.Detail().toStdString();
    }
    EXPECT_THROW(abfrage("SELECT 1 FROM PANLAGE; DELETE FROM PANLAGE"), Ado::EDatenfehler);

    // Closing with statements kept releases the file: it can be removed
    // and opened again.
    abfrage("SELECT Name FROM EMITGLIED WHERE MitglNr = '1'");
    ASSERT_GT(anweisungen()->Count(), 0);
    Ado::TADOConnection& c = *DataModule1()->Connection();
    c.Close();
    EXPECT_EQ(c.SqliteStatements(), nullptr);
    QString fehler;
    ASSERT_TRUE(c.Open(db.path(), &fehler)) << fehler.toStdString();
    EXPECT_EQ(anweisungen()->Count(), 0);
    EXPECT_EQ(abfrage("SELECT COUNT(*) AS N FROM EMITGLIED")->FieldByName("N")->AsInteger(), 0);
}

TEST(GehalteneAnweisungen, DatumUndZeitSpaltenWerdenGelesenWieGespeichert)
{
    Fixture::Database db;
    if (Fixture::Database::OnPostgres())
        GTEST_SKIP() << "Text in Datumsspalten gibt es nur in SQLite";
    db.exec("CREATE TABLE ZEITEN (Nr INTEGER, Tag DATE, Uhr TIME, Stempel DATETIME)");
    db.exec("INSERT INTO ZEITEN VALUES (1, '2024-02-29', '08:05:09', '2024-02-29 10:00:00')");
    db.exec("INSERT INTO ZEITEN VALUES (2, '2024-02-30', '25:00:00', 'kein Datum')");
    db.exec("INSERT INTO ZEITEN VALUES (3, '2024-03-01 12:00', '8:05', '01.03.2024 7:30')");
    db.exec("INSERT INTO ZEITEN VALUES (4, '', '08:05', '')");
    auto q = abfrage("SELECT * FROM ZEITEN ORDER BY Nr");
    auto wert = [&](int nr, const char* feld) {
        q->Locate("Nr", {nr});
        return q->FieldByName(feld)->Value();
    };
    EXPECT_EQ(wert(1, "Tag"), QVariant(QDate(2024, 2, 29)));
    EXPECT_EQ(wert(1, "Uhr"), QVariant(QTime(8, 5, 9)));
    EXPECT_EQ(wert(1, "Stempel").toDateTime(), QDateTime(QDate(2024, 2, 29), QTime(10, 0)));
    // What is no date or time stays the stored text.
    EXPECT_EQ(wert(2, "Tag"), QVariant(QStringLiteral("2024-02-30")));
    EXPECT_EQ(wert(2, "Uhr"), QVariant(QStringLiteral("25:00:00")));
    EXPECT_EQ(wert(2, "Stempel"), QVariant(QStringLiteral("kein Datum")));
    // Other shapes through the general reading.
    EXPECT_EQ(wert(3, "Tag"), QVariant(QDate(2024, 3, 1)));
    EXPECT_EQ(wert(3, "Uhr"), QVariant(QTime(8, 5)));
    EXPECT_EQ(wert(3, "Stempel").toDateTime(), QDateTime(QDate(2024, 3, 1), QTime(7, 30)));
    EXPECT_EQ(wert(4, "Uhr"), QVariant(QTime(8, 5)));
    EXPECT_EQ(wert(4, "Tag").toString(), "");
}
