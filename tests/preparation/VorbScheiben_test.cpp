// The target order form from the preparation centre: quantities rounded up
// to whole packs with the closing message once, the sections and marks of
// the planned targets, the blank form with every article offered and no
// addresses, the checks before printing, pages that each carry head, foot
// and their count, and the command line's entry; every print under the
// layout check.

#include "reports1/preparation/VorbScheiben.h"

#include "reports1/entries/Scheiben1.h"
#include "reports1/module/Einspruenge.h"
#include "tests/preparation/Zentrale.h"

namespace {

using Zentrale::Druck;

class Scheiben : public Zentrale::Test {
protected:
    void SetUp() override
    {
        Test::SetUp();
        Scheiben1::bBlanko = false;
        db.setting("Global", "Verband", "Bayerischer Sportschützenbund e.V.");
        db.setting("Global", "Veranst1", "Schützenbezirk");
        db.setting("Global", "Veranst2", "Oberland");
        db.setting("Allgemein", "VeranstalterNr", "1000");
        for (const auto& [key, wert] : std::map<QString, QString>{
                 {"VStrasse", "Ingolstädter Landstraße 110"}, {"VPLZ", "85748"}, {"VOrt", "Garching"},
                 {"VFVorw", "089"}, {"VFax", "31694999"}, {"AVorname", "Anna"}, {"AName", "Lechner"},
                 {"AStrasse", "Schützenweg 3"}, {"APLZ", "85221"}, {"AOrt", "Dachau"}, {"ATVorwahl", "08131"},
                 {"ATelefon", "12345"}, {"AeMail", "anna@example.org"}, {"Check", "J"}, {"Termin", "15.02.2026"},
                 {"EAdresse", "Bezirkskasse"}, {"EStrasse", "Kassenweg 1"}, {"EPLZ", "80331"},
                 {"EOrt", "München"}})
            db.setting("Scheiben", key, wert);
        artikel("1.10.1", "Luftgewehrscheibe", 1, 1, 5, 500);
        artikel("1.20.1", "Zimmerstutzenscheibe", 1, 2, 5, 500);
        artikel("9.1.1", "Hintergrundscheibe LG", 2, 1, 5, 50);
        artikel("8.10.1", "Probescheibe LG", 3, 1, 1, 100);
        artikel("7.1.1", "Scheibenklammern", 4, 1, 5, 100);
        artikel("7.1.9", "Altbestand", 100, 1, 1, 1); // never offered
        bedarf("1.10.1", 7, "J", "N", 1, 7, "N", "J");   // 7 with packs of 5: 10
        bedarf("1.20.1", 10, "J", "N", 0, 0, "J", "N");  // a whole pack already
        bedarf("9.1.1", 3, "N", "N", 0, 0, "N", "N");    // below one pack: 5
        bedarf("8.10.1", 7, "N", "J", 0, 0, "N", "N");   // packs of 1: unchanged
        bedarf("7.1.1", 0, "N", "N", 0, 0, "N", "N");    // nothing: the cell stays empty
        db.insert("ESCHEIBEN", {{"Ident", 2}, {"ScheibenArt", "7.1.9"}, {"BestMengeW", 9}}); // another championship
    }
    void artikel(const QString& nr, const QString& name, int sort, int nummer, int packung, int karton)
    {
        db.insert("PSCHEIART", {{"ScheibenArt", nr}, {"Name", name}, {"Sort", sort}, {"Nummer", nummer},
                                {"Packung", packung}, {"Karton", karton}});
    }
    void bedarf(const QString& nr, int menge, const QString& wertung, const QString& probe, int von, int bis,
                const QString& kniend, const QString& liegend)
    {
        db.insert("ESCHEIBEN", {{"Ident", 1}, {"ScheibenArt", nr}, {"BestMengeW", menge}, {"Wertung", wertung},
                                {"Probe", probe}, {"Von", von}, {"Bis", bis}, {"Kniend", kniend},
                                {"Liegend", liegend}, {"Stehend", "N"}});
    }
    // The centre's button, the question answered; the print it made.
    Druck bestellen(bool blanko)
    {
        const qsizetype vorher = ui->previews.size();
        EXPECT_EQ(play({"bt_Scheiben", blanko ? "cb_Blanko=true" : "cb_Blanko=false", "bt_OK"}),
                  Vcl::TFormDriver::Ok)
            << fehler.toStdString();
        if (ui->previews.size() != vorher + 1)
            return {};
        EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "");
        return Zentrale::lesen(ui->previews.last());
    }
    // The lines of the form's article rows: those after the column heads.
    static QStringList artikelZeilen(const Druck& d)
    {
        const QStringList t = d.texte();
        const qsizetype kopf = t.indexOf("Menge|Artikel-Nr.|Bezeichnung|packung|inhalt");
        const qsizetype fuss = t.indexOf(QRegularExpression("^Vereinsnr\\.:.*"));
        return kopf < 0 || fuss < 0 ? t : t.mid(kopf + 1, fuss - kopf - 1);
    }
};

TEST_F(Scheiben, AFilledFormOrdersWholePacksBySectionWithTheMarks)
{
    const Druck d = bestellen(false);
    EXPECT_EQ(d.titel, "Scheibenbestellung");
    EXPECT_EQ(artikelZeilen(d), (QStringList{
        "Meisterschaftsscheiben und -spiegel mit SIGNUM",
        "10|1.10.1|Luftgewehrscheibe|M SN 1-7 L|5|500",
        "10|1.20.1|Zimmerstutzenscheibe|M K|5|500",
        "Hintergrund- und Trägerscheiben mit Einsteckschlitzen ohne SIGNUM",
        "5|9.1.1|Hintergrundscheibe LG|5|50",
        "Probescheiben und -spiegel ohne SIGNUM",
        "7|8.10.1|Probescheibe LG|P|1|100",
        "Schießsportzubehör",
        "7.1.1|Scheibenklammern|5|100",
    })) << d.texte().join('\n').toStdString();
    const QStringList t = d.texte();
    EXPECT_TRUE(t.contains("Bestellung besteht aus  1  Seite(n)|Stand per  01.05.09"));
    EXPECT_TRUE(t.contains("Bayerischer Sportschützenbund e.V."));
    EXPECT_TRUE(t.contains("per Fax: 089 - 31694999"));
    EXPECT_TRUE(t.contains("Vereinsnr.:|1000|Liefertermin:|15.02.2026"));
    EXPECT_TRUE(t.contains("Besteller: &|Schützenbezirk Oberland|RE.-Anschrift"));
    EXPECT_TRUE(t.contains("Lieferanschrift:|Anna Lechner|                z.Hd."));
    // "Check" = "J": the invoice goes to the orderer, the second address stays out.
    EXPECT_TRUE(t.contains("PLZ,  Ort:|85221 Dachau|PLZ,  Ort:"));
    EXPECT_TRUE(t.contains("Tel.:|08131 / 12345|Tel.:"));
    EXPECT_TRUE(t.contains("Unterschrift:|Seite  1  von  1"));
    EXPECT_TRUE(t.contains("L|= LIEGEND - Symbol|M|= Wertungsscheibe (Meisterschaft)|SE|= STEHEND - Symbol"));
    // Raised quantities are told once, after the print.
    EXPECT_EQ(ui->messageTexts(), QStringList{"Bestellmengen wurde auf Packungsgröße verändert."});
    EXPECT_EQ(Ausnahme1::DruckjobID, ui->previews.last().id);
    EXPECT_TRUE(ui->statusTexts.contains("Erstellen der Scheibenbestellung"));

    // A second address with "Check" = "N"; no raised quantity, no message.
    db.setting("Scheiben", "Check", "N");
    db.setting("Scheiben", "Termin", "");
    db.exec("UPDATE ESCHEIBEN SET BestMengeW = 10 WHERE ScheibenArt IN ('1.10.1', '9.1.1')");
    const Druck e = bestellen(false);
    const QStringList u = e.texte();
    EXPECT_TRUE(u.contains("Besteller: &|Schützenbezirk Oberland|RE.-Anschrift|Bezirkskasse"));
    EXPECT_TRUE(u.contains("PLZ,  Ort:|85221 Dachau|PLZ,  Ort:|80331 München"));
    EXPECT_TRUE(u.contains("Vereinsnr.:|1000|Liefertermin:|sofort"));
    EXPECT_EQ(ui->messageTexts().size(), 1);
}

TEST_F(Scheiben, TheBlankFormOffersEveryArticleWithoutQuantitiesOrAddresses)
{
    db.setting("Scheiben", "VFax", ""); // the blank form needs no addresses
    const Druck d = bestellen(true);
    EXPECT_EQ(artikelZeilen(d), (QStringList{
        "Meisterschaftsscheiben und -spiegel mit SIGNUM",
        "1.10.1|Luftgewehrscheibe|5|500",
        "1.20.1|Zimmerstutzenscheibe|5|500",
        "Hintergrund- und Trägerscheiben mit Einsteckschlitzen ohne SIGNUM",
        "9.1.1|Hintergrundscheibe LG|5|50",
        "Probescheiben und -spiegel ohne SIGNUM",
        "8.10.1|Probescheibe LG|1|100",
        "Schießsportzubehör",
        "7.1.1|Scheibenklammern|5|100",
    })) << d.texte().join('\n').toStdString();
    const QStringList t = d.texte();
    EXPECT_TRUE(t.contains("Vereinsnr.:|Liefertermin:"));
    EXPECT_TRUE(t.contains("Lieferanschrift:|                z.Hd."));
    EXPECT_FALSE(d.dump.contains("Lechner"));
    EXPECT_TRUE(ui->messageTexts().isEmpty());
}

TEST_F(Scheiben, MissingAddressesOrDataStopBeforeAnythingIsPrinted)
{
    db.setting("Scheiben", "VFax", "");
    play({"bt_Scheiben", "cb_Blanko=false", "bt_OK"});
    EXPECT_EQ(ui->errors, QStringList{"Wichtige Adressfelder wurden nicht ausgefüllt."});

    // The invoice address is needed only when it is a second one.
    db.setting("Scheiben", "VFax", "31694999");
    db.setting("Scheiben", "Check", "N");
    db.setting("Scheiben", "EOrt", "");
    play({"bt_Scheiben", "cb_Blanko=false", "bt_OK"});
    EXPECT_EQ(ui->errors.size(), 2);

    // Without the association's name: a warning, no form.
    db.setting("Scheiben", "Check", "J");
    db.setting("Global", "Verband", "");
    play({"bt_Scheiben", "cb_Blanko=true", "bt_OK"});
    EXPECT_EQ(ui->messageTexts(), QStringList{"Die Verbandsbezeichnung und die Anschrift fehlen"});

    // Nothing planned for this championship (another one's need is not ours).
    db.setting("Global", "Verband", "BSSB");
    db.exec("DELETE FROM ESCHEIBEN WHERE Ident = 1");
    play({"bt_Scheiben", "cb_Blanko=false", "bt_OK"});
    EXPECT_EQ(ui->messageTexts().last(), "Es sind keine Daten zur Scheibenbestellung vorhanden");
    EXPECT_TRUE(ui->previews.isEmpty());
}

TEST_F(Scheiben, EveryPageOfALongFormHasHeadFootAndTheCount)
{
    for (int i = 1; i <= 70; ++i) {
        const QString nr = "5." + QString::number(i) + ".1";
        artikel(nr, "Artikel " + QString::number(i), 1 + i / 20, i, 10, 100);
        bedarf(nr, i, "J", "N", 0, 0, "N", "N");
    }
    const Druck d = bestellen(false);
    ASSERT_GE(d.seiten.size(), 2);
    const int n = int(d.seiten.size());
    int zeilen = 0;
    for (int s = 0; s < n; ++s) {
        const QString seite = d.seiten[s].join('\n');
        EXPECT_TRUE(seite.contains("Bestellung besteht aus  " + QString::number(n) + "  Seite(n)")) << s;
        EXPECT_TRUE(seite.contains("Menge|Artikel-Nr.|Bezeichnung|packung|inhalt")) << s;
        EXPECT_TRUE(seite.contains(QString("Seite  %1  von  %2").arg(s + 1).arg(n))) << s;
        EXPECT_TRUE(seite.contains("Bitte unbedingt Datum angeben -- Danke")) << s;
        zeilen += int(d.seiten[s].filter(QRegularExpression(":\\d*\\|?\\d+\\.\\d+\\.1\\|")).size());
    }
    EXPECT_EQ(zeilen, 75); // no article lost at a page break
}

TEST(ScheibenGeneriert, TheCommandLineEntryAsksThenPrintsBothFormsOfAGeneratedChampionship)
{
    auto gen = Fixture::Database::Generated(300, 5);
    Host::TestUiGuard ui;
    Qvpaths::SetProgramFolder(gen->folder());
    const Einspruenge::TEinsprung* e = Einspruenge::Finden("Scheibenbestellung");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->StandardKnopf, "bt_OK");
    for (const bool blanko : {false, true}) {
        Vcl::TFormDriver d;
        d.AddCtl("cb_Blanko", blanko ? "true" : "false");
        d.AddClick(e->StandardKnopf);
        EXPECT_EQ(d.Run([e] { e->Aufruf({}); }), Vcl::TFormDriver::Ok) << d.ErrorText().toStdString();
        ASSERT_EQ(ui->previews.size(), blanko ? 2 : 1);
        EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "") << blanko;
        const QString dump = Report::DumpStream(ui->previews.last().file);
        EXPECT_EQ(dump.contains("Anna"), !blanko);
        QFile::remove(ui->previews.last().file);
    }
}

} // namespace
