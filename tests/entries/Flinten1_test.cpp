// The shotgun selection driven through its dialog: the text it hands back
// (four fields, each closed by ";"), the check of range and discipline
// that ignores the day and the sub-championship's other starts, a failed
// check followed by a cancel, and a box without any entry.

#include "reports1/entries/Flinten1.h"

#include "tests/entries/EntriesTest.h"

namespace {

class Flinten : public EntriesTest::Test {
protected:
    void SetUp() override
    {
        Test::SetUp();
        db.setting("Speziell", "Teilmeisterschaft", "A");
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 1}, {"Name", "Wurfscheibenstand"}});
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 3}, {"Name", "Trap"}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "LG"}, {"Name", "Luftgewehr"}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "T1"}, {"Name", "Trap"}});
        db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 1}, {"Datum", "2026-05-02"}, {"Teilmeisterschaft", "A"}});
        db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 2}, {"Datum", "2026-05-03"}, {"Teilmeisterschaft", "A"}});
        // Starts on range 3 on day 1 only; range 1 only in another sub-championship.
        db.insert("ERGEBNIS", {{"Ident", 1}, {"Anlage", 3}, {"Disziplin", "LG"}, {"WKTag", 1}, {"Teilmeisterschaft", "A"}});
        db.insert("ERGEBNIS", {{"Ident", 1}, {"Anlage", 1}, {"Disziplin", "T1"}, {"WKTag", 1}, {"Teilmeisterschaft", "B"}});
    }
    QString auswahl(const EntriesTest::Ctls& ctls, const QString& knopf = "bt_OK")
    {
        QString s = "?";
        fahren([&s] { s = Flinten1::Execute(); }, ctls, knopf);
        return s;
    }
};

TEST_F(Flinten, TheChoiceComesBackAsFourFieldsAndTheDayIsNotChecked)
{
    // The day of the starts is 1; day 2 passes all the same.
    EXPECT_EQ(auswahl({{"cx_Anlage", "3"}, {"cx_Disziplin", "LG"}, {"cx_WKTag", "2"}}), "3;LG;2;A;");
    // Each box opens on its first entry.
    EXPECT_EQ(auswahl({{"cx_Anlage", "3"}}), "3;LG;1;A;");
    EXPECT_EQ(auswahl({}, "cxButton2"), "");
}

TEST_F(Flinten, ARangeWithoutStartsOfTheDisciplineKeepsTheDialogOpenAndCancelGivesNothing)
{
    // Range 1 has T1 starts only in sub-championship B.
    EXPECT_EQ(auswahl({{"cx_Anlage", "1"}, {"cx_Disziplin", "T1"}}), "");
    EXPECT_EQ(ui->errors.value(0), "Auf dieser Anlage ist dafür kein Wettbewerb vorgesehen");
    // The form stayed open after the check (the driver then cancels it):
    // the run ends as an input error, not with a choice.
    EXPECT_EQ(fahren([] { Flinten1::Execute(); }, {{"cx_Anlage", "1"}}), Vcl::TFormDriver::Eingabefehler);
    EXPECT_EQ(Flinten1::sFelder, "");

    // No competition day stored for the sub-championship: nothing to choose.
    db.exec("DELETE FROM AWKTAG");
    EXPECT_EQ(auswahl({{"cx_Anlage", "3"}}), "");
    EXPECT_EQ(ui->errors.value(ui->errors.size() - 1), "Sie haben keinen Wettkampftag ausgewählt");
}

} // namespace
