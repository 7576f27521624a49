// The results dialog off-screen on a real championship database: opening
// and pages, the output marks, tab defaults and option settings, input
// errors, hidden items, the results list output with its continuous
// display, the non-starters and the name search.

#include "reports1/results/Ergebdruck1.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/DisziplinInfo.h"
#include "platform/host/Qvform.h"
#include "platform/host/Qvmain.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpstream.h"
#include "reports1/documents/Zusammen1.h"
#include "reports1/statistics/Statistik2.h"
#include "tests/support/TestHostUi.h"
#include "platform/vcl/FormDriver.h"
#include "platform/vcl/RadioGroup.h"
#include "reports1/entries/Starter1.h"
#include "tests/support/Fixture.h"
#include "tests/support/QtGtest.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

void flushEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Championship 1 with disciplines 110 (classes 10 and 20) and 120 (class
// 10), and championship 2 with 110/10, so that marks of one championship
// can be told from the other's.
class ErgebDruck : public ::testing::Test {
protected:
    void SetUp() override
    {
        Qvpaths::SetProgramFolder(db.folder());
        db.insert("ZKTMP", {{"Ident", 2}, {"Veranstalter", "Andere Meisterschaft"}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}, {"Kennung", "E"}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "120"}, {"Name", "Luftpistole"}, {"Kennung", "E"}});
        db.insert("PDISZIPLIN", {{"Ident", 2}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}, {"Kennung", "E"}});
        db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "10"}, {"Name", "Schützenklasse"}, {"Kurz", "Sch Kl"}});
        db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "20"}, {"Name", "Damenklasse"}, {"Kurz", "Da Kl"}});
        db.insert("PKLASSE", {{"Ident", 2}, {"Klasse", "10"}, {"Name", "Schützenklasse"}, {"Kurz", "SK"}});
        for (auto [ident, dis, kla] : {std::tuple{1, "110", "10"}, {1, "110", "20"}, {1, "120", "10"}, {2, "110", "10"}})
            db.insert("PDISKLA", {{"Ident", ident}, {"Disziplin", dis}, {"Klasse", kla}});
        db.insert("EVEREIN", {{"VereinNr", "1201"}, {"Name", "SV Tell Oberdorf"}, {"Abkuerzung", "SVT"}});
        db.insert("EMITGLIED", {{"MitglNr", "1"}, {"Name", "Meier"}, {"Vorname", "Hans"}});
        db.insert("EMITGLIED", {{"MitglNr", "2"}, {"Name", "Meiner"}, {"Vorname", "Eva"}});
        db.insert("EMITGLIED", {{"MitglNr", "3"}, {"Name", "Schulz"}, {"Vorname", "Otto"}});
        Datamod::DisziplinInfoVergessen();
    }

    void TearDown() override
    {
        if (Ergebdruck1::ErgebDruckForm)
            Ergebdruck1::ErgebDruckForm->close();
        flushEvents();
        Ergebdruck1::DruckjobID = 0;
    }

    TErgebDruckForm* open(bool auswahl = true)
    {
        Ergebdruck1::Erstellen(auswahl);
        flushEvents();
        return Ergebdruck1::ErgebDruckForm;
    }

    template <class T>
    T* ctl(const char* name)
    {
        T* w = Ergebdruck1::ErgebDruckForm->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    // Sets a control as a user would (its handler runs); the driver's
    // error text when the control does not take the value.
    QString set(const char* name, const QString& value)
    {
        QString error;
        if (!Vcl::TFormDriver::SetControl(Ergebdruck1::ErgebDruckForm, name, value, &error))
            return error;
        return {};
    }
    void click(const char* name)
    {
        QString error;
        ASSERT_TRUE(Vcl::TFormDriver::Click(Ergebdruck1::ErgebDruckForm, name, &error)) << error.toStdString();
    }
    void tab(const char* text) { ASSERT_EQ(set("pc_Ergebnis", text), ""); }

    QString page() { return ctl<QStackedWidget>("pc_Ergebnisse")->currentWidget()->objectName(); }
    QString tabPage() { return ctl<QTabWidget>("pc_Ergebnis")->currentWidget()->objectName(); }
    int index(const char* group) { return ctl<Vcl::TRadioGroup>(group)->ItemIndex(); }
    bool checked(const char* box) { return ctl<QAbstractButton>(box)->isChecked(); }
    QString text(const char* edit) { return ctl<QLineEdit>(edit)->text(); }
    static QString setting(const char* bereich, const char* key) { return Qvsettings::GetString(bereich, key); }

    // The marked groups as "Ident/Disziplin/Klasse", in key order.
    QStringList marks()
    {
        QStringList l;
        auto q = Datamod::DataModule1()->DynQuery(
            "SELECT Ident, Disziplin, Klasse FROM PDISKLA WHERE ErgebEing = 'X' ORDER BY Ident, Disziplin, Klasse");
        for (q->First(); !q->Eof(); q->Next())
            l << q->FieldByName("Ident")->AsString() + "/" + q->FieldByName("Disziplin")->AsString() + "/"
                     + q->FieldByName("Klasse")->AsString();
        return l;
    }

    // The classes shown in the class grid, with their tick.
    QStringList klassenGrid()
    {
        auto* g = ctl<QTableView>("gr_Klassen");
        QStringList l;
        for (int r = 0; r < g->model()->rowCount(); ++r)
            l << g->model()->index(r, 0).data().toString()
                     + (g->model()->index(r, 3).data(Qt::CheckStateRole).toInt() == Qt::Checked ? "X" : "");
        return l;
    }
    // The class grid's captions and the names it shows beside the codes.
    QStringList klassenSpalten()
    {
        auto* m = ctl<QTableView>("gr_Klassen")->model();
        QStringList l;
        for (int c = 0; c < m->columnCount(); ++c)
            l << m->headerData(c, Qt::Horizontal).toString();
        for (int r = 0; r < m->rowCount(); ++r)
            l << m->index(r, 1).data().toString();
        return l;
    }

    // One start of member nr in 110/10 of championship 1.
    void start(const QString& nr, double ergebnis, int startNr)
    {
        db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", nr}, {"VereinNr", "1201"}, {"Disziplin", "110"},
                               {"EKlasse", "10"}, {"Ergebnis", ergebnis}, {"StartNr", startNr}});
    }

    Host::TestUiGuard ui;
    Fixture::Database db;
};

TEST_F(ErgebDruck, OpensOnResultsListFromMenuAndOnGeneralPageForIncompleteResults)
{
    db.setting("Speziell", "Teilmeisterschaft", "2");
    TErgebDruckForm* f = open(true);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->Erstellt());
    EXPECT_TRUE(f->isMaximized());
    EXPECT_EQ(f->windowTitle(), "Erstellen Ergebnislisten - Testmeisterschaft - Teilm. 2");
    EXPECT_EQ(page(), "ts_Normal");
    EXPECT_EQ(tabPage(), "ts_Ergebnisse");
    EXPECT_EQ(index("gb_Ergebnisse"), 0);
    EXPECT_EQ(index("gb_Einzel"), 0);
    EXPECT_EQ(index("gb_Drucker"), 0);
    EXPECT_TRUE(checked("cb_Einzel"));
    EXPECT_TRUE(checked("cb_Mannschaft"));
    EXPECT_EQ(Qvmain::f_Menue()->Navigator(), ctl<QTableView>("gr_Klassen"));
    EXPECT_TRUE(ctl<QTabWidget>("pc_Ergebnis")->tabBar()->isVisible());
    QStringList tabs;
    for (int i = 0; i < ctl<QTabWidget>("pc_Ergebnis")->count(); ++i)
        tabs << ctl<QTabWidget>("pc_Ergebnis")->tabText(i);
    EXPECT_EQ(tabs, QStringList({"Ergebnisliste", "Urkunden", "Gesamtergebnisliste", "Presseliste", "Internet",
                                 "Allgemein", "Medaillenspiegel"}));

    // Only the competition's disciplines, ordered; the first one's classes.
    auto* dis = ctl<QTableView>("gr_Disziplinen");
    ASSERT_EQ(dis->model()->rowCount(), 2);
    EXPECT_EQ(dis->model()->index(1, 1).data().toString(), "Luftpistole");
    EXPECT_EQ(klassenGrid(), QStringList({"10", "20"}));
    EXPECT_EQ(klassenSpalten(), QStringList({"Klasse", "Bezeichnung", "Disziplin", "Ausgabe", "Schützenklasse",
                                             "Damenklasse"}));

    f->close();
    flushEvents();
    EXPECT_EQ(Ergebdruck1::ErgebDruckForm, nullptr);
    EXPECT_EQ(Qvmain::f_Menue()->Navigator(), nullptr);

    // For the incomplete results the dialog switches itself to the general page.
    Ergebdruck1::Erstellen(false);
    EXPECT_EQ(page(), "ts_Normal"); // the switch is a posted message
    flushEvents();
    EXPECT_EQ(page(), "ts_Rekord");
    EXPECT_EQ(tabPage(), "ts_Rekorde");

    // "Zurück" returns to the results list.
    click("bt_ZurueckRekord");
    EXPECT_EQ(page(), "ts_Normal");
    EXPECT_EQ(tabPage(), "ts_Ergebnisse");
}

TEST_F(ErgebDruck, TickingClassesWritesMarksOfTheCurrentCompetitionOnly)
{
    db.exec("UPDATE PDISKLA SET ErgebEing = 'X' WHERE Ident = 2");
    open();
    EXPECT_EQ(set("gr_Klassen", "20:ErgebEing=X"), "");
    EXPECT_EQ(marks(), QStringList({"1/110/20", "2/110/10"}));
    EXPECT_EQ(klassenGrid(), QStringList({"10", "20X"}));

    // Another discipline shows its own classes; its class 10 is ticked alone.
    EXPECT_EQ(set("gr_Disziplinen", "120"), "");
    EXPECT_EQ(klassenGrid(), QStringList({"10"}));
    EXPECT_EQ(set("gr_Klassen", "10:ErgebEing=X"), "");
    EXPECT_EQ(marks(), QStringList({"1/110/20", "1/120/10", "2/110/10"}));

    // Clearing a tick writes the row back.
    EXPECT_EQ(set("gr_Klassen", "10:ErgebEing="), "");
    EXPECT_EQ(marks(), QStringList({"1/110/20", "2/110/10"}));

    // A double-click on the discipline marks all its classes.
    EXPECT_EQ(set("gr_Disziplinen", "110"), "");
    Ergebdruck1::ErgebDruckForm->HaekleSetzen(true);
    EXPECT_EQ(marks(), QStringList({"1/110/10", "1/110/20", "2/110/10"}));
    EXPECT_EQ(klassenGrid(), QStringList({"10X", "20X"}));

    // "Gesamtausdruck" marks and clears the whole competition.
    EXPECT_EQ(set("cb_Gesamt", "true"), "");
    EXPECT_EQ(marks(), QStringList({"1/110/10", "1/110/20", "1/120/10", "2/110/10"}));
    EXPECT_EQ(set("cb_Gesamt", "false"), "");
    EXPECT_EQ(marks(), QStringList({"2/110/10"}));
    EXPECT_EQ(klassenGrid(), QStringList({"10", "20"}));
}

TEST_F(ErgebDruck, UpdateDisKlaVariants)
{
    TErgebDruckForm* f = open();
    auto alle = [&] { db.exec("UPDATE PDISKLA SET ErgebEing = 'X'"); };

    f->UpdateDisKla(1, "110", "10", false);
    EXPECT_EQ(marks(), QStringList({"1/110/10"}));
    f->UpdateDisKla(1, "110", "", false);
    EXPECT_EQ(marks(), QStringList({"1/110/10", "1/110/20"}));
    alle();
    f->UpdateDisKla(1, "", "", false); // clears one competition
    EXPECT_EQ(marks(), QStringList({"2/110/10"}));

    db.exec("UPDATE PDISKLA SET ErgebEing = ''");
    f->UpdateDisKla(2, "110", "10", true);
    EXPECT_EQ(marks(), QStringList({"2/110/10"}));
    f->UpdateDisKla(0, "110", "10", true); // without a competition: in all of them
    EXPECT_EQ(marks(), QStringList({"1/110/10", "2/110/10"}));
    alle();
    f->UpdateDisKla(2, "", "", true);
    EXPECT_EQ(marks(), QStringList({"1/110/10", "1/110/20", "1/120/10"}));
    f->UpdateDisKla(0, "", "", true);
    EXPECT_EQ(marks(), QStringList());

    // Codes are quoted, never part of the statement.
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "1'0"}, {"Klasse", "10"}});
    f->UpdateDisKla(1, "1'0", "", false);
    EXPECT_EQ(marks(), QStringList({"1/1'0/10"}));

    // Resetting from the button tells the user; the protest deadline box is cleared.
    alle();
    ctl<QCheckBox>("cb_Einspruchsende")->setChecked(true);
    click("bt_Markierung");
    EXPECT_EQ(marks(), QStringList({"2/110/10"}));
    EXPECT_EQ(ui->messageTexts(), QStringList({"Die Markierungen sind zurückgesetzt."}));
    EXPECT_FALSE(checked("cb_Einspruchsende"));
}

TEST_F(ErgebDruck, TabDefaultsComeFromTheSettingsAndWriteNothing)
{
    db.setting("Speziell", "Serien", "J");
    db.setting("Speziell", "Urkunde", "N");
    db.setting("Speziell", "UrkMannsch", "4");
    db.setting("Speziell", "UrkEinzel", "8");
    db.setting("Speziell", "Nachdruck", "3");
    db.setting("Speziell", "GesPlatz", "5");
    db.setting("Speziell", "GesEinzeilig", "J");
    db.setting("Allgemein", "VeranstaltungsArt", 3);
    db.setting("Allgemein", "FontUrkunden", "Liberation Serif");
    open();

    tab("Urkunden");
    EXPECT_TRUE(checked("rb_UrkGesamt"));
    EXPECT_EQ(index("gb_UrkEinzel"), 1);
    EXPECT_EQ(text("ed_Platzierung"), "4");
    EXPECT_EQ(ctl<QLabel>("lb_FontUrkundenUeber")->text(), "Liberation Serif");

    tab("Gesamtergebnisliste");
    EXPECT_FALSE(ctl<QCheckBox>("cb_DSB")->isHidden());
    EXPECT_FALSE(ctl<QWidget>("gb_DSB")->isHidden());
    EXPECT_TRUE(checked("cb_DSB"));
    EXPECT_TRUE(checked("cb_OhneSerien"));
    EXPECT_FALSE(checked("cb_AlleSerien"));
    EXPECT_EQ(text("ed_GesPlatz"), "5");
    EXPECT_EQ(index("gb_Gesamt"), 0);
    EXPECT_TRUE(checked("cb_GesEinzeilig"));

    ctl<QLineEdit>("ed_Ziel")->setText("alt.htm");
    tab("Internet");
    EXPECT_EQ(text("ed_GPlatz"), "5");
    EXPECT_TRUE(checked("cb_OhneSeite"));
    EXPECT_EQ(text("ed_Ziel"), "");
    EXPECT_EQ(index("gb_Gesamt"), 1);

    ctl<Vcl::TRadioGroup>("gb_Drucker")->SetItemIndex(1);
    tab("Ergebnisliste");
    EXPECT_EQ(index("gb_Drucker"), 0);
    EXPECT_TRUE(checked("cb_Serien"));

    tab("Medaillenspiegel");
    EXPECT_EQ(page(), "ts_Medaille");

    // Entering the tabs stored nothing.
    EXPECT_EQ(setting("Speziell", "UrkMannsch"), "4");
    EXPECT_EQ(setting("Speziell", "UrkEinzel"), "8");
    EXPECT_EQ(setting("Speziell", "Nachdruck"), "3");
    EXPECT_EQ(setting("Speziell", "GesPlatz"), "5");

    // "Urkunde" J chooses individuals; "Nachdruck" 2 the reprint; below
    // state level the DSB option is hidden.
    db.setting("Speziell", "Urkunde", "J");
    db.setting("Speziell", "Nachdruck", "2");
    db.setting("Allgemein", "VeranstaltungsArt", 2);
    click("bt_ZurueckMedaille");
    tab("Urkunden");
    EXPECT_EQ(index("gb_UrkEinzel"), 0);
    EXPECT_EQ(text("ed_Platzierung"), "8");
    tab("Gesamtergebnisliste");
    EXPECT_EQ(index("gb_Gesamt"), 1);
    EXPECT_TRUE(ctl<QCheckBox>("cb_DSB")->isHidden());
    EXPECT_TRUE(ctl<QWidget>("gb_DSB")->isHidden());

    // An unset place limit stays unset (no "0" from the empty edit).
    db.setting("Speziell", "GesPlatz", "");
    tab("Internet");
    tab("Gesamtergebnisliste");
    EXPECT_EQ(text("ed_GesPlatz"), "");
    EXPECT_EQ(setting("Speziell", "GesPlatz"), "");
}

TEST_F(ErgebDruck, OptionHandlersStoreTheirSettings)
{
    open();
    EXPECT_EQ(set("cb_Serien", "true"), "");
    EXPECT_EQ(setting("Speziell", "Serien"), "J");
    EXPECT_EQ(set("cb_Serien", "false"), "");
    EXPECT_EQ(setting("Speziell", "Serien"), "N");

    EXPECT_EQ(set("gb_Ergebnisse", "Nichtangetr. Teilnehmer"), "");
    EXPECT_EQ(index("gb_Drucker"), 1);
    EXPECT_EQ(set("gb_Ergebnisse", "Ergebnisse"), "");
    EXPECT_EQ(index("gb_Drucker"), 0);

    tab("Urkunden");
    db.setting("Speziell", "UrkEinzel", "6");
    EXPECT_EQ(set("gb_UrkEinzel", "Einzel"), "");
    EXPECT_EQ(setting("Speziell", "Urkunde"), "J");
    EXPECT_EQ(text("ed_Platzierung"), "6");
    EXPECT_EQ(set("ed_Platzierung", "7"), "");
    EXPECT_EQ(setting("Speziell", "UrkEinzel"), "7");
    EXPECT_EQ(set("gb_UrkEinzel", "Mannschaft"), "");
    EXPECT_EQ(setting("Speziell", "Urkunde"), "N");
    EXPECT_EQ(set("ed_Platzierung", "zwei"), "");
    EXPECT_EQ(setting("Speziell", "UrkMannsch"), "0");
    EXPECT_EQ(setting("Speziell", "UrkEinzel"), "7");

    tab("Gesamtergebnisliste");
    EXPECT_EQ(set("cb_GesEinzeilig", "true"), "");
    EXPECT_EQ(setting("Speziell", "GesEinzeilig"), "J");
    EXPECT_EQ(set("ed_GesPlatz", "6"), "");
    EXPECT_EQ(setting("Speziell", "GesPlatz"), "6");

    // The DSB form: series left out, heading off; the reprint choice then
    // stores "3" and keeps the series off.
    ctl<QCheckBox>("cb_Ueberschrift")->setChecked(true);
    EXPECT_EQ(set("cb_DSB", "true"), "");
    EXPECT_TRUE(checked("cb_OhneSerien"));
    EXPECT_FALSE(checked("cb_Ueberschrift"));
    ctl<Vcl::TRadioGroup>("gb_Direkt")->SetItemIndex(2);
    EXPECT_EQ(set("gb_Gesamt", "Nachdruck"), "");
    EXPECT_EQ(setting("Speziell", "Nachdruck"), "3");
    EXPECT_EQ(index("gb_Direkt"), 0);
    EXPECT_TRUE(checked("cb_OhneSerien"));
    // With "Nachdruck" 3 another output keeps the DSB form, without series.
    EXPECT_EQ(set("gb_Direkt", "Ausgabe als Textdatei"), "");
    EXPECT_TRUE(checked("cb_DSB"));
    EXPECT_FALSE(checked("cb_OhneSerien"));
    EXPECT_EQ(set("cb_DSB", "false"), "");
    EXPECT_EQ(set("gb_Gesamt", "Gesamtausgabe"), "");
    EXPECT_EQ(setting("Speziell", "Nachdruck"), "1");
    EXPECT_EQ(set("gb_Direkt", "Ausgabe direkt"), "");
    EXPECT_FALSE(checked("cb_DSB"));

    tab("Internet");
    EXPECT_EQ(set("ed_GPlatz", "2"), "");
    EXPECT_EQ(setting("Speziell", "GesPlatz"), "2");
}

TEST_F(ErgebDruck, FontDialogStoresTheChosenFamily)
{
    open();
    QTimer::singleShot(0, [] {
        auto* d = Ergebdruck1::ErgebDruckForm->findChild<QFontDialog*>("fd_FontDialog");
        ASSERT_NE(d, nullptr);
        ASSERT_TRUE(d->isVisible());
        d->setCurrentFont(QFont("Liberation Mono"));
        d->accept();
    });
    click("lb_FontErgebnisse");
    // A Liberation font is kept under the Windows name other workstations share.
    EXPECT_EQ(ctl<QLabel>("lb_FontErgebnisseUeber")->text(), "Courier New");
    EXPECT_EQ(ctl<QLabel>("lb_FontErgebnisseUeber")->font().family(), "Courier New");
    EXPECT_EQ(setting("Allgemein", "FontErgebnisse"), "Courier New");

    // Cancelled: nothing changes.
    QTimer::singleShot(0, [] { Ergebdruck1::ErgebDruckForm->findChild<QFontDialog*>("fd_FontDialog")->reject(); });
    click("lb_FontGesamtDialog");
    EXPECT_EQ(setting("Allgemein", "FontGesamt"), "");
}

TEST_F(ErgebDruck, InputErrorsAreShownAndNotStored)
{
    db.setting("Speziell", "GesPlatz", "4");
    open();
    tab("Gesamtergebnisliste");
    EXPECT_EQ(set("ed_GesPlatz", "-1"), "");
    EXPECT_EQ(ui->errors, QStringList({"Die Angabe der Platzierung ist fehlerhaft."}));
    EXPECT_EQ(setting("Speziell", "GesPlatz"), "4");
    EXPECT_EQ(Ergebdruck1::ErgebDruckForm->focusWidget(), ctl<QLineEdit>("ed_GesPlatz"));

    tab("Internet");
    EXPECT_EQ(set("ed_GPlatz", "-3"), "");
    EXPECT_EQ(ui->errors.last(), "Die Angabe der Plazierung ist fehlerhaft.");
    EXPECT_EQ(setting("Speziell", "GesPlatz"), "4");

    // Both series boxes: refused, the box clicked stays clear.
    tab("Gesamtergebnisliste");
    EXPECT_EQ(set("cb_AlleSerien", "true"), "");
    EXPECT_EQ(set("cb_OhneSerien", "true"), "");
    EXPECT_EQ(ui->errors.last(), "Beide Angaben sind nicht möglich.");
    EXPECT_FALSE(checked("cb_OhneSerien"));
    EXPECT_TRUE(checked("cb_AlleSerien"));

    // The reprint place lies between 1 and "Bis zur Plazierung".
    tab("Urkunden");
    ui->errors.clear();
    EXPECT_EQ(set("ed_Platzierung", "3"), "");
    EXPECT_EQ(set("ed_Platz", "9"), ""); // complete print: no check
    EXPECT_TRUE(ui->errors.isEmpty());
    EXPECT_EQ(set("rb_UrkNachdruck", "true"), "");
    for (const char* falsch : {"4", "0", "x"})
        EXPECT_EQ(set("ed_Platz", falsch), "");
    EXPECT_EQ(ui->errors, QStringList(3, "Es wurde ein fehlerhafter Platz angegeben"));
    EXPECT_EQ(set("ed_Platz", "3"), "");
    EXPECT_EQ(set("ed_Platz", "1"), "");
    EXPECT_EQ(ui->errors.size(), 3);
}

TEST_F(ErgebDruck, GeneralPageItemsFollowFederationAndLevel)
{
    Schtools::StringsToFile({"Rekorde 2025", "zweite Zeile"}, Qvpaths::DataFolder() + "/REKORD.DAT");
    db.setting("Allgemein", "Verband", 3);
    db.setting("Allgemein", "VeranstaltungsArt", 2);
    open();
    tab("Allgemein");
    EXPECT_EQ(page(), "ts_Rekord");
    EXPECT_EQ(ctl<QPlainTextEdit>("mo_Rekorde")->toPlainText(), "Rekorde 2025\nzweite Zeile");
    for (const char* n : {"lb_Liste14", "bt_BSSBEinzel", "lb_Liste15", "bt_BSSBMannsch"})
        EXPECT_FALSE(ctl<QWidget>(n)->isHidden()) << n;
    for (const char* n : {"lb_Nummer12", "lb_Liste12", "bt_Olympisch"})
        EXPECT_TRUE(ctl<QWidget>(n)->isHidden()) << n;
    EXPECT_EQ(ctl<QLabel>("lb_Liste13")->text(), "Exportieren der Startstatisik als CSV-Datei");

    // Every job of the dialog is there.
    for (const char* n : {"bt_Gestartet", "bt_Teilnehmer", "bt_Rekorde", "bt_RekordeRTF", "bt_Urkunde", "bt_Verarbeitung",
                          "b_StartStatistikExportieren", "bt_Statistik", "bt_Medaille", "bt_Fehlende", "bt_Mannschaften",
                          "bt_Abmeldung", "bt_Bestaetigung", "bt_Ausgabe", "bt_Olympisch", "bt_BSSBEinzel",
                          "bt_BSSBMannsch", "bt_PreOK", "bt_Ummeldungen", "bt_Abgemeldet", "bt_GesOK", "bt_Internet"})
        EXPECT_TRUE(ctl<QWidget>(n)->isEnabled()) << n;

    // Item 10 opens the starter list for the started participants.
    QString gezeigt;
    Qvform::SetShowHook([&](QWidget* w) {
        gezeigt = w->metaObject()->className();
        QTimer::singleShot(0, w, [w] { static_cast<QDialog*>(w)->reject(); });
    });
    click("bt_Gestartet");
    EXPECT_EQ(gezeigt, "TStarterForm");
    EXPECT_TRUE(Starter1::bAuswahl);
    // Item 4 opens the statistics dialog for the participation statistics.
    gezeigt.clear();
    click("bt_Statistik");
    Qvform::SetShowHook({});
    EXPECT_EQ(gezeigt, "Tdl_StatistikDlg");
    EXPECT_TRUE(Statistik2::bAuswahl);
    // The staff confirmation opens the start summary dialog in its staff
    // confirmation mode, printing to the preview.
    Qvform::SetShowHook([&](QWidget* w) {
        gezeigt = w->metaObject()->className();
        QTimer::singleShot(0, w, [w] { static_cast<QDialog*>(w)->reject(); });
    });
    gezeigt.clear();
    Zusammen1::bPDFDatei = true;
    Ergebdruck1::ErgebDruckForm->Medaillenliste();
    Qvform::SetShowHook({});
    EXPECT_EQ(gezeigt, "TZusammenForm");
    EXPECT_EQ(Zusammen1::fAuswahl, Host::daMitarbeiterBestaetigung);
    EXPECT_FALSE(Zusammen1::bPDFDatei);

    db.setting("Allgemein", "Verband", 0);
    db.setting("Allgemein", "VeranstaltungsArt", 3);
    click("bt_ZurueckRekord");
    tab("Allgemein");
    for (const char* n : {"lb_Nummer14", "lb_Liste14", "bt_BSSBEinzel", "lb_Liste15", "bt_BSSBMannsch"})
        EXPECT_TRUE(ctl<QWidget>(n)->isHidden()) << n;
    for (const char* n : {"lb_Liste12", "bt_Olympisch"})
        EXPECT_FALSE(ctl<QWidget>(n)->isHidden()) << n;
}

TEST_F(ErgebDruck, InternetTabProposesAFileNameFromTheFirstMarkedClass)
{
    open();
    tab("Internet");
    EXPECT_EQ(set("gr_Klassen", "20:ErgebEing=X"), "");
    EXPECT_EQ(text("ed_Ziel"), "110DaKl.htm");

    // A name given is kept.
    EXPECT_EQ(set("ed_Ziel", "meine.htm"), "");
    EXPECT_EQ(set("gr_Klassen", "10:ErgebEing=X"), "");
    EXPECT_EQ(text("ed_Ziel"), "meine.htm");

    // The first marked class in class order.
    EXPECT_EQ(set("ed_Ziel", ""), "");
    Ergebdruck1::ErgebDruckForm->HaekleSetzen(true);
    EXPECT_EQ(text("ed_Ziel"), "110SchKl.htm");

    // Not on the other tabs.
    tab("Ergebnisliste");
    EXPECT_EQ(set("gr_Klassen", "20:ErgebEing="), "");
    ctl<QLineEdit>("ed_Ziel")->clear();
    EXPECT_EQ(set("gr_Klassen", "20:ErgebEing=X"), "");
    EXPECT_EQ(text("ed_Ziel"), "");
}

TEST_F(ErgebDruck, ResultsListGoesToPreviewOrContinuousDisplayUntilEsc)
{
    start("1", 385, 11);
    start("2", 390, 12);
    db.setting("Speziell", "Sekunden", "10");
    db.setting("Speziell", "DurchlaufJa", "J");
    TErgebDruckForm* f = open();
    EXPECT_EQ(set("gr_Klassen", "10:ErgebEing=X"), "");
    click("bt_ErgOK");
    ASSERT_TRUE(ui->errors.isEmpty()) << ui->errors.join("|").toStdString();
    ASSERT_EQ(ui->previews.size(), 1);
    EXPECT_EQ(ui->previews[0].title, "Ergebnisliste");
    EXPECT_EQ(ui->previews[0].modul, "REPORTS1");
    EXPECT_EQ(ui->previews[0].interval, 10);
    EXPECT_EQ(Ergebdruck1::DruckjobID, ui->previews[0].id);
    EXPECT_TRUE(f->SchaltZeit->isActive());
    EXPECT_EQ(f->SchaltZeit->interval(), 10000);

    // Each tick turns the page until Esc ends the display.
    f->SchaltZeitTimer();
    f->SchaltZeitTimer();
    EXPECT_EQ(ui->nextPages, 2);
    ui->esc = true;
    f->SchaltZeitTimer();
    EXPECT_FALSE(f->SchaltZeit->isActive());
    EXPECT_EQ(ui->nextPages, 2);

    // The marks are reset without a word.
    EXPECT_EQ(marks(), QStringList());
    EXPECT_TRUE(ui->messages.isEmpty());

    // Without the continuous display: a normal preview.
    db.setting("Speziell", "DurchlaufJa", "N");
    EXPECT_EQ(set("gr_Klassen", "10:ErgebEing=X"), "");
    click("bt_ErgOK");
    ASSERT_EQ(ui->previews.size(), 2);
    EXPECT_EQ(ui->previews[1].interval, 0);
    EXPECT_FALSE(f->SchaltZeit->isActive());
    EXPECT_EQ(Ergebdruck1::DruckjobID, ui->previews[1].id);
    Ergebdruck1::Druckfertig(ui->previews[1].id);
    EXPECT_EQ(Ergebdruck1::DruckjobID, 0);

    // More than an hour per page is refused by name, and nothing is shown.
    db.setting("Speziell", "DurchlaufJa", "J");
    db.setting("Speziell", "Sekunden", "3601");
    EXPECT_EQ(set("gr_Klassen", "10:ErgebEing=X"), "");
    click("bt_ErgOK"); // the handler's error is shown, the window stays
    EXPECT_EQ(ui->errors.join("|"),
              "Die Einstellung \"Sekunden\" (3601) für den Durchlauf muss zwischen 1 und 3600 liegen.");
    EXPECT_EQ(ui->previews.size(), 2);
    EXPECT_FALSE(f->SchaltZeit->isActive());
}

TEST_F(ErgebDruck, ResultsListHasTheHeadlineOfResultsInTheChosenFont)
{
    db.setting("Global", "Verband", "Bayerischer Sportschützenbund e.V.");
    db.setting("Global", "Ueberschr", "Bezirksmeisterschaft");
    db.setting("Allgemein", "Sportjahr", "2026");
    db.setting("Allgemein", "FontErgebnisse", "Liberation Serif");
    start("1", 385, 11);
    open();
    EXPECT_EQ(set("gr_Klassen", "10:ErgebEing=X"), "");
    click("bt_ErgOK");
    ASSERT_EQ(ui->previews.size(), 1);
    const QStringList dump = Report::DumpStream(ui->previews[0].file).split('\n');
    auto zeile = [&](const QString& text) {
        for (const QString& l : dump)
            if (l.startsWith("T\t1\t") && l.endsWith("\t" + text))
                return l;
        return QString();
    };
    // Centred on the section: the association in the chosen font at 16
    // points, the headline in Arial 12 below it.
    EXPECT_EQ(zeile("Bayerischer Sportschützenbund e.V.").section('\t', 2),
              "10.750\t1.550\tC\tLiberation Serif\t16\t\tBayerischer Sportschützenbund e.V.");
    EXPECT_TRUE(zeile("Ergebnis Bezirksmeisterschaft 2026").contains("\tC\tArial\t12\t\t"));
}

TEST_F(ErgebDruck, ResultsOnScreenAndNonStarters)
{
    start("1", 385, 11);
    start("2", 390, 12);
    start("3", 0, 13); // did not start
    open();
    EXPECT_EQ(set("gr_Klassen", "10:ErgebEing=X"), "");
    EXPECT_EQ(set("gb_Drucker", "Bildschirm"), "");
    click("bt_ErgOK");
    EXPECT_EQ(page(), "ts_Bildschirm");
    auto* lx = ctl<QListWidget>("lx_Ergebnisse");
    ASSERT_EQ(lx->count(), 2);
    EXPECT_TRUE(lx->item(0)->text().contains("Meiner")) << lx->item(0)->text().toStdString();
    EXPECT_TRUE(ctl<QLabel>("lb_Einzel")->text().startsWith("Luftgewehr Schützenklasse"));
    click("bt_Zurueck");
    EXPECT_EQ(page(), "ts_Normal");

    // Non-starters on screen: the marked groups' starts without a result.
    EXPECT_EQ(set("gr_Klassen", "10:ErgebEing=X"), "");
    EXPECT_EQ(set("gb_Ergebnisse", "Nichtangetr. Teilnehmer"), "");
    click("bt_ErgOK");
    EXPECT_EQ(page(), "ts_Teilnehmer");
    auto* gr = ctl<QTableView>("gr_Teilnehmer");
    ASSERT_EQ(gr->model()->rowCount(), 1);
    EXPECT_EQ(gr->model()->index(0, 0).data().toString(), "13");
    EXPECT_EQ(gr->model()->index(0, 1).data().toString(), "Schulz");
    click("bt_ZurueckTeilnehmer");
    EXPECT_EQ(gr->model()->rowCount(), 0);

    // On paper; without marked groups there is nothing to print.
    EXPECT_EQ(set("gb_Ergebnisse", "Nichtangetr. Teilnehmer"), "");
    EXPECT_EQ(set("gb_Drucker", "Drucker"), "");
    click("bt_ErgOK");
    EXPECT_EQ(ui->messageTexts(), QStringList({"Für diese Auswahl sind keine Daten vorhanden."}));
    EXPECT_TRUE(ui->previews.isEmpty());
    EXPECT_EQ(set("gr_Klassen", "10:ErgebEing=X"), "");
    EXPECT_EQ(set("gb_Ergebnisse", "Nichtangetr. Teilnehmer"), "");
    EXPECT_EQ(set("gb_Drucker", "Drucker"), "");
    click("bt_ErgOK");
    ASSERT_EQ(ui->previews.size(), 1);
    EXPECT_EQ(Ergebdruck1::DruckjobID, ui->previews[0].id);
    EXPECT_EQ(marks(), QStringList());
}

TEST_F(ErgebDruck, NameSearchRunsOnTheThirdTick)
{
    TErgebDruckForm* f = open();
    auto* gr = ctl<QTableView>("gr_Mitglied");
    ASSERT_EQ(gr->model()->rowCount(), 3);

    EXPECT_EQ(set("ed_NamenSuche", "Mei"), "");
    EXPECT_TRUE(f->Timer->isActive());
    EXPECT_EQ(f->Timer->interval(), 900);
    f->TimerTimer();
    f->TimerTimer();
    EXPECT_EQ(gr->model()->rowCount(), 3);
    // Typing again starts the count anew.
    EXPECT_EQ(set("ed_NamenSuche", "Meier, Ha"), "");
    f->TimerTimer();
    f->TimerTimer();
    EXPECT_EQ(gr->model()->rowCount(), 3);
    f->TimerTimer();
    EXPECT_FALSE(f->Timer->isActive());
    ASSERT_EQ(gr->model()->rowCount(), 1);
    EXPECT_EQ(gr->model()->index(0, 1).data().toString(), "Hans");
    EXPECT_TRUE(gr->isEnabled());

    EXPECT_EQ(set("ed_NamenSuche", "mei"), ""); // case does not matter
    for (int i = 0; i < 3; ++i)
        f->TimerTimer();
    EXPECT_EQ(gr->model()->rowCount(), 2);
    EXPECT_EQ(set("ed_NamenSuche", ""), "");
    for (int i = 0; i < 3; ++i)
        f->TimerTimer();
    EXPECT_EQ(gr->model()->rowCount(), 3);
}

} // namespace
