// Starts without a start declaration: which starts are undeclared, the
// list of them, and the reminder and disqualification letters with the
// marks they write, the rule they add once, and the sender they need.

#include "tests/preparation/Zentrale.h"

#include "platform/ado/Ado.h"
#include "platform/host/Qvsettings.h"

namespace {

class Starterklaerung : public Zentrale::Test {
protected:
    void SetUp() override
    {
        Zentrale::Test::SetUp();
        db.setting("Absender", "Name", "Lechner");
        db.setting("Absender", "Vorname", "Anna");
        db.setting("Absender", "Ort", "Garching");
        db.setting("Global", "Sportl", "Max Sportleiter");
        for (auto [nr, name] : {std::pair{"110", "Luftgewehr"}, {"120", "Luftpistole"}, {"130", "KK liegend"}})
            db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", nr}, {"Name", name}});
        db.insert("EVEREIN", {{"VereinNr", "1101"}, {"Name", "SG Tell"}, {"Abkuerzung", "SGT"}});
        db.insert("EVEREIN", {{"VereinNr", "1102"}, {"Name", "FSG Edelweiß"}, {"Abkuerzung", "FSG"}});
        // Auer: 110 declared for 1101, started for 1102. Berger: nothing
        // declared. Christ: everything declared.
        mitglied("1", "Auer", "Eva", "W");
        mitglied("2", "Berger", "Max", "M");
        mitglied("3", "Christ", "Lena", "W");
        start("1", "1102", "110");
        start("1", "1101", "120");
        db.insert("EDISZIPLIN", {{"MitglNr", "1"}, {"VereinNr", "1101"}, {"Disziplin", "110"}});
        db.insert("EDISZIPLIN", {{"MitglNr", "1"}, {"VereinNr", "1101"}, {"Disziplin", "120"}});
        start("2", "1101", "110");
        start("2", "1101", "130");
        start("3", "1102", "130");
        db.insert("EDISZIPLIN", {{"MitglNr", "3"}, {"VereinNr", "1102"}, {"Disziplin", "130"}});
        start("2", "1101", "120", "2"); // another sub-championship
    }
    void mitglied(const QString& nr, const QString& name, const QString& vorname, const QString& sex)
    {
        db.insert("EMITGLIED", {{"MitglNr", nr}, {"Name", name}, {"Vorname", vorname}, {"Geschlecht", sex},
                                {"Strasse", "Weg " + nr}, {"PLZ", "8200" + nr}, {"Ort", "Dorf"}});
    }
    void start(const QString& nr, const QString& verein, const QString& dis, const QString& teilm = "1")
    {
        db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", nr}, {"VereinNr", verein}, {"Disziplin", dis},
                               {"EKlasse", "10"}, {"Teilmeisterschaft", teilm}});
    }
    // Each start as "member/club/discipline:Disqualifikation/Abmeldung".
    QStringList marken()
    {
        QStringList l;
        auto q = Datamod::DataModule1()->DynQuery(
            "SELECT MitglNr,VereinNr,Disziplin,Disqualifikation,Abmeldung FROM ERGEBNIS ORDER BY MitglNr,Disziplin,VereinNr");
        for (q->First(); !q->Eof(); q->Next())
            l << q->FieldByName("MitglNr")->AsString() + "/" + q->FieldByName("VereinNr")->AsString() + "/"
                     + q->FieldByName("Disziplin")->AsString() + ":" + q->FieldByName("Disqualifikation")->AsString()
                     + "/" + q->FieldByName("Abmeldung")->AsString();
        return l;
    }
    const QStringList unberuehrt = {"1/1102/110:0/N", "1/1101/120:0/N", "2/1101/110:0/N", "2/1101/120:0/N",
                                    "2/1101/130:0/N", "3/1102/130:0/N"};
};

TEST_F(Starterklaerung, TheListNamesTheUndeclaredStartsAndMarksNothing)
{
    const Zentrale::Druck d = drucken("bt_Disziplinen");
    EXPECT_EQ(d.titel, "Disziplinen");
    EXPECT_EQ(d.texte().mid(2), (QStringList{"Name|Mitgl.-Nr.|Wettbewerb|Verein", "Auer, Eva|1|1.10 Luftgewehr|1102 FSG FSG Edelweiß",
                                             "Berger, Max|2|1.10 Luftgewehr|1101 SGT SG Tell", "1.30 KK liegend|1101 SGT SG Tell"}));
    EXPECT_EQ(marken(), unberuehrt);
}

TEST_F(Starterklaerung, DisqualificationLettersMarkTheStartsUnderRuleNumberOneAddedOnce)
{
    const Zentrale::Druck d = drucken("bt_Starterklaerung");
    EXPECT_EQ(d.titel, "ungültige Starterklärungen");
    ASSERT_EQ(d.seiten.size(), 2); // one letter each for Auer and Berger
    const QString erster = d.zeilen(0).join("\n");
    EXPECT_TRUE(erster.contains("Frau Eva Auer\n")) << erster.toStdString();
    EXPECT_TRUE(erster.contains("Sehr geehrte Frau Auer,"));
    EXPECT_TRUE(erster.contains("und werden für die unten aufgeführten Wettbewerbe disqualifiziert."));
    EXPECT_TRUE(erster.contains(":110|Luftgewehr|1102 FSG FSG Edelweiß"));
    EXPECT_FALSE(erster.contains("Luftpistole"));
    EXPECT_TRUE(erster.contains("Mit freundlichen Grüßen"));
    EXPECT_TRUE(erster.contains("Max Sportleiter"));
    const QString zweiter = d.zeilen(1).join("\n");
    EXPECT_TRUE(zweiter.contains("Sehr geehrter Herr Berger,"));
    EXPECT_TRUE(zweiter.contains(":130|KK liegend|1101 SGT SG Tell"));
    EXPECT_EQ(ui->statusTexts.first(), "Erstellen der fehlenden Starterklärungen");
    // The sender line and the fold mark of the page services.
    EXPECT_TRUE(d.dump.contains("Anna Lechner, "));
    EXPECT_TRUE(d.dump.contains("L\t1\t0.000\t9.900\t1.000\t9.900\t-1"));

    EXPECT_EQ(db.value("SELECT Regel FROM EREGEL WHERE Nummer = 1").toString(), "0.7.4");
    EXPECT_EQ(marken(), (QStringList{"1/1102/110:1/N", "1/1101/120:0/N", "2/1101/110:1/N", "2/1101/120:0/N",
                                     "2/1101/130:1/N", "3/1102/130:0/N"}));
    // Printed again: the same starts, the same rule.
    drucken("bt_Starterklaerung");
    EXPECT_EQ(db.count("EREGEL"), 1);
    EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "");
}

TEST_F(Starterklaerung, RemindersWithdrawTheStartsAndAnExistingRuleIsUsed)
{
    db.insert("EREGEL", {{"Nummer", 4}, {"Regel", "0.7.4.4"}});
    const Zentrale::Druck d = drucken("bt_Mahnungen");
    EXPECT_TRUE(d.texte().contains("Weitermeldung an die nächst höhere Verbandsebene erfolgen."));
    EXPECT_FALSE(d.texte().join("\n").contains("disqualifiziert"));
    EXPECT_EQ(marken(), (QStringList{"1/1102/110:0/A", "1/1101/120:0/N", "2/1101/110:0/A", "2/1101/120:0/N",
                                     "2/1101/130:0/A", "3/1102/130:0/N"}));
    drucken("bt_Starterklaerung");
    EXPECT_EQ(db.count("EREGEL"), 1);
    EXPECT_EQ(db.value("SELECT Disqualifikation FROM ERGEBNIS WHERE MitglNr = '1' AND Disziplin = '110'").toInt(), 4);
}

TEST_F(Starterklaerung, WithoutSenderOrWithoutUndeclaredStartsNothingIsPrintedOrMarked)
{
    db.setting("Absender", "Name", "");
    EXPECT_EQ(play({"bt_Starterklaerung"}), Vcl::TFormDriver::Eingabefehler);
    EXPECT_EQ(ui->errors, QStringList{"Es wurden keine Absenderdaten eingegeben"});
    EXPECT_TRUE(ui->previews.isEmpty());
    EXPECT_EQ(marken(), unberuehrt);
    EXPECT_EQ(db.count("EREGEL"), 0);

    db.setting("Absender", "Name", "Lechner");
    for (const char* nr : {"2", "2", "1"})
        db.exec(QString("INSERT INTO EDISZIPLIN (MitglNr,VereinNr,Disziplin) SELECT MitglNr,VereinNr,Disziplin FROM "
                        "ERGEBNIS WHERE MitglNr = '%1' AND NOT EXISTS (SELECT 1 FROM EDISZIPLIN D WHERE D.MitglNr = "
                        "ERGEBNIS.MitglNr AND D.VereinNr = ERGEBNIS.VereinNr AND D.Disziplin = ERGEBNIS.Disziplin)")
                    .arg(nr));
    EXPECT_EQ(play({"bt_Mahnungen"}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ui->messageTexts(), QStringList{"Für den Serienbrief sind keine Daten vorhanden"});
    EXPECT_TRUE(ui->previews.isEmpty());
    EXPECT_EQ(marken(), unberuehrt);
}

} // namespace
