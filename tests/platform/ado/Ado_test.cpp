// Datasets on SQLite: fields, parameters, navigation, filters, Locate,
// writing back, client datasets with descending indexes, tables with named
// indexes, the functions and LIKE of the connection, quoting.

#include "platform/ado/Ado.h"
#include "platform/ado/AdoSqlite.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "tests/support/Fixture.h"

#include <gtest/gtest.h>

using Datamod::DataModule1;

namespace {

std::unique_ptr<Ado::TADOQuery> query(const QString& sql, Ado::TLockType lock = Ado::ltUnspecified)
{
    return DataModule1()->DynQuery(sql, Ado::clUseServer, lock);
}

QStringList column(Ado::TDataSet& ds, const QString& field)
{
    QStringList out;
    for (ds.First(); !ds.Eof(); ds.Next())
        out << ds.FieldByName(field)->AsString();
    return out;
}

TEST(Quoting, DoublesQuotesSoAnApostropheNeverBreaksAStatement)
{
    Fixture::Database db;
    EXPECT_EQ(Ado::QuotedStr("O'Brien"), "'O''Brien'");
    EXPECT_EQ(Ado::QuotedStr(""), "''");
    EXPECT_EQ(Ado::QuotedStr("''"), "''''''");
    db.insert("EMITGLIED", {{"MitglNr", "1"}, {"Name", "O'Brien"}});
    db.insert("EMITGLIED", {{"MitglNr", "2"}, {"Name", "Obrien"}});
    db.exec("UPDATE EMITGLIED SET Vorname = " + Ado::QuotedStr("Seán 'Jack'") + " WHERE Name = " + Ado::QuotedStr("O'Brien"));
    auto q = query("SELECT * FROM EMITGLIED WHERE Name = " + Ado::QuotedStr("O'Brien"));
    ASSERT_EQ(q->RecordCount(), 1);
    EXPECT_EQ(q->FieldByName("Vorname")->AsString(), "Seán 'Jack'");
    EXPECT_EQ(db.count("EMITGLIED", "Vorname = ''"), 1);
}

TEST(Navigation, FirstNextEofBofLastAndRecNoBehaveLikeTheHostsDatasets)
{
    Fixture::Database db;
    for (int i = 1; i <= 3; ++i)
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", i}, {"Name", QString("Stand %1").arg(i)}});
    auto q = query("SELECT Anlage, Name FROM PANLAGE ORDER BY Anlage DESC");
    EXPECT_TRUE(q->Active());
    EXPECT_EQ(q->RecordCount(), 3);
    EXPECT_TRUE(q->Bof());
    EXPECT_FALSE(q->Eof());
    EXPECT_EQ(q->RecNo(), 1);
    EXPECT_EQ(q->FieldByName("anlage")->AsInteger(), 3); // names ignore case
    QStringList seen;
    while (!q->Eof()) {
        seen << q->FieldByName("Name")->AsString();
        q->Next();
    }
    EXPECT_EQ(seen, (QStringList{"Stand 3", "Stand 2", "Stand 1"}));
    EXPECT_EQ(q->RecNo(), 3); // Next at the end stays on the last record
    q->Prior();
    EXPECT_EQ(q->FieldByName("Anlage")->AsInteger(), 2);
    q->Last();
    EXPECT_TRUE(q->Eof());
    EXPECT_EQ(q->FieldByName("Anlage")->AsInteger(), 1);
    q->First();
    q->Prior();
    EXPECT_TRUE(q->Bof());
    q->SetRecNo(2);
    EXPECT_EQ(q->FieldByName("Anlage")->AsInteger(), 2);

    auto empty = query("SELECT * FROM PANLAGE WHERE Anlage > 99");
    EXPECT_TRUE(empty->IsEmpty());
    EXPECT_TRUE(empty->Eof());
    EXPECT_TRUE(empty->Bof());
    EXPECT_EQ(empty->RecNo(), 0);
    EXPECT_TRUE(empty->FieldByName("Name")->IsNull());
    EXPECT_EQ(empty->FieldByName("Name")->AsString(), "");

    EXPECT_EQ(q->FindField("Nirgends"), nullptr);
    try {
        q->FieldByName("Nirgends");
        FAIL() << "no exception";
    } catch (const Ado::EDatenfehler& e) {
        EXPECT_TRUE(e.Message().contains("Nirgends"));
    }
    q->Close();
    EXPECT_FALSE(q->Active());
    EXPECT_EQ(q->RecordCount(), 0);
}

TEST(Fields, ConvertResultsDatesAndTimesAsTheJobsReadThem)
{
    Fixture::Database db;
    db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", "1"}, {"Ergebnis", 389}, {"Finale", 1023}, {"StartNr", 17},
                           {"WKZeit1", "08:00:00"}, {"WKZeit2", "10:30:00"}, {"DruckDat", "2025-03-01 19:30:00"}});
    db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 1}, {"Datum", "2025-03-08"}});
    auto q = query("SELECT E.*, (E.Ergebnis + (E.Finale / 10)) AS Gesamt, (SELECT Count(*) FROM ERGEBNIS) AS Anzahl\n"
                   "FROM ERGEBNIS E");
    EXPECT_DOUBLE_EQ(q->FieldByName("Gesamt")->AsFloat(), 491.3);
    EXPECT_EQ(q->FieldByName("Gesamt")->AsString(), "491,3");
    EXPECT_EQ(q->FieldByName("Gesamt")->DataType(), Ado::ftFloat);
    EXPECT_EQ(q->FieldByName("Ergebnis")->AsString(), "389");
    EXPECT_DOUBLE_EQ(q->FieldByName("Ergebnis")->AsCurrency(), 389.0);
    EXPECT_EQ(q->FieldByName("Finale")->AsInteger(), 1023);
    EXPECT_EQ(q->FieldByName("Anzahl")->DataType(), Ado::ftInteger);
    EXPECT_EQ(q->FieldByName("StartNr")->AsString(), "17");
    EXPECT_EQ(q->FieldByName("Serien")->AsString(), ""); // defaulted text
    EXPECT_EQ(q->FieldByName("Qual")->AsString(), "N");
    EXPECT_EQ(q->FieldByName("Bezirk")->AsString(), ""); // no club: no district
    EXPECT_EQ(q->FieldByName("WKZeit1")->AsString(), "08:00:00");
    EXPECT_NEAR((q->FieldByName("WKZeit2")->AsFloat() - q->FieldByName("WKZeit1")->AsFloat()) * 24, 2.5, 1e-9);
    EXPECT_EQ(q->FieldByName("DruckDat")->AsDateTime(), QDateTime(QDate(2025, 3, 1), QTime(19, 30)));
    EXPECT_EQ(q->FieldByName("DruckDat")->AsString(), "01.03.2025 19:30:00");

    auto t = query("SELECT Datum FROM AWKTAG");
    EXPECT_EQ(t->FieldByName("Datum")->DataType(), Ado::ftDate);
    EXPECT_EQ(t->FieldByName("Datum")->Value(), QVariant(QDate(2025, 3, 8)));
    EXPECT_EQ(t->FieldByName("Datum")->AsString(), "08.03.2025");
    EXPECT_EQ(t->FieldByName("Datum")->AsString().left(6), "08.03.");
}

TEST(Parameters, AreNamedOutsideLiteralsAndMustBeSet)
{
    Fixture::Database db;
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}, {"Teilmeisterschaft", "1"}});
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "11"}, {"Teilmeisterschaft", "2"}});
    db.insert("PDISKLA", {{"Ident", 2}, {"Disziplin", "110"}, {"Klasse", "10"}, {"Teilmeisterschaft", "1"}});

    auto q = query("SELECT * FROM PDISKLA WHERE Ident = :Ident AND (Klasse = :KLasse OR :KLasse = '*')"
                   " AND Druckauftrag <> ':Nicht' AND SteuerKz <> '08:00'");
    EXPECT_FALSE(q->Active()); // opened by the caller once the values are set
    EXPECT_EQ(q->ParamCount(), 2);
    EXPECT_EQ(q->FindParam("Nicht"), nullptr);
    q->ParamByName("ident")->SetValue(1);
    q->ParamByName("Klasse")->SetValue("*");
    q->Open();
    EXPECT_EQ(q->RecordCount(), 2);
    q->Close();
    q->ParamByName("KLASSE")->SetValue("11");
    q->Open();
    EXPECT_EQ(column(*q, "Teilmeisterschaft"), QStringList{"2"});
    q->ParamByName("Ident")->SetValue(2);
    q->Requery();
    EXPECT_TRUE(q->IsEmpty());

    EXPECT_THROW(q->ParamByName("Teilmeister"), Ado::EDatenfehler);
    auto unset = query("SELECT * FROM PDISKLA WHERE Teilmeisterschaft = :Teilmeister");
    EXPECT_THROW(unset->Open(), Ado::EDatenfehler);
    EXPECT_THROW(query("SELECT Nirgends FROM PDISKLA"), Ado::EDatenfehler);
}

TEST(Filter, ShowsOnlyMatchingRowsToNavigationAndRecordCount)
{
    Fixture::Database db;
    struct Row { int ident; const char* mitgl; const char* verein; const char* disz; const char* kl; int disq; };
    const Row rows[] = {
        {5, "123", "1234", "110", "10", 0}, {5, "124", "1234", "110", "11", 2}, {5, "123", "1201", "210", "10", 0},
        {6, "123", "1399", "110", "10", 0}, {5, "1", "1201", "110", "10", 0},
    };
    for (const Row& r : rows)
        db.insert("ERGEBNIS", {{"Ident", r.ident}, {"MitglNr", r.mitgl}, {"VereinNr", r.verein}, {"Disziplin", r.disz},
                               {"EKlasse", r.kl}, {"Disqualifikation", r.disq}, {"Ergebnis", 300 + r.disq}});
    auto q = query("SELECT * FROM ERGEBNIS ORDER BY ID");
    q->SetFilter("Ident = 5 AND MitglNr = '123'");
    EXPECT_EQ(q->RecordCount(), 5); // not yet Filtered
    q->SetFiltered(true);
    EXPECT_EQ(q->RecordCount(), 2);
    EXPECT_EQ(column(*q, "VereinNr"), (QStringList{"1234", "1201"}));
    q->Last();
    EXPECT_EQ(q->RecNo(), 2);

    auto count = [&](const QString& f) {
        q->SetFilter(f);
        return q->RecordCount();
    };
    EXPECT_EQ(count("Disqualifikation = 0"), 4);
    EXPECT_EQ(count("VereinNr = '1234'"), 2);
    EXPECT_EQ(count("Bezirk = '12'"), 4);
    EXPECT_EQ(count("MitglNr = '1' AND Disziplin = '110' AND EKlasse = '10'"), 1);
    EXPECT_EQ(count("(Disziplin = '210' OR EKlasse = '11') AND Ident <> 6"), 2);
    EXPECT_EQ(count("Ergebnis >= 302 OR Ident > 5"), 2);
    EXPECT_EQ(count("Ergebnis < 301"), 4);
    EXPECT_EQ(count("Ergebnis <= 300 AND NOT (Ident = 6)"), 3);
    EXPECT_EQ(count("disziplin = \"210\""), 1);
    EXPECT_EQ(count("MitglNr = 123"), 3);          // number against text compares as numbers
    EXPECT_EQ(count("VereinNr LIKE '12%'"), 4);
    EXPECT_EQ(count("DruckDat IS NULL"), 5);
    EXPECT_EQ(count("Qual = 'n'"), 5);             // text ignores case
    EXPECT_EQ(count("Ident = 7"), 0);
    EXPECT_TRUE(q->Eof());

    q->SetFilter("Ident = 6");
    EXPECT_THROW(q->SetFilter("Ident = "), Ado::EDatenfehler);
    EXPECT_THROW(q->SetFilter("Nirgends = 1"), Ado::EDatenfehler);
    EXPECT_THROW(q->SetFilter("(Ident = 5"), Ado::EDatenfehler);
    EXPECT_EQ(q->Filter(), "Ident = 6"); // a rejected filter leaves the old one in force
    EXPECT_EQ(q->RecordCount(), 1);
    q->SetFiltered(false);
    EXPECT_EQ(q->RecordCount(), 5);
}

TEST(Locate, FindsByOneOrSeveralFieldsAndStaysWhenNothingMatches)
{
    Fixture::Database db;
    db.insert("EVEREIN", {{"VereinNr", "1101"}, {"Name", "Edelweiß Dachau"}});
    db.insert("EVEREIN", {{"VereinNr", "1102"}, {"Name", "Tell Dachau"}, {"Kreis", "11"}});
    db.insert("EVEREIN", {{"VereinNr", "1201"}, {"Name", "Tell Olching"}, {"Kreis", "12"}});
    auto q = query("SELECT * FROM EVEREIN ORDER BY VereinNr");
    EXPECT_TRUE(q->Locate("Name", {"Tell Olching"}));
    EXPECT_EQ(q->FieldByName("VereinNr")->AsString(), "1201");
    EXPECT_FALSE(q->Locate("Name", {"tell olching"}));
    EXPECT_EQ(q->FieldByName("VereinNr")->AsString(), "1201"); // unchanged
    EXPECT_TRUE(q->Locate("Name", {"tell dachau"}, true));
    EXPECT_EQ(q->FieldByName("VereinNr")->AsString(), "1102");
    EXPECT_TRUE(q->Locate("Name;Kreis", {"Tell Olching", "12"}));
    EXPECT_FALSE(q->Locate("Name;Kreis", {"Tell Olching", "11"}));
    EXPECT_TRUE(q->Locate("Name", {"Edel"}, false, true));
    EXPECT_EQ(q->FieldByName("VereinNr")->AsString(), "1101");
    EXPECT_TRUE(q->Locate("VereinNr", {1102}));
    EXPECT_EQ(q->RecNo(), 2);
    q->SetFilter("Kreis = '12'");
    q->SetFiltered(true);
    EXPECT_FALSE(q->Locate("VereinNr", {"1102"})); // hidden by the filter
    EXPECT_THROW(q->Locate("VereinNr;Name", {"1102"}), Ado::EDatenfehler);
}

TEST(Editing, PostWritesBackByPrimaryKeyAndTakesTheDatabasesDefaults)
{
    Fixture::Database db;
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1201"}, {"Disziplin", "531"}, {"MKlasse", "10"},
                           {"MannschNr", "1"}, {"Ergebnis", 850}});
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1202"}, {"Disziplin", "531"}, {"MKlasse", "10"},
                           {"MannschNr", "1"}, {"Ergebnis", 850}});
    auto q = query("SELECT * FROM EMANNSCH WHERE Ident = 1 AND Disziplin = '531' ORDER BY VereinNr");
    EXPECT_TRUE(q->CanModify());
    EXPECT_EQ(q->UpdateTable(), "EMANNSCH");
    EXPECT_THROW(q->FieldByName("Rangfolge")->SetAsInteger(1), Ado::EDatenfehler); // not in Edit
    q->Edit();
    q->FieldByName("Rangfolge")->SetAsInteger(1);
    q->Post();
    q->Next();
    q->Edit();
    q->FieldByName("Rangfolge")->SetValue("2");
    q->Next(); // moving on posts the pending edit
    EXPECT_EQ(db.value("SELECT Rangfolge FROM EMANNSCH WHERE VereinNr = '1201'").toInt(), 1);
    EXPECT_EQ(db.value("SELECT Rangfolge FROM EMANNSCH WHERE VereinNr = '1202'").toInt(), 2);

    q->Edit();
    q->FieldByName("Ergebnis")->SetAsFloat(1.5);
    q->Cancel();
    EXPECT_EQ(q->FieldByName("Ergebnis")->AsInteger(), 850);
    EXPECT_EQ(db.count("EMANNSCH", "Ergebnis = 850"), 2);

    q->Append();
    q->FieldByName("Ident")->SetAsInteger(1);
    q->FieldByName("VereinNr")->SetAsString("1301");
    q->FieldByName("Disziplin")->SetAsString("531");
    q->Post();
    EXPECT_GT(q->FieldByName("ID")->AsInteger(), 2);       // generated key
    EXPECT_EQ(q->FieldByName("Qual")->AsString(), "N");     // the table's default
    EXPECT_EQ(q->FieldByName("MUmmeldung")->AsString(), "N");
    EXPECT_EQ(q->RecordCount(), 3);
    EXPECT_EQ(db.count("EMANNSCH"), 3);

    ASSERT_TRUE(q->Locate("VereinNr", {"1202"}));
    q->Delete();
    EXPECT_EQ(q->RecordCount(), 2);
    EXPECT_EQ(db.count("EMANNSCH", "VereinNr = '1202'"), 0);
    EXPECT_EQ(q->FieldByName("VereinNr")->AsString(), "1301"); // the next record is current

    auto ro = query("SELECT * FROM EMANNSCH", Ado::ltReadOnly);
    EXPECT_FALSE(ro->CanModify());
    EXPECT_THROW(ro->Edit(), Ado::EDatenfehler);
    auto joined = query("SELECT M.*, V.Name FROM EMANNSCH M, EVEREIN V WHERE M.VereinNr = V.VereinNr");
    EXPECT_FALSE(joined->CanModify());
    auto noKey = query("SELECT Rangfolge FROM EMANNSCH");
    EXPECT_THROW(noKey->Edit(), Ado::EDatenfehler);
}

TEST(Editing, DatesAndTimesAreStoredAsTheStatementsCompareThem)
{
    Fixture::Database db;
    db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", "7"}, {"Disziplin", "110"}});
    auto q = query("SELECT * FROM ERGEBNIS");
    q->Edit();
    q->FieldByName("DruckDat")->SetAsDateTime(QDateTime(QDate(2025, 3, 8), QTime(14, 5, 9)));
    q->FieldByName("WKZeit1")->SetAsString("08:15");
    q->Post();
    if (!Fixture::Database::OnPostgres()) { // SQLite keeps them as text
        EXPECT_EQ(db.value("SELECT DruckDat FROM ERGEBNIS").toString(), "2025-03-08 14:05:09");
        EXPECT_EQ(db.value("SELECT WKZeit1 FROM ERGEBNIS").toString(), "08:15:00");
    }
    EXPECT_EQ(db.count("ERGEBNIS", "DruckDat > '2025-03-08' AND WKZeit1 < '09:00:00'"), 1);
}

TEST(ClientDataSet, KeepsItsDescendingIndexOrderAcrossInsertsAndEdits)
{
    Fixture::Database db;
    db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", "1"}, {"Ergebnis", 300}});
    // The template of the combined results: the fields of ERGEBNIS and Summe.
    auto cds = DataModule1()->DynCLDS("SELECT ADGID AS Summe,*\r\nFROM ERGEBNIS\r\nWHERE Ident = 99", false);
    cds->CreateDataSet();
    EXPECT_TRUE(cds->IsEmpty());
    ASSERT_NE(cds->FindField("Summe"), nullptr);
    ASSERT_NE(cds->FindField("Serien"), nullptr);
    cds->ClearIndexDefs();
    cds->AddIndexDef("PRIMARY", "Summe;StechErg;Zusatz;Serien;MessErg;Zehner",
                     "Summe;StechErg;Zusatz;Serien;MessErg;Zehner");
    cds->SetIndexName("PRIMARY");
    struct R { const char* mitgl; double summe; int stech; const char* serien; };
    const R rows[] = {
        {"1", 491.0, 0, "098097"}, {"2", 491.3, 0, "097098"}, {"3", 491.0, 0, "099096"},
        {"4", 480.0, 0, "100100"}, {"5", 491.0, 5, "090090"},
    };
    for (const R& r : rows) {
        cds->Append();
        cds->FieldByName("MitglNr")->SetAsString(r.mitgl);
        cds->FieldByName("Disziplin")->SetAsString("110");
        cds->FieldByName("EKlasse")->SetAsString("10");
        cds->FieldByName("Summe")->SetAsFloat(r.summe);
        cds->FieldByName("StechErg")->SetAsInteger(r.stech);
        cds->FieldByName("Serien")->SetAsString(r.serien);
        cds->Post();
        EXPECT_EQ(cds->FieldByName("MitglNr")->AsString(), r.mitgl); // the posted record stays current
    }
    EXPECT_EQ(column(*cds, "MitglNr"), (QStringList{"2", "5", "3", "1", "4"}));
    cds->SetFilter("MitglNr = '4' AND Disziplin = '110' AND EKlasse = '10'");
    cds->SetFiltered(true);
    ASSERT_EQ(cds->RecordCount(), 1);
    cds->Edit();
    cds->FieldByName("Summe")->SetAsFloat(495.0);
    cds->Post();
    cds->SetFiltered(false);
    EXPECT_EQ(column(*cds, "MitglNr"), (QStringList{"4", "2", "5", "3", "1"}));
    EXPECT_EQ(db.count("ERGEBNIS"), 1); // memory only

    // Mixed directions: club ascending, result descending.
    cds->AddIndexDef("VEREIN", "EKlasse;Summe", "Summe");
    cds->SetIndexName("VEREIN");
    cds->First();
    cds->Edit();
    cds->FieldByName("EKlasse")->SetAsString("11");
    cds->Post();
    EXPECT_EQ(column(*cds, "MitglNr"), (QStringList{"2", "5", "3", "1", "4"}));
    EXPECT_THROW(cds->SetIndexName("UNBEKANNT"), Ado::EDatenfehler);
    cds->EmptyDataSet();
    EXPECT_TRUE(cds->IsEmpty());
}

TEST(ClientDataSet, FilledFromAStatementOrBuiltFromFieldsChangesOnlyMemory)
{
    Fixture::Database db;
    db.insert("EVEREIN", {{"VereinNr", "1201"}, {"Name", "Tell"}});
    auto cds = DataModule1()->DynCLDS("SELECT * FROM EVEREIN", false);
    ASSERT_EQ(cds->RecordCount(), 1);
    cds->Edit();
    cds->FieldByName("Name")->SetAsString("Geändert");
    cds->Post();
    cds->Append();
    cds->FieldByName("VereinNr")->SetAsString("1202");
    cds->Post();
    EXPECT_EQ(cds->RecordCount(), 2);
    EXPECT_EQ(db.value("SELECT Name FROM EVEREIN").toString(), "Tell");
    EXPECT_EQ(db.count("EVEREIN"), 1);
    auto ro = DataModule1()->DynCLDS("SELECT * FROM EVEREIN", true);
    EXPECT_THROW(ro->Edit(), Ado::EDatenfehler);

    Ado::TClientDataSet fields;
    fields.AddField("Klasse", Ado::ftString);
    fields.AddField("Anzahl", Ado::ftInteger);
    fields.CreateDataSet();
    fields.Append();
    fields.FieldByName("Anzahl")->SetAsString("12");
    fields.FieldByName("Klasse")->SetAsInteger(10);
    fields.Post();
    EXPECT_EQ(fields.FieldByName("Anzahl")->Value(), QVariant(qlonglong(12)));
    EXPECT_EQ(fields.FieldByName("Klasse")->Value(), QVariant(QString("10")));

    Ado::TClientDataSet copy;
    copy.CreateDataSet(*cds);
    EXPECT_EQ(copy.FieldNames(), cds->FieldNames());
    EXPECT_TRUE(copy.IsEmpty());
}

TEST(Table, OpensWithItsNamedIndexSeeksAndWritesBack)
{
    Fixture::Database db;
    Ado::TADOTable t;
    t.SetTableName("EMEDAILLE");
    t.SetIndexName("IDENTIFIKATION");
    t.Open();
    EXPECT_EQ(t.IndexFieldNames().join(',').toLower(), "vereinnr"); // PostgreSQL folds names
    for (const char* key : {"1299", "1201", "1250"}) {
        EXPECT_FALSE(t.Seek({key}));
        t.Append();
        t.FieldByName("VereinNr")->SetAsString(key);
        t.FieldByName("Nummer")->SetAsInteger(QString(key).toInt());
        t.FieldByName("EGold")->SetAsInteger(1);
        t.Post();
    }
    ASSERT_TRUE(t.Seek({"1250"}));
    t.Edit();
    t.FieldByName("EGold")->SetAsInteger(t.FieldByName("EGold")->AsInteger() + 1);
    t.Post();
    EXPECT_EQ(column(t, "VereinNr"), (QStringList{"1201", "1250", "1299"}));
    EXPECT_EQ(db.value("SELECT EGold FROM EMEDAILLE WHERE VereinNr = '1250'").toInt(), 2);
    EXPECT_EQ(db.value("SELECT ESilber FROM EMEDAILLE WHERE VereinNr = '1250'").toInt(), 0);

    // ERGEBNIS by its index on Ident, MitglNr, Disziplin (and DruckDat): the
    // first start of a member in a discipline gets the print stamp.
    db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", "20"}, {"Disziplin", "110"}, {"EKlasse", "10"}});
    db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", "10"}, {"Disziplin", "110"}});
    db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", "20"}, {"Disziplin", "210"}});
    Ado::TADOTable e;
    e.SetTableName("ERGEBNIS");
    e.SetIndexName("IDENTIFIKATION");
    e.Open();
    ASSERT_TRUE(e.Seek({1, "20", "110"}));
    EXPECT_EQ(e.FieldByName("EKlasse")->AsString(), "10");
    e.Edit();
    e.FieldByName("DruckDat")->SetAsDateTime(QDateTime(QDate(2025, 3, 1), QTime(12, 0)));
    e.Post();
    EXPECT_EQ(db.count("ERGEBNIS", "DruckDat IS NOT NULL AND MitglNr = '20' AND Disziplin = '110'"), 1);
    EXPECT_FALSE(e.Seek({1, "30"}));
    EXPECT_TRUE(e.Seek({1, "15"}, Ado::soAfterEQ));
    EXPECT_EQ(e.FieldByName("MitglNr")->AsString(), "20");
    EXPECT_TRUE(e.Seek({1, "20"}, Ado::soLastEQ));
    EXPECT_EQ(e.FieldByName("Disziplin")->AsString(), "210");

    Ado::TADOTable bad;
    bad.SetTableName("ERGEBNIS");
    bad.SetIndexName("GIBTESNICHT");
    EXPECT_THROW(bad.Open(), Ado::EDatenfehler);
}

TEST(Connection, OffersMidDateValueAndALikeThatIgnoresCaseAndUmlauts)
{
    Fixture::Database db;
    EXPECT_EQ(db.value("SELECT MID('1234', 1, 2)").toString(), "12");
    EXPECT_EQ(db.value("SELECT MID('Müller', 2, 3)").toString(), "üll");
    EXPECT_EQ(db.value("SELECT MID('1234', 3)").toString(), "34");
    EXPECT_FALSE(db.value("SELECT MID(NULL, 1, 2)").isValid());
    EXPECT_EQ(db.value("SELECT DateValue('8.3.2025')").toString(), "2025-03-08");
    EXPECT_EQ(db.value("SELECT DateValue('08.03.25')").toString(), "2025-03-08");
    EXPECT_FALSE(db.value("SELECT DateValue('kein Datum')").isValid());
    EXPECT_EQ(db.value("SELECT 'MÜLLER' LIKE 'mü%'").toInt(), 1);
    EXPECT_EQ(db.value("SELECT 'Öttl' LIKE '_TTL'").toInt(), 1);
    EXPECT_EQ(db.value("SELECT 'Größl' LIKE '%RÖß%'").toInt(), 1);
    EXPECT_EQ(db.value("SELECT 'a%b' LIKE 'a!%%' ESCAPE '!'").toInt(), 1);
    EXPECT_EQ(db.value("SELECT 'ab' LIKE 'a!%%' ESCAPE '!'").toInt(), 0);
    EXPECT_TRUE(Ado::detail::LikeMatch("%M%V%", "MSV"));
    EXPECT_FALSE(Ado::detail::LikeMatch("%M%V%", "MS"));
    EXPECT_EQ(db.value("SELECT \"X\"").toString(), "X"); // double-quoted literal
    EXPECT_EQ(db.value("SELECT Count(*) FROM EVEREIN;").toInt(), 0);
}

TEST(Connection, AdaptsStatementTextOnlyForPostgreSQL)
{
    const QString sql = "SELECT * FROM PDISKLA WHERE ErgebEing = \"X\" AND Name LIKE 'a \"b\" LIKE' AND Kurz like :P";
    EXPECT_EQ(Ado::AdaptSql(sql, Ado::engSQLite), sql);
    EXPECT_EQ(Ado::AdaptSql(sql, Ado::engPostgreSQL),
              "SELECT * FROM PDISKLA WHERE ErgebEing = 'X' AND Name ILIKE 'a \"b\" LIKE' AND Kurz ILIKE :P");
    EXPECT_EQ(Ado::AdaptSql("SELECT \"O'Brien\", LIKELY, UNLIKE FROM T", Ado::engPostgreSQL),
              "SELECT 'O''Brien', LIKELY, UNLIKE FROM T");
    // An aggregate over an alias of the same select list gets its expression.
    EXPECT_EQ(Ado::AdaptSql("SELECT MID(VereinNr,1,2) AS Bezirk, EKlasse,\r\n       Count(Bezirk) AS Anzahl, "
                            "Count(EKlasse) AS K\r\nFROM ERGEBNIS GROUP BY MID(VereinNr,1,2),EKlasse",
                            Ado::engPostgreSQL),
              "SELECT MID(VereinNr,1,2) AS Bezirk, EKlasse,\r\n       Count(MID(VereinNr,1,2)) AS Anzahl, "
              "Count(EKlasse) AS K\r\nFROM ERGEBNIS GROUP BY MID(VereinNr,1,2),EKlasse");
    EXPECT_EQ(Ado::AdaptSql("SELECT VereinNr AS Bezirk,\r\n       Count(Bezirk) AS Anzahl", Ado::engPostgreSQL),
              "SELECT VereinNr AS Bezirk,\r\n       Count(VereinNr) AS Anzahl");
    EXPECT_EQ(Ado::AdaptSql("SELECT Count(Bezirk) FROM T", Ado::engPostgreSQL), "SELECT Count(Bezirk) FROM T");
}

TEST(Connection, TransactionsRollBackUnlessCommittedAndNest)
{
    Fixture::Database db;
    Ado::TADOConnection& c = db.connection();
    {
        Ado::TTransaction t(c);
        db.exec("DELETE FROM EREGEL");
        db.exec("INSERT INTO EREGEL (Nummer,Regel)\r\nValues (1,'0.7.4')");
    }
    EXPECT_EQ(db.count("EREGEL"), 0);
    {
        Ado::TTransaction outer(c);
        {
            Ado::TTransaction inner(c);
            db.exec("INSERT INTO EREGEL (Nummer,Regel) VALUES (1,'a')");
            inner.Commit();
        }
        EXPECT_TRUE(c.InTransaction());
        db.exec("INSERT INTO EREGEL (Nummer,Regel) VALUES (2,'b')");
        outer.Commit();
    }
    EXPECT_FALSE(c.InTransaction());
    EXPECT_EQ(db.count("EREGEL"), 2);
    EXPECT_THROW(db.exec("INSERT INTO EREGEL (Nummer,Regel) VALUES (2,'doppelt')"), Ado::EDatenfehler);
}

TEST(Connection, PreparedStatementRunsAgainWithNewValuesAndNamesItselfWhenRefused)
{
    Fixture::Database db;
    Ado::TADOConnection& c = db.connection();
    db.exec("DELETE FROM EREGEL");
    Ado::TPreparedStatement insert(c, "INSERT INTO EREGEL (Nummer,Regel) VALUES (?,?)");
    EXPECT_EQ(insert.Execute({1, "a"}), 1);
    EXPECT_EQ(insert.Execute({2, "b'c"}), 1); // values are bound, never spliced into the text
    Ado::TPreparedStatement update(c, "UPDATE EREGEL SET Regel = ? WHERE Nummer = ?");
    EXPECT_EQ(update.Execute({"neu", 2}), 1);
    EXPECT_EQ(update.Execute({"keiner", 99}), 0);
    EXPECT_EQ(c.Scalar("SELECT Regel FROM EREGEL WHERE Nummer = 2").toString(), "neu");
    EXPECT_EQ(db.count("EREGEL"), 2);

    // A refused run names the statement; the next run still works.
    try {
        insert.Execute({1, "doppelt"});
        ADD_FAILURE() << "a duplicate key must be refused";
    } catch (const Ado::EDatenfehler& e) {
        EXPECT_TRUE(e.Message().startsWith("Datenbankfehler")) << e.what();
        EXPECT_TRUE(e.Detail().contains("INSERT INTO EREGEL (Nummer,Regel) VALUES (?,?)")) << e.Detail().toStdString();
    }
    EXPECT_EQ(insert.Execute({3, "c"}), 1);
    EXPECT_THROW(Ado::TPreparedStatement(c, "UPDATE GIBTESNICHT SET x = ?"), Ado::EDatenfehler);
}

} // namespace
