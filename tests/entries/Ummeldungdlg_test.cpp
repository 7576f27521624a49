// The team re-registration dialog: a club, discipline and class without a
// team leave it open with its message and write nothing; a team marked
// (twice) is counted by the host each time, with the mark and the count in
// one transaction; the team number is only part of the update; "Zurück"
// right away answers False.

#include "reports1/entries/Ummeldungdlg.h"

#include "tests/entries/EntriesTest.h"

#include "platform/vcl/LookupCombo.h"

#include <QLabel>
#include <QPushButton>

namespace {

class Ummeldung : public EntriesTest::Test {
protected:
    void SetUp() override
    {
        Test::SetUp();
        Ummeldungdlg::bStatus = false;
        db.insert("EVEREIN", {{"VereinNr", "1101"}, {"Name", "SG Nord"}, {"Abkuerzung", "SGN"}});
        db.insert("EVEREIN", {{"VereinNr", "1102"}, {"Name", "SV Süd"}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}});
        db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "10"}, {"Name", "Schützenklasse"}});
        for (const char* nr : {"1", "2"})
            db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1101"}, {"Disziplin", "110"}, {"MKlasse", "10"},
                                   {"MannschNr", nr}, {"MUmmeldung", "N"}, {"Ummeldung", 0}});
    }
    bool erstellen(const EntriesTest::Ctls& ctls, const QString& knopf = "bt_Bearbeiten")
    {
        bool status = false;
        fahren([&status] { status = Ummeldungdlg::Erstellen(); }, ctls, knopf);
        return status;
    }
    QString zustand(const QString& nr)
    {
        return db.value("SELECT MUmmeldung || '/' || Ummeldung FROM EMANNSCH WHERE MannschNr = '" + nr + "'").toString();
    }
};

TEST_F(Ummeldung, ATeamMarkedTwiceIsCountedTwiceAndTheNumberOnlyNarrowsTheUpdate)
{
    const EntriesTest::Ctls team2 = {{"cx_MVerein", "1101"}, {"cx_MDisziplin", "110"}, {"cx_MKlasse", "10"},
                                     {"ed_MMannschNr", "2"}};
    EXPECT_TRUE(erstellen(team2));
    EXPECT_TRUE(Ummeldungdlg::bAlteMannschaft);
    EXPECT_EQ(Ummeldungdlg::sVereinNr + Ummeldungdlg::sDisziplin + Ummeldungdlg::sKlasse + Ummeldungdlg::sMannschNr,
              "1101110102");
    EXPECT_TRUE(erstellen(team2));
    EXPECT_EQ(zustand("2"), "J/2");
    EXPECT_EQ(zustand("1"), "N/0");

    // Team 3 does not exist: the club's teams pass the check, nothing is
    // changed, the dialog still closes with True.
    EXPECT_TRUE(erstellen({{"cx_MVerein", "1101"}, {"cx_MDisziplin", "110"}, {"cx_MKlasse", "10"},
                           {"ed_MMannschNr", "3"}}));
    EXPECT_EQ(db.count("EMANNSCH", "MUmmeldung = 'J'"), 1);
    EXPECT_EQ(db.count("EMANNSCH", "Ummeldung > 0"), 1);
}

TEST_F(Ummeldung, WithoutATeamTheDialogStaysOpenAndBackAnswersFalse)
{
    // The dialog on the screen: the message stands in it, it stays open.
    {
        Tdl_UmmeldungDlg dlg;
        dlg.show();
        dlg.findChild<Vcl::TLookupCombo*>("cx_MVerein")->SetKeyValue("1102");
        dlg.findChild<Vcl::TLookupCombo*>("cx_MDisziplin")->SetKeyValue("110");
        dlg.findChild<Vcl::TLookupCombo*>("cx_MKlasse")->SetKeyValue("10");
        dlg.findChild<QPushButton*>("bt_Bearbeiten")->click();
        EXPECT_EQ(dlg.findChild<QLabel*>("lb_Ansage")->text(), "Von dieser Auswahl ist keine Mannschaft vorhanden");
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_FALSE(Ummeldungdlg::bStatus);
    }
    EXPECT_EQ(db.count("EMANNSCH", "MUmmeldung = 'J' OR Ummeldung > 0"), 0);

    Ummeldungdlg::bAlteMannschaft = true;
    EXPECT_FALSE(erstellen({}, "cxButton2"));
    EXPECT_FALSE(Ummeldungdlg::bAlteMannschaft);
}

} // namespace
