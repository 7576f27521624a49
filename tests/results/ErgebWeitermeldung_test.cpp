// The forwarding lists: started from the general page through the
// selection page of the competitions; individuals who count for no team
// with their places, disqualified ones without; complete teams with at
// most the counted members; several competitions; the layout of a
// generated championship's lists.

#include "reports1/results/ErgebWeitermeldung.h"

#include "platform/host/DisziplinInfo.h"
#include "platform/host/Qvpaths.h"
#include "platform/vcl/RadioGroup.h"
#include "tests/results/ErgebDialog.h"
#include "tests/support/Fixture.h"
#include "tests/support/QtGtest.h"

#include <QCheckBox>
#include <QListWidget>
#include <QStackedWidget>

using ErgebDialog::texte;

namespace {

class Weitermeldung : public ::testing::Test {
protected:
    void SetUp() override
    {
        Qvpaths::SetProgramFolder(db.folder());
        Datamod::DisziplinInfoVergessen();
        db.setting("Allgemein", "Verband", 3);
        db.setting("Allgemein", "Sportjahr", 2025);
        db.insert("ZKTMP", {{"Ident", 2}, {"Veranstalter", "Rückkampf"}});
        for (int ident : {1, 2}) {
            db.insert("PDISZIPLIN", {{"Ident", ident}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}});
            db.insert("PKLASSE", {{"Ident", ident}, {"Klasse", "10"}, {"Name", "Schützenklasse"}, {"Zusatz", "männlich"}});
            db.insert("PDISKLA", {{"Ident", ident}, {"Disziplin", "110"}, {"Klasse", "10"}, {"AnzWertung", 2},
                                  {"KennzE", QString("%1.10.10").arg(ident)}, {"KennzM", QString("%1.10.10M").arg(ident)}});
        }
        db.insert("EVEREIN", {{"VereinNr", "1101"}, {"Name", "SV Tell Aibling"}});
        db.insert("EVEREIN", {{"VereinNr", "1102"}, {"Name", "Edelweiß Au"}});
        start(1, "1", "Adam", "1101", 390);
        start(1, "2", "Bauer", "1101", 385, "1101");
        start(1, "3", "Christ", "1102", 395, {}, 2);
        start(1, "4", "Dorn", "1102", 375);
        start(1, "5", "Eder", "1102", 370, {}, 0, "J");
        start(1, "6", "Frey", "1101", 360, "1101");
        start(1, "7", "Gast", "1101", 380, "1101");
        start(1, "8", "Huber", "1102", 350, "1102");
        start(2, "9", "Ilg", "1102", 399);
        start(2, "1", "Adam", "1101", 392, "1101");
        team(1, "1101", 1130, 3);
        team(1, "1102", 1000, 2); // incomplete
        team(2, "1101", 392, 1);
    }
    void start(int ident, const QString& nr, const QString& name, const QString& verein, double ergebnis,
               const QString& mannschaft = {}, int disq = 0, const QString& abmeldung = "N")
    {
        if (db.count("EMITGLIED", "MitglNr = '" + nr + "'") == 0)
            db.insert("EMITGLIED", {{"MitglNr", nr}, {"Name", name}, {"Vorname", "Eva"}, {"Titel", "Dr."},
                                    {"Tag", "0" + nr}, {"Monat", "03"}, {"Jahrgang", "1990"},
                                    {"OrgMitglNr", "BY" + nr}});
        db.insert("ERGEBNIS", {{"Ident", ident}, {"MitglNr", nr}, {"VereinNr", verein}, {"Disziplin", "110"},
                               {"EKlasse", "10"}, {"Ergebnis", ergebnis}, {"Serien", "095096"},
                               {"Disqualifikation", disq}, {"Abmeldung", abmeldung}, {"MVereinNr", mannschaft},
                               {"MDisziplin", mannschaft.isEmpty() ? QString() : "110"},
                               {"MKlasse", mannschaft.isEmpty() ? QString() : "10"},
                               {"MannschNr", mannschaft.isEmpty() ? QString() : "1"}});
    }
    void team(int ident, const QString& verein, double ergebnis, int ist)
    {
        db.insert("EMANNSCH", {{"Ident", ident}, {"VereinNr", verein}, {"Disziplin", "110"}, {"MKlasse", "10"},
                               {"MannschNr", "1"}, {"Ergebnis", ergebnis}, {"AnzMannsch", ist == 1 ? 1 : 3},
                               {"AnzMannschIst", ist}});
    }
    // Starts a list from the general page and chooses the organisers; the
    // texts of the preview, empty when none was made.
    QStringList weitermelden(ErgebDialog::Dialog& d, const char* knopf, const QStringList& veranstalter)
    {
        EXPECT_EQ(d.set("pc_Ergebnis", "Allgemein"), "");
        d.click(knopf);
        for (const QString& v : veranstalter) {
            EXPECT_EQ(d.set("lx_VeranstL", v), "");
            d.click("bt_Rechts");
        }
        const qsizetype vorher = ui->previews.size();
        d.click("bt_Verarbeitung");
        if (ui->previews.size() == vorher)
            return {};
        EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "");
        return texte(ui->previews.last().file);
    }
    // The texts from index von up to the page footer.
    static QStringList bisFuss(const QStringList& t, qsizetype von)
    {
        qsizetype bis = von;
        while (bis < t.size() && !t[bis].startsWith("Gedruckt am "))
            ++bis;
        return t.mid(von, bis - von);
    }
    QString seite(ErgebDialog::Dialog& d) const
    {
        return d.ctl<QStackedWidget>("pc_Ergebnisse")->currentWidget()->objectName();
    }

    Host::TestUiGuard ui;
    Fixture::Database db;
};

TEST_F(Weitermeldung, IndividualsWithoutTeamDisqualifiedWithoutPlace)
{
    ErgebDialog::Dialog d;
    // Nothing chosen: refused, the selection page stays.
    EXPECT_EQ(d.set("pc_Ergebnis", "Gesamtergebnisliste"), "");
    EXPECT_EQ(d.set("cb_Ueberschrift", "true"), "");
    EXPECT_TRUE(weitermelden(d, "bt_BSSBEinzel", {}).isEmpty());
    EXPECT_EQ(ui->errors.last(), "Es wurden keine Veranstaltungen ausgewählt.");
    EXPECT_EQ(seite(d), "ts_Auswahl");
    EXPECT_EQ(d.ctl<QListWidget>("lx_VeranstL")->count(), 2);
    EXPECT_EQ(d.ctl<Vcl::TRadioGroup>("gb_Gesamt")->ItemIndex(), 1);
    EXPECT_FALSE(d.ctl<QCheckBox>("cb_Ueberschrift")->isChecked());

    const QStringList t = weitermelden(d, "bt_BSSBEinzel", {"Testveranstalter"});
    ASSERT_FALSE(t.isEmpty()) << ui->errors.join('|').toStdString();
    EXPECT_EQ(t.mid(t.indexOf("Ergebnis-Weitermeldung Einzelstarter"), 2),
              QStringList({"Ergebnis-Weitermeldung Einzelstarter", "Gaumeisterschaft 2025"}));
    const qsizetype kopf = t.indexOf("1.10.10");
    ASSERT_GE(kopf, 0);
    EXPECT_EQ(t[kopf + 1], "Luftgewehr - Schützenklasse  männlich");
    // Bauer, Frey and Gast count for a team, Huber for an incomplete one:
    // none of them is forwarded here. The disqualified shooter follows the
    // others without a place; the deregistration mark stands at the end.
    EXPECT_EQ(bisFuss(t, kopf + 2), QStringList({"1.", "Adam, Dr. Eva", "1101", "SV Tell Aibling", "390", "01.03.1990",
                                            "BY1", "2.", "Dorn, Dr. Eva", "1102", "Edelweiß Au", "375", "04.03.1990",
                                            "BY4", "3.", "Eder, Dr. Eva", "1102", "Edelweiß Au", "370", "05.03.1990",
                                            "BY5", "J", "Disqualifikation", "Christ, Dr. Eva", "1102", "Edelweiß Au",
                                            "395", "03.03.1990", "BY3"}));
    EXPECT_FALSE(t.join('|').contains("Rückkampf"));
    EXPECT_TRUE(ui->statusTexts.contains("Erstellen der Gesamtweitergabe an nächsten Veranstalter Luftgewehr Schützenklasse"));
    // Back on the normal page, the marks of the chosen competition gone.
    EXPECT_EQ(seite(d), "ts_Normal");
    EXPECT_EQ(db.count("PDISKLA", "ErgebEing = 'X'"), 0);
}

TEST_F(Weitermeldung, CompleteTeamsWithTheirCountedMembersOverSeveralCompetitions)
{
    ErgebDialog::Dialog d;
    const QStringList t = weitermelden(d, "bt_BSSBMannsch", {"Testveranstalter", "Rückkampf"});
    ASSERT_FALSE(t.isEmpty()) << ui->errors.join('|').toStdString();
    EXPECT_TRUE(t.contains("Ergebnis-Weitermeldung Mannschaften"));
    // Each competition's group with its own code number; the incomplete
    // team of Edelweiß Au is not forwarded; two members count (AnzWertung),
    // the best first, Frey's 360 is left out.
    const qsizetype erste = t.indexOf("1.10.10M"), zweite = t.indexOf("2.10.10M");
    ASSERT_GE(erste, 0);
    ASSERT_GT(zweite, erste);
    EXPECT_EQ(t[erste + 1], "Luftgewehr - Schützenklasse");
    EXPECT_EQ(t.mid(erste + 2, zweite - erste - 2),
              QStringList({"1.", "1101", "SV Tell Aibling", "1130", "Dr. Eva Bauer", "02.03.1990", "1101", "385",
                           "Dr. Eva Gast", "07.03.1990", "1101", "380"}));
    EXPECT_EQ(bisFuss(t, zweite + 2), QStringList({"1.", "1101", "SV Tell Aibling", "392", "Dr. Eva Adam", "01.03.1990",
                                              "1101", "392"}));
    EXPECT_EQ(db.count("PDISKLA", "ErgebEing = 'X'"), 0);

    // Without any complete team there is nothing to forward.
    db.exec("UPDATE EMANNSCH SET AnzMannschIst = 0");
    EXPECT_TRUE(weitermelden(d, "bt_BSSBMannsch", {"Testveranstalter"}).isEmpty());
    EXPECT_EQ(ui->messageTexts().last(), "Für diese Auswahl sind keine Daten vorhanden");
}

TEST(WeitermeldungGeneriert, LongListsRepeatTheColumnHeaderAndPassTheLayoutCheck)
{
    Host::TestUiGuard ui;
    auto db = Fixture::Database::Generated(500, 7);
    Qvpaths::SetProgramFolder(db->folder());
    db->setting("Allgemein", "Verband", 3);
    const QString veranstalter = db->value("SELECT Veranstalter FROM ZKTMP").toString();
    ErgebDialog::Dialog d;
    for (const char* knopf : {"bt_BSSBEinzel", "bt_BSSBMannsch"}) {
        EXPECT_EQ(d.set("pc_Ergebnis", "Allgemein"), "");
        d.click(knopf);
        EXPECT_EQ(d.set("lx_VeranstL", veranstalter), "");
        d.click("bt_Rechts");
        d.click("bt_Verarbeitung");
    }
    ASSERT_EQ(ui->previews.size(), 2) << ui->errors.join('|').toStdString();
    for (const auto& p : ui->previews) {
        EXPECT_EQ(ReportTest::layoutFindings(p.file), "") << p.title.toStdString();
        Report::TReportDocument doc;
        ASSERT_TRUE(Report::ReadStream(p.file, doc));
        ASSERT_GT(doc.Pages.size(), 1) << p.title.toStdString();
        // Every page carries the column header.
        for (const auto& seite : doc.Pages) {
            int kopf = 0;
            for (const auto& op : seite.Ops)
                kopf += op.Kind == Report::TOpKind::Text && op.Text == "Ver.-Nr." ? 1 : 0;
            EXPECT_GE(kopf, 1) << p.title.toStdString();
        }
    }
    EXPECT_EQ(db->count("PDISKLA", "ErgebEing = 'X'"), 0);
}

} // namespace
