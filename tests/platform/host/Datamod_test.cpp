// The host's data module on a championship database: opening, the current
// championship, the statement services, archiving prints and the settings
// store kept in the database.

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Einstell.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "tests/support/Fixture.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using Datamod::DataModule1;

namespace {

TEST(OpenDatabase, SetsTheCurrentChampionshipFromZktmpOrTheCommandLine)
{
    Fixture::Database db(0);
    db.insert("ZKTMP", {{"Ident", 7}, {"Veranstalter", "Gau Dachau"}, {"Veranstaltung", "Gaumeisterschaft 2025"}});
    db.insert("ZKTMP", {{"Ident", 3}, {"Veranstalter", "Bezirk Oberland"}});
    db.insert("QVSETTINGS", {{"Programm", "Bezirk Oberland"}, {"Benutzer", "alle Benutzer"},
                             {"Bereich", "Allgemein"}, {"Schluessel", "Verband"}, {"Wert", "3"}});
    db.insert("QVSETTINGS", {{"Programm", "Bezirk Oberland"}, {"Benutzer", "alle Benutzer"},
                             {"Bereich", "Allgemein"}, {"Schluessel", "VerbandTitel"}, {"Wert", "J"}});
    QString error;
    ASSERT_TRUE(DataModule1()->OpenDatabase(db.path(), &error)) << error.toStdString();
    EXPECT_EQ(Einstell::IniFile.GetIdent(), 3);
    EXPECT_EQ(Datamod::iIdent, 3);
    EXPECT_EQ(Datamod::sVeranstaltung, "Bezirk Oberland"); // no name: the organiser
    EXPECT_EQ(Datamod::iVerband, 3);
    EXPECT_EQ(Datamod::VerbandName(Datamod::iVerband), Datamod::BSSB);
    EXPECT_TRUE(Datamod::bVerbandTitel); // the host's switch, kept with the championship

    Einstell::IniFile.SetIdent(7);
    ASSERT_TRUE(DataModule1()->OpenDatabase(db.path(), &error));
    EXPECT_EQ(Datamod::iIdent, 7);
    EXPECT_EQ(Datamod::sVeranstaltung, "Gaumeisterschaft 2025");
    EXPECT_EQ(Datamod::iVerband, 0); // no settings for this championship
    EXPECT_FALSE(Datamod::bVerbandTitel);
    Einstell::IniFile.ClearIdent();
    DataModule1()->SetCurrentChampionship(3);
    EXPECT_EQ(Datamod::sVeranstaltung, "Bezirk Oberland");
    EXPECT_EQ(Datamod::iVerband, 3);

    EXPECT_FALSE(DataModule1()->OpenDatabase(db.folder() + "/fehlt.sqlite", &error));
    EXPECT_TRUE(error.contains("fehlt.sqlite"));
    EXPECT_FALSE(DataModule1()->DatabaseOpen());
    EXPECT_EQ(Datamod::iIdent, 0);
    EXPECT_THROW(DataModule1()->DynQuery("SELECT 1"), EHostFehler);
    EXPECT_THROW(DataModule1()->DynSQL("DELETE FROM EREGEL"), EHostFehler);
    EXPECT_FALSE(QFileInfo::exists(db.folder() + "/fehlt.sqlite"));
}

TEST(DataModule, QueriesStatementsAndClientDatasetsRunOnTheOpenDatabase)
{
    Fixture::Database db;
    EXPECT_EQ(Datamod::iIdent, 1);
    EXPECT_EQ(Datamod::sVeranstaltung, "Testmeisterschaft");
    DataModule1()->DynSQL("INSERT INTO EREGEL (Nummer,Regel)\r\nValues (1,'0.7.4');");
    auto q = DataModule1()->DynQuery("SELECT * FROM EREGEL");
    EXPECT_TRUE(q->Active());
    EXPECT_EQ(q->FieldByName("Regel")->AsString(), "0.7.4");
    auto p = DataModule1()->DynQuery("SELECT * FROM EREGEL WHERE Nummer = :Nummer", Ado::clUseServer, Ado::ltReadOnly);
    EXPECT_FALSE(p->Active());
    p->ParamByName("Nummer")->SetValue(1);
    p->Open();
    EXPECT_EQ(p->RecordCount(), 1);
    EXPECT_FALSE(p->CanModify());
    auto cds = DataModule1()->DynCLDS("SELECT * FROM EREGEL", false);
    EXPECT_TRUE(cds->Active());
    EXPECT_EQ(cds->RecordCount(), 1);
    try {
        DataModule1()->DynSQL("UPDATE EREGEL SET Gibtsnicht = 1");
        FAIL() << "no exception";
    } catch (const Ado::EDatenfehler& e) {
        EXPECT_TRUE(e.Message().contains("Gibtsnicht"));
    }
}

TEST(DruckdateiSpeichern, ArchivesACompleteCopyUnderATimeStampedName)
{
    Fixture::Database db;
    QTemporaryDir home;
    Qvpaths::SetProgramFolder(home.path());
    const QString print = db.folder() + "/Starterliste.ndr";
    QFile f(print);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const QByteArray content(300000, 'x');
    f.write(content);
    f.close();

    Datamod::sDruckPfad = print;
    DataModule1()->DruckdateiSpeichern();
    const QString first = DataModule1()->LetzteArchivdatei();
    DataModule1()->DruckdateiSpeichern();
    const QString second = DataModule1()->LetzteArchivdatei();
    Datamod::sDruckPfad.clear();

    EXPECT_NE(first, second);
    EXPECT_EQ(QFileInfo(first).absolutePath(), QDir(home.path()).absoluteFilePath("Daten/Archiv"));
    EXPECT_TRUE(QFileInfo(first).fileName().startsWith("Starterliste_"));
    EXPECT_TRUE(first.endsWith(".ndr"));
    QFile a(first);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), content);
    EXPECT_TRUE(QFileInfo::exists(print)); // the print itself stays
    // Only the two archived copies, no temporary leftovers.
    EXPECT_EQ(QDir(home.path() + "/Daten/Archiv").entryList(QDir::Files).size(), 2);

    DataModule1()->DruckdateiSpeichern(); // nothing named: nothing archived
    EXPECT_TRUE(DataModule1()->LetzteArchivdatei().isEmpty());
}

TEST(DruckdateiSpeichern, ACopyThatCannotBeMadeIsReportedAndTheOldestCopiesGo)
{
    Fixture::Database db;
    QTemporaryDir home;
    Qvpaths::SetProgramFolder(home.path());
    const QString print = db.folder() + "/Ergebnisliste.ndr";
    QFile f(print);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(1000, 'x'));
    f.close();
    Datamod::sDruckPfad = print;

    // A file where the archive folder belongs: the reason names the folder.
    ASSERT_TRUE(QDir().mkpath(home.path() + "/Daten"));
    QFile sperre(home.path() + "/Daten/Archiv");
    ASSERT_TRUE(sperre.open(QIODevice::WriteOnly));
    sperre.close();
    QString fehler;
    EXPECT_FALSE(DataModule1()->DruckdateiSpeichern(&fehler));
    EXPECT_TRUE(fehler.startsWith("Die Druckdatei wurde nicht archiviert: der Ordner ")) << fehler.toStdString();
    EXPECT_TRUE(fehler.contains("Daten/Archiv")) << fehler.toStdString();
    EXPECT_TRUE(DataModule1()->LetzteArchivdatei().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(print));
    ASSERT_TRUE(QFile::remove(home.path() + "/Daten/Archiv"));

    Datamod::sDruckPfad.clear();

    // The newest copies stay, by count and by size.
    QTemporaryDir archiv;
    const QDateTime jetzt = QDateTime::currentDateTime();
    for (int i = 0; i < 6; ++i) {
        QFile a(archiv.filePath(QString("Liste_%1.ndr").arg(i)));
        ASSERT_TRUE(a.open(QIODevice::WriteOnly));
        a.write(QByteArray(100, 'a'));
        a.flush();
        a.setFileTime(jetzt.addSecs(-600 + i * 60), QFileDevice::FileModificationTime);
        a.close();
    }
    auto uebrig = [&] {
        return QDir(archiv.path()).entryList(QDir::Files, QDir::Name);
    };
    Datamod::TDataModule1::ArchivBegrenzen(archiv.path(), 4, 1 << 20);
    EXPECT_EQ(uebrig(), (QStringList{"Liste_2.ndr", "Liste_3.ndr", "Liste_4.ndr", "Liste_5.ndr"}));
    Datamod::TDataModule1::ArchivBegrenzen(archiv.path(), 10, 250);
    EXPECT_EQ(uebrig(), (QStringList{"Liste_4.ndr", "Liste_5.ndr"}));
}

TEST(SettingsStore, KeepsSettingsInTheDatabaseForEveryWorkstation)
{
    Fixture::Database db;
    EXPECT_EQ(Qvsettings::GetString("Speziell", "MitTab"), "");
    EXPECT_EQ(Qvsettings::GetInteger("Speziell", "Sekunden"), 0);
    Qvsettings::SetString("Speziell", "MitTab", "J");
    Qvsettings::SetInteger("Speziell", "Sekunden", 10);
    Qvsettings::SetString("Speziell", "Sekunden", "12"); // overwritten, not added
    EXPECT_EQ(Qvsettings::GetString("Speziell", "MitTab"), "J");
    EXPECT_EQ(db.value("SELECT Wert FROM QVSETTINGS WHERE Programm = 'Testmeisterschaft' "
                       "AND Benutzer = 'alle Benutzer' AND Bereich = 'Speziell' AND Schluessel = 'Sekunden'")
                  .toString(),
              "12");
    EXPECT_EQ(db.count("QVSETTINGS"), 2);

    // The scoped interface the forms use reads the same values.
    auto* s = Qvsettings::Settings();
    s->SetProgramm(Datamod::sVeranstaltung);
    s->SetBenutzer("alle Benutzer");
    s->SetBereich("Speziell");
    EXPECT_EQ(s->GetQvSetting("Sekunden")->GetAsInteger(), 12);
    s->SetBereich("Allgemein");
    EXPECT_EQ(s->GetQvSetting("MitTab")->GetAsString(), ""); // other section
    s->SetProgramm("Andere Meisterschaft");
    s->SetBereich("Speziell");
    EXPECT_EQ(s->GetQvSetting("MitTab")->GetAsString(), ""); // other championship
    s->GetQvSetting("MitTab")->SetAsString("N");

    // Another workstation: a second connection on the same file writes; this
    // one sees it after reopening, and its own values survived.
    {
        Ado::TADOConnection other;
        ASSERT_TRUE(other.Open(db.path()));
        other.Execute("UPDATE QVSETTINGS SET Wert = 'X' WHERE Schluessel = 'MitTab' AND Programm = 'Testmeisterschaft'");
    }
    QString error;
    ASSERT_TRUE(DataModule1()->OpenDatabase(db.path(), &error)) << error.toStdString();
    EXPECT_EQ(Qvsettings::GetString("Speziell", "MitTab"), "X");
    EXPECT_EQ(Qvsettings::GetInteger("Speziell", "Sekunden"), 12);
    EXPECT_EQ(Qvsettings::Settings()->Read("Andere Meisterschaft", "alle Benutzer", "Speziell", "MitTab"), "N");

    DataModule1()->CloseDatabase(); // back to the memory store
    EXPECT_EQ(Qvsettings::GetString("Speziell", "MitTab"), "");
}

} // namespace
