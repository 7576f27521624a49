// Live publishing of the overall list: a changed result reaches the pages
// in the next pass, an unchanged championship writes nothing, an
// interrupted writing keeps the previous files whole, and the pages are fit
// to publish without touching the user's marks.

#include "reports1/results/ErgebVeroeffentlichen.h"

#include "platform/host/DisziplinInfo.h"
#include "platform/host/Qvpaths.h"
#include "tests/platform/report/HtmlCheck.h"
#include "tests/results/ErgebDialog.h"
#include "tests/support/Fixture.h"

#include <QDir>
#include <QFile>

namespace {

class Veroeffentlichen : public ::testing::Test {
protected:
    void SetUp() override
    {
        Qvpaths::SetProgramFolder(db.folder());
        Datamod::DisziplinInfoVergessen();
        for (const auto& [kla, name] : {std::pair{"10", "Schützenklasse"}, std::pair{"11", "Damenklasse"}}) {
            db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", kla}, {"Name", name}});
            db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", kla}, {"KennzE", "1.10.10"},
                                  {"ErgebEing", QString(kla) == "11" ? "X" : ""}});
        }
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}});
        db.insert("EVEREIN", {{"VereinNr", "1201"}, {"Name", "SV Tell"}});
        start("1", "Adam", "10", 390);
        start("2", "Berg", "11", 385);
    }
    void start(const QString& nr, const QString& name, const QString& kla, double ergebnis)
    {
        db.insert("EMITGLIED", {{"MitglNr", nr}, {"Name", name}, {"Vorname", "Eva"}});
        db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", nr}, {"VereinNr", "1201"}, {"Disziplin", "110"},
                               {"EKlasse", kla}, {"Ergebnis", ergebnis}, {"Qual", "N"}});
    }
    QByteArray lesen(const QString& name) const
    {
        QFile f(QDir(ordner).filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    Host::TestUiGuard ui;
    Fixture::Database db;
    QString ordner = db.folder() + "/web";
};

TEST_F(Veroeffentlichen, AChangedResultIsPickedUpInTheNextPass)
{
    ErgebVeroeffentlichen::TVeroeffentlichung v(1, ordner);
    std::atomic<bool> stop{false};
    QList<int> geschrieben;
    QList<bool> mit391;
    ErgebVeroeffentlichen::Laufen(v, 5, stop, [&](int n) {
        geschrieben << n;
        mit391 << lesen("1-110-10.htm").contains(">391<");
        if (geschrieben.size() == 1)
            db.exec("UPDATE ERGEBNIS SET Ergebnis = 391 WHERE MitglNr = '1'");
        if (geschrieben.size() == 3)
            stop = true;
    });
    // Two pages and the index; again after the change; nothing after that.
    EXPECT_EQ(geschrieben, QList<int>({3, 3, 0}));
    EXPECT_EQ(mit391, QList<bool>({false, true, true}));
}

TEST_F(Veroeffentlichen, AnInterruptedWritingKeepsThePreviousFilesWhole)
{
    ErgebVeroeffentlichen::TVeroeffentlichung v(1, ordner);
    ASSERT_EQ(v.Durchgang(), 3);
    const QByteArray vorher = lesen("1-110-10.htm");
    ASSERT_TRUE(vorher.contains(">390<"));
    db.exec("UPDATE ERGEBNIS SET Ergebnis = 392 WHERE MitglNr = '1'");
    v.VorErsetzen = [](const QString& datei) { return !datei.endsWith("1-110-10.htm"); };
    EXPECT_EQ(v.Durchgang(), 0);
    EXPECT_EQ(lesen("1-110-10.htm"), vorher);
    // No half file and no temporary file is left beside the pages.
    EXPECT_EQ(QDir(ordner).entryList(QDir::Files, QDir::Name),
              QStringList({"1-110-10.htm", "1-110-11.htm", "index.html"}));
    // The next pass writes what the interrupted one did not.
    v.VorErsetzen = {};
    EXPECT_EQ(v.Durchgang(), 3);
    EXPECT_TRUE(lesen("1-110-10.htm").contains(">392<"));
}

TEST_F(Veroeffentlichen, PagesAreFitToPublishAndTheMarksStay)
{
    ErgebVeroeffentlichen::TVeroeffentlichung v(1, ordner);
    ASSERT_EQ(v.Durchgang(), 3);
    const QByteArray index = lesen("index.html");
    EXPECT_EQ(ReportTest::htmlFindings(index), QStringList());
    EXPECT_TRUE(index.contains("<a href=\"1-110-10.htm\">1.10.10 Luftgewehr - Schützenklasse</a>"));
    EXPECT_TRUE(index.contains("<a href=\"1-110-11.htm\">"));
    for (const char* seite : {"1-110-10.htm", "1-110-11.htm"})
        EXPECT_EQ(ReportTest::htmlFindings(lesen(seite)), QStringList()) << seite;
    EXPECT_EQ(ErgebDialog::rows("SELECT Klasse, ErgebEing FROM PDISKLA ORDER BY Klasse"),
              QStringList({"10|", "11|X"}));
    EXPECT_EQ(ErgebVeroeffentlichen::GruppenDatei(2, "1.1/0", "a b"), "2-1_1_0-a_b.htm");
}

} // namespace
