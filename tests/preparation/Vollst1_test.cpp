// The completeness dialog in its four modes: starts counted per organiser,
// discipline and class (withdrawn ones never; in the list for the next
// organiser only those with a result, grouped one level up), the organiser
// code checked against the level, the RTF file, the ranges and days of the
// medal forecast, the takeover list per club, and the layout check on a
// generated championship.

#include "reports1/preparation/Vollst1.h"

#include "Zentrale.h"

#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "platform/host/Qvform.h"

#include "platform/vcl/LookupCombo.h"

using Zentrale::Druck;

namespace {

class Vollstliste : public Zentrale::Test {
protected:
    void SetUp() override
    {
        Zentrale::Test::SetUp();
        Vollst1::DruckjobID = 0;
        db.setting("Allgemein", "VeranstaltungsArt", "1");
    }

    void start(const QString& verein, const QString& dis, const QString& kla, double ergebnis,
               const QString& abmeldung = "N", const QString& mverein = {})
    {
        db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", verein + QString::number(++mitglied)}, {"VereinNr", verein},
                               {"Disziplin", dis}, {"EKlasse", kla}, {"Ergebnis", ergebnis}, {"Abmeldung", abmeldung},
                               {"MVereinNr", mverein}, {"MDisziplin", mverein.isEmpty() ? "" : dis},
                               {"MKlasse", mverein.isEmpty() ? "" : kla}, {"MannschNr", mverein.isEmpty() ? "" : "1"},
                               {"Teilmeisterschaft", "1"}});
    }
    // Clubs 1101 and 1102 of district 11 ("Gau Olching", on record as club
    // 1100), 2101 of district 21; 120 belongs to sub-championship 2.
    void meisterschaft()
    {
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "120"}, {"Name", "Luftpistole"}});
        db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "10"}, {"Name", "Schützenklasse"}});
        db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "11"}, {"Name", "Damenklasse"}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}, {"Teilmeisterschaft", "1"}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "11"}, {"Teilmeisterschaft", "1"}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "120"}, {"Klasse", "10"}, {"Teilmeisterschaft", "2"}});
        for (auto [nr, name] : {std::pair{"1100", "Gau Olching"}, {"1101", "SG Olching"}, {"1102", "SV Gröbenzell"},
                                {"2101", "Tell Garching"}})
            db.insert("EVEREIN", {{"VereinNr", nr}, {"Name", name}});
        start("1101", "110", "10", 380);
        start("1101", "110", "10", 0);        // no result
        start("1101", "110", "11", 370);
        start("1101", "110", "11", 375, "J"); // withdrawn
        start("1101", "120", "10", 360);      // other sub-championship
        start("1102", "110", "10", 365);
        start("2101", "110", "11", 0);
    }

    Vcl::TFormDriver::Outcome ausfuehren(int modus, const QList<QPair<QString, QString>>& ctls)
    {
        Vcl::TFormDriver d;
        for (const auto& [n, w] : ctls)
            d.AddCtl(n, w);
        d.AddClick("bt_OK");
        const auto outcome = d.Run([&] { Vollst1::Vollstliste(modus, ergebnis); });
        fehler = d.ErrorText();
        return outcome;
    }
    Druck liste(int modus, const QList<QPair<QString, QString>>& ctls = {})
    {
        const qsizetype vorher = ui->previews.size();
        EXPECT_EQ(ausfuehren(modus, ctls), Vcl::TFormDriver::Ok) << fehler.toStdString();
        EXPECT_EQ(ui->previews.size(), vorher + 1) << ui->messageTexts().join(" / ").toStdString();
        if (ui->previews.size() != vorher + 1)
            return {};
        EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "");
        return Zentrale::lesen(ui->previews.last());
    }

    int mitglied = 0;
    QString ergebnis;
};

} // namespace

TEST_F(Vollstliste, CountsTheStartsOfEachOrganiserDisciplineAndClass)
{
    meisterschaft();
    Druck d = liste(1);
    EXPECT_EQ(d.titel, "Vollständigkeitsliste");
    EXPECT_EQ(d.texte(), (QStringList{"Vollständigkeitsprotokoll der Teilm. 1", "Bezirksmeisterschaft 2026",
                                      "1101|SG Olching", "1.10|Luftgewehr|Anzahl", "10|Schützenklasse|2",
                                      "11|Damenklasse|1", "Gesamt|3", "1102|SV Gröbenzell", "1.10|Luftgewehr|Anzahl",
                                      "10|Schützenklasse|1", "Gesamt|1", "2101|Tell Garching", "1.10|Luftgewehr|Anzahl",
                                      "11|Damenklasse|1", "Gesamt|1", "Insgesamt|5"}));
    EXPECT_TRUE(ergebnis.isEmpty());

    // One organiser, all sub-championships.
    d = liste(1, {{"gb_Veranst", "1"}, {"ed_Veranst", "1101"}, {"cb_Teilm", "true"}});
    EXPECT_EQ(d.texte(), (QStringList{"Vollständigkeitsprotokoll komplett", "Bezirksmeisterschaft 2026",
                                      "1101|SG Olching", "1.10|Luftgewehr|Anzahl", "10|Schützenklasse|2",
                                      "11|Damenklasse|1", "1.20|Luftpistole|Anzahl", "10|Schützenklasse|1",
                                      "Gesamt|4", "Insgesamt|4"}));

    // An organiser without starts: nothing printed.
    ui->messages.clear();
    EXPECT_EQ(ausfuehren(1, {{"gb_Veranst", "1"}, {"ed_Veranst", "9999"}}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ui->messageTexts(), QStringList{"Für diese Auswahl sind keine Daten vorhanden"});
    EXPECT_EQ(ui->previews.size(), 2);
}

TEST_F(Vollstliste, TheOrganiserCodeMustFitTheLevel)
{
    meisterschaft();
    const struct {
        int art;
        QString code, fehler;
    } faelle[] = {
        {1, "110", "Es wurde ein fehlerhafter Veranstalter eingegeben (4 Stellen)."},
        {2, "071", "Es wurde ein fehlerhafter Veranstalter eingegeben (2 Stellen)."},
        {2, "", "Es wurde ein fehlerhafter Veranstalter eingegeben (2 Stellen)."},
        {3, "12", "Es wurde ein fehlerhafter Veranstalter eingegeben (1 Stelle)."},
    };
    for (const auto& f : faelle) {
        db.setting("Allgemein", "VeranstaltungsArt", QString::number(f.art));
        ui->errors.clear();
        EXPECT_EQ(ausfuehren(1, {{"gb_Veranst", "1"}, {"ed_Veranst", f.code}}), Vcl::TFormDriver::Eingabefehler);
        EXPECT_EQ(ui->errors, QStringList{f.fehler}) << f.code.toStdString();
    }
    EXPECT_TRUE(ui->previews.isEmpty());
    // District 11 at level 2: both its clubs under its name.
    db.setting("Allgemein", "VeranstaltungsArt", "2");
    Druck d = liste(1, {{"gb_Veranst", "1"}, {"ed_Veranst", "11"}});
    EXPECT_EQ(d.texte().mid(2), (QStringList{"11|Gau Olching", "1.10|Luftgewehr|Anzahl", "10|Schützenklasse|3",
                                             "11|Damenklasse|1", "Gesamt|4", "Insgesamt|4"}));
}

TEST_F(Vollstliste, ForTheNextOrganiserGroupsOneLevelUpAndCountsOnlyResults)
{
    meisterschaft();
    EXPECT_EQ(Vollst1::Ebene(1, true), 2);
    EXPECT_EQ(Vollst1::Ebene(3, true), 3);
    EXPECT_EQ(Vollst1::Ebene(0, false), 1);
    Druck d = liste(2);
    EXPECT_EQ(d.texte(), (QStringList{"Vollständigkeitsprotokoll komplett", "Bezirksmeisterschaft 2026",
                                      "11|Gau Olching", "1.10|Luftgewehr|Anzahl", "10|Schützenklasse|2",
                                      "11|Damenklasse|1", "1.20|Luftpistole|Anzahl", "10|Schützenklasse|1", "Gesamt|4",
                                      "Insgesamt|4"}));
    // Regions stay regions, listed without a name.
    db.setting("Allgemein", "VeranstaltungsArt", "3");
    d = liste(2);
    EXPECT_EQ(d.texte().value(2), "1");
    EXPECT_EQ(d.texte().last(), "Insgesamt|4");

    // As an RTF file of the data folder.
    db.setting("Allgemein", "VeranstaltungsArt", "1");
    ASSERT_EQ(ausfuehren(1, {{"cb_RTF", "true"}}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ui->messageTexts().last(),
              "Das Vollständigkeitsprotokoll ist als   VOLLST.RTF  im\r\nOrdner  DATEN  erstellt worden");
    QFile rtf(QDir(Qvpaths::DataFolder()).filePath("VOLLST.RTF"));
    ASSERT_TRUE(rtf.open(QIODevice::ReadOnly));
    const QByteArray text = rtf.readAll();
    EXPECT_TRUE(text.startsWith("{\\rtf1"));
    EXPECT_TRUE(text.contains("Insgesamt"));
}

TEST_F(Vollstliste, MedalChoiceReturnsRangeAndDays)
{
    db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 1}, {"Name", "Halle Nord"}});
    db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 2}, {"Name", "Halle Süd"}});
    db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 1}, {"Datum", "2026-03-07"}, {"Teilmeisterschaft", "1"}});
    db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 2}, {"Datum", "2026-03-08"}, {"Teilmeisterschaft", "1"}});
    db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 3}, {"Datum", "2026-03-14"}, {"Teilmeisterschaft", "1"}});
    db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 4}, {"Datum", "2026-03-15"}, {"Teilmeisterschaft", "2"}});

    EXPECT_EQ(ausfuehren(3, {}), Vcl::TFormDriver::Eingabefehler);
    EXPECT_EQ(ui->errors, QStringList{"Es wurden keine Tage ausgewählt."});
    EXPECT_EQ(ergebnis, "");

    ASSERT_EQ(ausfuehren(3, {{"lx_Tag", "08.03.2026"}}), Vcl::TFormDriver::Ok) << fehler.toStdString();
    EXPECT_EQ(ergebnis, "0;2;0;");

    // One range, the first and third day (the fourth is another sub-championship's).
    QStringList tage;
    QTimer::singleShot(0, [&] {
        TVollstForm* f = Vollst1::VollstForm;
        auto* lx = f->findChild<QListWidget*>("lx_Tag");
        for (int i = 0; i < lx->count(); ++i)
            tage << lx->item(i)->text();
        lx->item(0)->setSelected(true);
        lx->item(2)->setSelected(true);
        f->findChild<QCheckBox*>("cb_AlleAnlagen")->click();
        auto* cx = f->findChild<Vcl::TLookupCombo*>("cx_Anlage");
        EXPECT_TRUE(cx->isEnabled());
        cx->Waehlen(cx->ZeileFinden("Halle Süd"));
        f->findChild<QPushButton*>("bt_OK")->click();
    });
    EXPECT_EQ(Vollst1::Vollstliste(3, ergebnis), Host::mrOk);
    EXPECT_EQ(tage, (QStringList{"07.03.2026", "08.03.2026", "14.03.2026"}));
    EXPECT_EQ(ergebnis, "2;1;3;");
}

TEST_F(Vollstliste, TakeoverListShowsEachClubsStartsTeamsAndSummary)
{
    meisterschaft();
    db.insert("EMITGLIED", {{"MitglNr", "11011"}, {"Name", "Huber"}, {"Vorname", "Anna"}});
    db.insert("EMITGLIED", {{"MitglNr", "11013"}, {"Name", "Maier"}, {"Vorname", "Eva"}});
    db.exec("UPDATE ERGEBNIS SET MVereinNr = '1101', MDisziplin = '110', MKlasse = '11', MannschNr = '1' "
            "WHERE MitglNr = '11013'");
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1101"}, {"Disziplin", "110"}, {"MKlasse", "11"}});
    db.insert("EARCHIV", {{"Ident", 1}, {"VereinNr", "1101"}, {"MitglNr", "11019"}});
    db.exec("UPDATE PDISKLA SET KennzE = '1.10.10', KennzM = '1.10.11M'");

    Druck d = liste(4, {{"cx_Verein", "1101"}});
    EXPECT_EQ(d.titel, "Übernahmedaten aus dem Startmeldeprogramm");
    EXPECT_EQ(d.texte(), (QStringList{"Übernahmedaten aus dem Startmeldeprogramm", "Bezirksmeisterschaft 2026",
                                      "1101|SG Olching", "Einzel", "1.10|Luftgewehr|10 Schützenklasse|1.10.10",
                                      "11011|Huber, Anna|10", "Mannschaft",
                                      "1.10|Luftgewehr  Mannschaft 1|11 Damenklasse|1.10.11M", "11013|Maier, Eva|11",
                                      "Anzahl Starter|5", "Anzahl Starts|5", "Anzahl Mannschaften|1",
                                      "Anzahl Abmeldungen|1"}));

    ui->messages.clear();
    EXPECT_EQ(ausfuehren(4, {{"cx_Verein", "1100"}}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ui->messageTexts(), QStringList{"Zu dieser Auswahl sind keine Daten vorhanden"});
}

TEST(VollstlisteGeneriert, EveryModePassesTheLayoutCheck)
{
    auto db = Fixture::Database::Generated(600, 4);
    Qvpaths::SetProgramFolder(db->folder());
    Host::TestUiGuard ui;
    QString ergebnis;
    for (int modus : {1, 2, 4}) {
        Vcl::TFormDriver d;
        d.AddClick("bt_OK");
        ASSERT_EQ(d.Run([&] { Vollst1::Vollstliste(modus, ergebnis); }), Vcl::TFormDriver::Ok) << d.ErrorText().toStdString();
    }
    ASSERT_EQ(ui->previews.size(), 3);
    for (const auto& p : ui->previews) {
        EXPECT_EQ(ReportTest::layoutFindings(p.file), "") << p.title.toStdString();
        QFile::remove(p.file);
    }
}

TEST_F(Vollstliste, TheCentreAsksWhichListAndOpensTheDialogInThatMode)
{
    meisterschaft();
    open();
    QList<int> modi;
    QList<bool> auswahl;
    Qvform::SetShowHook([&](QWidget* w) {
        if (auto* f = qobject_cast<TVollstForm*>(w)) {
            modi << Vollst1::iAusdruck;
            auswahl << !f->findChild<QWidget*>("gb_Veranst")->isHidden();
            QTimer::singleShot(0, w, [w] { static_cast<QDialog*>(w)->reject(); });
        }
    });
    ui->answers = {Host::mrYes, Host::mrNo};
    ctl<QPushButton>("bt_Vollst")->click();
    ctl<QPushButton>("bt_Vollst")->click();
    ctl<QPushButton>("bt_Uebernahme")->click();
    Qvform::SetShowHook({});
    EXPECT_EQ(modi, (QList<int>{2, 1, 4}));
    EXPECT_EQ(auswahl, (QList<bool>{false, true, true}));
    EXPECT_EQ(ui->messageTexts().value(0),
              "Möchten Sie ein Vollständigkeitsprotokoll\r\nfür den nächsten Veranstalter ausgeben?");
}
