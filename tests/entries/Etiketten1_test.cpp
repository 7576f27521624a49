// The address labels driven through their form: the checks in their order,
// the selection code matched anywhere and in upper case, members without a
// postcode left out, the blank labels of a used sheet (three lanes to a
// row), repeated addresses across rows and sheets, the salutation's fixed
// width, and a generated championship under the layout check with every
// text inside its label.

#include "reports1/entries/Etiketten1.h"

#include "platform/report/Rplabel.h"
#include "tests/entries/EntriesTest.h"

#include <QMap>

namespace {

// The texts of each label: key page * 100 + label (counted across, then
// down), and the texts that leave their label's print area.
struct Bogen {
    QMap<int, QStringList> etiketten;
    QStringList ausserhalb;
};

Bogen bogenLesen(const QString& datei)
{
    TEtikettenForm form; // the sheet as the job lays it out
    const Report::TLabelShell& s = *form.rpt_Etiketten;
    Bogen b;
    Report::TReportDocument doc;
    EXPECT_TRUE(Report::ReadStream(datei, doc));
    for (int pg = 0; pg < doc.Pages.size(); ++pg) {
        const QSizeF blatt(doc.Pages[pg].Width, doc.Pages[pg].Height);
        for (const Report::TStreamOp& op : doc.Pages[pg].Ops) {
            if (op.Kind != Report::TOpKind::Text)
                continue;
            int nr = -1;
            for (int i = 0; i < 24 && nr < 0; ++i)
                if (s.LabelRect(i % 3, i / 3, blatt).contains(QPointF(op.X1 + 0.001, op.Y1 + 0.001)))
                    nr = i;
            const QRectF druck = nr < 0 ? QRectF() : s.PrintRect(nr % 3, nr / 3, blatt);
            if (nr < 0 || op.X1 + op.X2 > druck.right() + 0.01 || op.Y1 > druck.bottom())
                b.ausserhalb << op.Text;
            b.etiketten[pg * 100 + nr] << op.Text;
        }
    }
    return b;
}

class AdressEtiketten : public EntriesTest::Test {
protected:
    void SetUp() override
    {
        Test::SetUp();
        Etiketten1::DruckjobID = 0;
        db.insert("EVEREIN", {{"VereinNr", "1101"}, {"Name", "SG Nord"}});
        db.insert("EVEREIN", {{"VereinNr", "1102"}, {"Name", "SV Süd"}});
    }
    void mitglied(int nr, const QString& verein, const QString& auswahl, const QString& geschlecht = "M",
                  const QString& titel = {}, const QString& plz = "85221")
    {
        const QString m = QString::number(nr);
        if (db.count("EMITGLIED", "MitglNr = '" + m + "'") == 0)
            db.insert("EMITGLIED", {{"MitglNr", m}, {"Name", QString("Name%1").arg(nr)}, {"Vorname", "Vor"},
                                    {"Titel", titel}, {"Strasse", "Weg 1"}, {"PLZ", plz}, {"Ort", "Dachau"},
                                    {"Geschlecht", geschlecht}});
        db.insert("EMITVER", {{"MitglNr", m}, {"VereinNr", verein}, {"Auswahl", auswahl}});
    }
    Bogen etiketten(const EntriesTest::Ctls& ctls)
    {
        drucken([] { Etiketten1::AdressEtiketten(); }, ctls);
        return ui->previews.isEmpty() ? Bogen{} : bogenLesen(ui->previews.last().file);
    }
};

TEST_F(AdressEtiketten, TheCodeChoosesMembershipsAndEachLabelCarriesAnAddress)
{
    mitglied(1, "1101", "xMy");            // the code anywhere, in any case
    mitglied(2, "1101", "M", "W", "Dr.");
    mitglied(2, "1102", "MV");             // a second membership: a second label
    mitglied(3, "1101", "V");              // another code
    mitglied(4, "1101", "M", "M", {}, ""); // no postcode

    const Bogen b = etiketten({{"ed_Auswahl", "m"}});
    EXPECT_EQ(ui->previews.last().title, "Adressetiketten");
    EXPECT_EQ(b.ausserhalb, QStringList());
    ASSERT_EQ(b.etiketten.size(), 3);
    EXPECT_EQ(b.etiketten.value(0), (QStringList{"Herr" + QString(36, ' ') + "1101", "Vor Name1", "Weg 1",
                                                 "85221 Dachau"}));
    EXPECT_EQ(b.etiketten.value(1).value(0), "Frau" + QString(35, ' ') + "1101");
    EXPECT_EQ(b.etiketten.value(1).value(1), "Dr. Vor Name2");
    EXPECT_EQ(b.etiketten.value(2).value(0), "Frau" + QString(35, ' ') + "1102");
    EXPECT_EQ(Etiketten1::DruckjobID, ui->previews.last().id);

    // A code nobody has: the message, and nothing printed.
    const qsizetype vorher = ui->previews.size();
    EXPECT_EQ(fahren([] { Etiketten1::AdressEtiketten(); }, {{"ed_Auswahl", "Q"}}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ui->previews.size(), vorher);
    EXPECT_EQ(letzteMeldung(), "Für diese Auswahl sind keine Daten vorhanden");
}

TEST_F(AdressEtiketten, AUsedSheetIsSkippedThreeToARowAndCopiesRunOnAcrossSheets)
{
    for (int i = 1; i <= 9; ++i)
        mitglied(i, "1101", "M");

    // Row 2, lane 3: five blank labels, the first address on the sixth.
    Bogen b = etiketten({{"ed_Auswahl", "M"}, {"ed_Reihe", "2"}, {"ed_Bahn", "3"}});
    EXPECT_EQ(b.etiketten.firstKey(), 5);
    EXPECT_EQ(b.etiketten.value(5).value(1), "Vor Name1");
    EXPECT_EQ(b.etiketten.value(13).value(1), "Vor Name9");
    EXPECT_EQ(b.etiketten.size(), 9);

    // Lane 2 of row 1: one blank label.
    b = etiketten({{"ed_Auswahl", "M"}, {"ed_Bahn", "2"}});
    EXPECT_EQ(b.etiketten.firstKey(), 1);

    // Three copies from row 8, lane 2: the sheet's last two labels carry
    // the first address twice, the next sheet begins with its third copy.
    b = etiketten({{"ed_Auswahl", "M"}, {"ed_Reihe", "8"}, {"ed_Bahn", "2"}, {"ed_Wiederholung", "3"}});
    EXPECT_EQ(b.ausserhalb, QStringList());
    QStringList namen;
    for (auto it = b.etiketten.cbegin(); it != b.etiketten.cend(); ++it)
        namen << QString::number(it.key()) + "=" + it.value().value(1);
    EXPECT_EQ(namen.mid(0, 5), (QStringList{"22=Vor Name1", "23=Vor Name1", "100=Vor Name1", "101=Vor Name2",
                                            "102=Vor Name2"}));
    EXPECT_EQ(namen.size(), 27);
    EXPECT_EQ(namen.last(), "200=Vor Name9"); // 2 + 24 labels, the last on a third sheet
}

TEST_F(AdressEtiketten, EachCheckInItsOrderKeepsTheFormOpenAndPrintsNothing)
{
    mitglied(1, "1101", "M");
    const struct {
        EntriesTest::Ctls ctls;
        QString meldung;
    } faelle[] = {
        {{{"ed_Wiederholung", "0"}, {"ed_Bahn", "4"}}, "Sie haben keine Auswahl getroffen"},
        {{{"ed_Auswahl", "M"}, {"ed_Wiederholung", "x"}, {"ed_Bahn", "4"}}, "Die Wiederholungszahl kann nicht kleiner 1 sein"},
        {{{"ed_Auswahl", "M"}, {"ed_Bahn", "4"}, {"ed_Reihe", "9"}}, "Im Feld Bahn kann nur 1, 2 oder 3 stehen"},
        {{{"ed_Auswahl", "M"}, {"ed_Bahn", "0"}}, "Im Feld Bahn kann nur 1, 2 oder 3 stehen"},
        {{{"ed_Auswahl", "M"}, {"ed_Reihe", "9"}}, "Im Feld Reihe darf nur 1 bis 8 stehen"},
        {{{"ed_Auswahl", "M"}, {"ed_Reihe", "zwei"}}, "Im Feld Reihe darf nur 1 bis 8 stehen"},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(fahren([] { Etiketten1::AdressEtiketten(); }, f.ctls), Vcl::TFormDriver::Eingabefehler);
        EXPECT_EQ(ui->errors.value(ui->errors.size() - 1), f.meldung);
    }
    EXPECT_TRUE(ui->previews.isEmpty());
}

TEST(AdressEtikettenGeneriert, TheMembersOfAGeneratedChampionshipFitTheirLabels)
{
    auto gen = Fixture::Database::Generated(300, 9);
    Host::TestUiGuard ui;
    Qvpaths::SetProgramFolder(gen->folder());
    Vcl::TFormDriver d;
    d.AddCtl("ed_Auswahl", "M");
    d.AddCtl("ed_Reihe", "3");
    d.AddClick("bt_OK");
    EXPECT_EQ(d.Run([] { Etiketten1::AdressEtiketten(); }), Vcl::TFormDriver::Ok);
    ASSERT_EQ(ui->previews.size(), 1);
    const QString datei = ui->previews.last().file;
    EXPECT_EQ(ReportTest::layoutFindings(datei), "");
    const Bogen b = bogenLesen(datei);
    EXPECT_EQ(b.ausserhalb, QStringList());
    EXPECT_EQ(b.etiketten.size(),
              gen->value("SELECT COUNT(*) FROM EMITVER VR, EMITGLIED M, EVEREIN V WHERE M.MitglNr = VR.MitglNr "
                         "AND VR.VereinNr = V.VereinNr AND M.PLZ <> '' AND VR.Auswahl LIKE '%M%'")
                  .toInt());
    QFile::remove(datei);
}

} // namespace
