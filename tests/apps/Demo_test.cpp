// The generated championship: coded values as the queries test them, teams
// that add up, the tie the team ranking needs, settings the jobs read, the
// same championship for the same seed, and init-db on the command line.

#include "apps/reports1/demo/Demo.h"
#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Qvsettings.h"
#include "reports1/frame/db/Schema.h"
#include "tests/support/Fixture.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using Datamod::DataModule1;

namespace {

QStringList column(const QString& sql)
{
    auto q = DataModule1()->DynQuery(sql);
    QStringList out;
    for (q->First(); !q->Eof(); q->Next())
        out << q->Field(0)->AsString();
    return out;
}

// Every row of every table, in key order: equal for equal databases.
QByteArray fingerprint(Ado::TADOConnection& c)
{
    QCryptographicHash h(QCryptographicHash::Sha256);
    for (const Schema::Table& t : Schema::Tables()) {
        Ado::TADOQuery q(&c);
        q.SetSQL(QString("SELECT * FROM %1 ORDER BY %2").arg(t.name, t.primaryKey));
        q.Open();
        h.addData(QByteArray(t.name));
        for (q.First(); !q.Eof(); q.Next())
            for (int i = 0; i < q.FieldCount(); ++i)
                h.addData((q.Field(i)->AsString() + "\x1f").toUtf8());
    }
    Ado::TADOQuery s(&c);
    s.SetSQL("SELECT * FROM QVSETTINGS ORDER BY Programm, Benutzer, Bereich, Schluessel");
    s.Open();
    for (s.First(); !s.Eof(); s.Next())
        h.addData((s.FieldByName("Schluessel")->AsString() + s.FieldByName("Wert")->AsString()).toUtf8());
    return h.result();
}

TEST(Demo, CodedValuesAreThoseTheQueriesTest)
{
    auto db = Fixture::Database::Generated(600, 11);
    EXPECT_EQ(db->count("ERGEBNIS"), 600);
    EXPECT_EQ(db->count("ERGEBNIS", "Qual NOT IN ('N','Q','D')"), 0);
    EXPECT_GT(db->count("ERGEBNIS", "Qual = 'N'"), 500);
    EXPECT_GT(db->count("ERGEBNIS", "Qual = 'Q'"), 0);
    EXPECT_GT(db->count("ERGEBNIS", "Qual = 'D'"), 0);
    EXPECT_EQ(db->count("ERGEBNIS", "Abmeldung NOT IN ('N','A')"), 0);
    EXPECT_GT(db->count("ERGEBNIS", "Abmeldung = 'A'"), 0);
    EXPECT_EQ(db->count("ERGEBNIS", "Abmeldung = 'A' AND Ergebnis > 0"), 0); // withdrawn starts have no result
    EXPECT_GT(db->count("ERGEBNIS", "Abmeldung = 'N' AND Ergebnis = 0"), 0);  // non-starters
    EXPECT_GT(db->count("ERGEBNIS", "Anlage = 0 AND DGID < 1 AND Qual = 'N'"), 0); // not yet assigned
    EXPECT_EQ(db->count("ERGEBNIS", "Anlage > 0 AND (DGID < 1 OR StartNr < 1 OR Durchgang < 1 OR Stand < 1 "
                                    "OR WKTag < 1 OR WKZeit1 IS NULL)"), 0);
    EXPECT_GT(db->count("ERGEBNIS", "Finale > 0"), 0);
    EXPECT_GT(db->count("ERGEBNIS", "StechErg > 0"), 1);
    EXPECT_GT(db->count("ERGEBNIS", "Disqualifikation > 0"), 0);
    EXPECT_EQ(db->count("ERGEBNIS", "Disqualifikation > 0 AND Disqualifikation NOT IN (SELECT Nummer FROM EREGEL)"), 0);
    EXPECT_EQ(db->count("ERGEBNIS E", "NOT EXISTS (SELECT 1 FROM EMITGLIED M WHERE M.MitglNr = E.MitglNr)"), 0);
    EXPECT_EQ(db->count("ERGEBNIS E", "NOT EXISTS (SELECT 1 FROM PDISKLA DK WHERE DK.Ident = E.Ident "
                                      "AND DK.Disziplin = E.Disziplin AND DK.Klasse = E.EKlasse)"), 0);
    EXPECT_EQ(db->count("ERGEBNIS", "Anlage > 0 AND NOT EXISTS (SELECT 1 FROM AWKTAG W WHERE W.Ident = ERGEBNIS.Ident "
                                    "AND W.WKTag = ERGEBNIS.WKTag)"), 0);

    // Series: three digits each, adding up to the result.
    auto q = DataModule1()->DynQuery("SELECT Ergebnis, Serien, Disziplin FROM ERGEBNIS WHERE Ergebnis > 0");
    ASSERT_GT(q->RecordCount(), 400);
    for (q->First(); !q->Eof(); q->Next()) {
        const QString serien = q->FieldByName("Serien")->AsString();
        ASSERT_EQ(serien.size() % 3, 0) << serien.toStdString();
        int sum = 0;
        for (int i = 0; i < serien.size(); i += 3)
            sum += serien.mid(i, 3).toInt();
        ASSERT_EQ(sum, q->FieldByName("Ergebnis")->AsInteger()) << serien.toStdString();
    }
    // Finals are tenths, and the jobs' sum keeps them.
    EXPECT_GT(db->count("ERGEBNIS", "Finale > 0 AND CAST(Finale AS INTEGER) % 10 <> 0"), 0);
    EXPECT_EQ(db->count("ERGEBNIS E", "abs((E.Ergebnis + (E.Finale / 10)) - (E.Ergebnis + E.Finale * 0.1)) > 0.001"), 0);

    // Clubs: four digits, the first two are the district.
    EXPECT_EQ(db->count("EVEREIN", "length(VereinNr) <> 4 OR MID(VereinNr,1,2) <> Kreis OR MID(VereinNr,1,1) <> Land"), 0);
    EXPECT_GT(db->count("EVEREIN", "Name LIKE '%''%'"), 0);
    EXPECT_GT(db->count("EVEREIN", "Abkuerzung = ''"), 0);
    EXPECT_GT(db->count("EVEREIN", "length(Name) > 40"), 0);
    EXPECT_EQ(db->count("EVEREIN", "VereinNr = '1100'"), 1); // the district is on record as a club
    EXPECT_GT(db->count("EMITGLIED", "Titel <> ''"), 0);
    EXPECT_EQ(column("SELECT DISTINCT Disziplin FROM PDISZIPLIN ORDER BY Disziplin"),
              (QStringList{"110", "111", "120", "140", "180", "210", "220", "240", "320", "531"}));
    EXPECT_EQ(db->value("SELECT KennzE FROM PDISKLA WHERE Disziplin = '110' AND Klasse = '10'").toString(), "1.10.10");
    EXPECT_GT(db->count("PDISKLA", "AnzWertung > 0 AND ErgebEinzel > 0 AND AnzSerien > 0"), 0);
}

TEST(Demo, TeamsAddUpTheirMembersAndTwoCompleteCrossbowTeamsAreLevel)
{
    auto db = Fixture::Database::Generated(600, 5);
    ASSERT_GT(db->count("EMANNSCH", "AnzMannsch = AnzMannschIst"), 0);
    ASSERT_GT(db->count("EMANNSCH", "AnzMannsch <> AnzMannschIst"), 0);
    // Result and series sums are those of the members linked to the team.
    const QString sums =
        "SELECT M.ID, M.Ergebnis, M.Serie1, M.Serie2, M.Serie3, M.AnzMannschIst,"
        " SUM(E.Ergebnis) AS Summe, COUNT(E.ID) AS Mitglieder,"
        " SUM(CAST(MID(E.Serien,1,3) AS INTEGER)) AS S1, SUM(CAST(MID(E.Serien,4,3) AS INTEGER)) AS S2,"
        " SUM(CAST(MID(E.Serien,7,3) AS INTEGER)) AS S3"
        " FROM EMANNSCH M, ERGEBNIS E WHERE E.MVereinNr = M.VereinNr AND E.MDisziplin = M.Disziplin"
        " AND E.MKlasse = M.MKlasse AND E.MannschNr = M.MannschNr AND E.Ident = M.Ident GROUP BY M.ID";
    auto q = DataModule1()->DynQuery(sums);
    EXPECT_EQ(q->RecordCount(), db->count("EMANNSCH"));
    for (q->First(); !q->Eof(); q->Next()) {
        EXPECT_EQ(q->FieldByName("Ergebnis")->AsInteger(), q->FieldByName("Summe")->AsInteger());
        EXPECT_EQ(q->FieldByName("Serie1")->AsInteger(), q->FieldByName("S1")->AsInteger());
        EXPECT_EQ(q->FieldByName("Serie2")->AsInteger(), q->FieldByName("S2")->AsInteger());
        EXPECT_EQ(q->FieldByName("Serie3")->AsInteger(), q->FieldByName("S3")->AsInteger());
        EXPECT_EQ(q->FieldByName("AnzMannschIst")->AsInteger(), q->FieldByName("Mitglieder")->AsInteger());
    }
    // The team ranking finds a tie among complete crossbow teams.
    auto t = DataModule1()->DynQuery("SELECT *\r\nFROM EMANNSCH\r\nWHERE Qual <> 'Q'\r\n  AND Ergebnis > 0\r\n"
                                     "  AND Disziplin = '531'\r\n  AND AnzMannsch = AnzMannschIst\r\n"
                                     "  AND Ident = :Ident\r\nORDER BY Ergebnis DESC");
    t->ParamByName("Ident")->SetValue(Datamod::iIdent);
    t->Open();
    int ties = 0;
    double previous = -1;
    for (t->First(); !t->Eof(); t->Next()) {
        ties += qRound(t->FieldByName("Ergebnis")->AsFloat()) == qRound(previous) ? 1 : 0;
        previous = t->FieldByName("Ergebnis")->AsFloat();
    }
    EXPECT_GE(ties, 1);
}

TEST(Demo, SettingsRecordsStaffAndScheduleAreThereForTheJobs)
{
    auto db = Fixture::Database::Generated(600, 2);
    EXPECT_EQ(Datamod::iIdent, 1);
    EXPECT_EQ(Datamod::sVeranstaltung, "Bezirksmeisterschaft 2025");
    EXPECT_EQ(Datamod::iVerband, 3);
    EXPECT_EQ(Qvsettings::GetInteger("Allgemein", "Sportjahr"), 2025);
    EXPECT_EQ(Qvsettings::GetInteger("Allgemein", "VeranstaltungsArt"), 2);
    EXPECT_EQ(Qvsettings::GetString("Global", "Ueberschr"), "Bezirksmeisterschaft");
    EXPECT_FALSE(Qvsettings::GetString("Global", "Verband").isEmpty());
    EXPECT_FALSE(Qvsettings::GetString("Global", "Veranst1").isEmpty());
    EXPECT_FALSE(Qvsettings::GetString("Global", "Veranst2").isEmpty());
    EXPECT_EQ(Qvsettings::GetString("Speziell", "Teilmeisterschaft"), "1");
    EXPECT_GT(db->count("AWKTAG", "Teilmeisterschaft = '1'"), 0);
    EXPECT_GT(db->count("AWKTAG", "Teilmeisterschaft = '2'"), 0);
    EXPECT_EQ(db->count("PANLAGE"), 5);
    EXPECT_GT(db->count("ASZEIT"), 0);
    EXPECT_GT(db->count("MITARB", "Seit <> ''"), 0);
    EXPECT_GT(db->count("MSPESEN", "Auszahlung = 'J'"), 0);
    EXPECT_GT(db->count("MITART", "Etikett = 'J'"), 0);
    EXPECT_GT(db->count("EREKORDE", "Jahr = 2025 AND Nummer = 1"), 0);
    EXPECT_GT(db->count("EREKORDE", "Jahr = 2025 AND Nummer = 2"), 0);
    EXPECT_GT(db->count("EREKORDM", "Jahr = 2025"), 0);
    // Every record holder has the name row the record list joins.
    EXPECT_EQ(db->count("EREKORDE R", "NOT EXISTS (SELECT 1 FROM MITARB M WHERE M.MitglNr = R.MitglNr AND M.Ident = R.Ident)"), 0);
    EXPECT_EQ(db->count("PSTARTG"), 4);
    EXPECT_GT(db->count("ESCHEIBEN"), 0);
    EXPECT_GT(db->count("EARCHIV", "Loeschung = 'X'"), 0);
    EXPECT_GT(db->count("EDISZIPLIN"), 0);
    EXPECT_EQ(db->count("EURKUNDEE") + db->count("EURKUNDEM") + db->count("EMEDAILLE"), 0); // working tables
    // Relays: one firing point holds one start per relay.
    EXPECT_EQ(db->value("SELECT COUNT(*) FROM (SELECT Anlage, WKTag, WKZeit1, Stand FROM ERGEBNIS WHERE Anlage > 0 "
                        "GROUP BY Anlage, WKTag, WKZeit1, Stand HAVING COUNT(*) > 1)").toInt(), 0);
    EXPECT_EQ(db->value("SELECT COUNT(DISTINCT StartNr) FROM ERGEBNIS WHERE StartNr > 0").toInt(),
              db->count("ERGEBNIS", "StartNr > 0"));
}

TEST(Demo, TheSameSeedGivesTheSameChampionship)
{
    QByteArray a, b, c;
    {
        auto db = Fixture::Database::Generated(300, 42);
        a = fingerprint(db->connection());
    }
    {
        auto db = Fixture::Database::Generated(300, 42);
        b = fingerprint(db->connection());
    }
    {
        auto db = Fixture::Database::Generated(300, 43);
        c = fingerprint(db->connection());
        EXPECT_EQ(db->count("ERGEBNIS"), 300);
    }
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

TEST(Demo, ManyStartsMakeAStateSizedChampionship)
{
    auto db = Fixture::Database::Generated(5000, 1);
    EXPECT_EQ(db->count("ERGEBNIS"), 5000);
    EXPECT_GT(db->value("SELECT COUNT(DISTINCT Kreis) FROM EVEREIN").toInt(), 6);
    EXPECT_GT(db->value("SELECT COUNT(DISTINCT Land) FROM EVEREIN").toInt(), 1);
    EXPECT_EQ(Qvsettings::GetInteger("Allgemein", "VeranstaltungsArt"), 3);
    EXPECT_EQ(db->count("EVEREIN", "length(VereinNr) <> 4"), 0);
}

TEST(Demo, InitDbOnTheCommandLineWritesTheFileWhole)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("x.sqlite");
    auto run = [](const QStringList& args) {
        QProcess p;
        p.start(QString(REPORTS1_BIN_DIR) + "/reports1", args);
        p.waitForFinished(120000);
        return std::make_pair(p.exitCode(), QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()));
    };
    auto [code, out] = run({"init-db", file, "--demo", "--seed", "4"});
    ASSERT_EQ(code, 0) << out.toStdString();
    EXPECT_TRUE(out.contains("600 Starts")) << out.toStdString();
    {
        Ado::TADOConnection c;
        ASSERT_TRUE(c.Open(file));
        EXPECT_EQ(c.Scalar("SELECT COUNT(*) FROM ERGEBNIS").toInt(), 600);
        EXPECT_EQ(Schema::InstalledVersion(c), Schema::Version);
    }
    // An existing file is kept unless --force asks to replace it.
    std::tie(code, out) = run({"init-db", file});
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(out.contains("gibt es schon")) << out.toStdString();
    // Only the schema; the old file is replaced, nothing else is left behind.
    std::tie(code, out) = run({"init-db", file, "--force"});
    ASSERT_EQ(code, 0) << out.toStdString();
    {
        Ado::TADOConnection c;
        ASSERT_TRUE(c.Open(file));
        EXPECT_EQ(c.Scalar("SELECT COUNT(*) FROM ERGEBNIS").toInt(), 0);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"x.sqlite"});
    // A file that is no championship database is never replaced, not even with --force.
    const QString fremd = dir.filePath("brief.txt");
    {
        QFile f(fremd);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Sehr geehrte Damen und Herren");
    }
    std::tie(code, out) = run({"init-db", fremd, "--force"});
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(out.contains("keine Meisterschaftsdatenbank")) << out.toStdString();
    QFile f(fremd);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "Sehr geehrte Damen und Herren");
    std::tie(code, out) = run({"init-db"});
    EXPECT_EQ(code, 64);
    std::tie(code, out) = run({"init-db", dir.filePath("fehlt/y.sqlite"), "--demo"});
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(out.startsWith("FEHLER:")) << out.toStdString();
}

} // namespace
