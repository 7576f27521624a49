// The form driver: every kind of control set as a user sets it (so its
// handler runs once, and only on a change), the errors for controls that
// are missing or values that do not fit, and whole runs on a modal job form
// and on a modeless window with their outcomes.

#include "platform/host/Eingabefehler.h"
#include "platform/host/Guard.h"
#include "platform/host/HostUi.h"
#include "platform/host/Qvform.h"
#include "platform/vcl/FormDriver.h"
#include "platform/vcl/LookupCombo.h"
#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "tests/support/Fixture.h"
#include "platform/vcl/ModalForm.h"
#include "platform/vcl/RadioGroup.h"
#include "tests/support/QtGtest.h"
#include "tests/support/TestHostUi.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>

#include <gtest/gtest.h>

using Vcl::TFormDriver;

namespace {

QStringList protokoll; // what the forms' handlers saw, in order

template <class W>
W* neu(QWidget* form, const char* name)
{
    auto* w = new W(form);
    w->setObjectName(name);
    return w;
}

// A job form with one control of each kind; its handlers write what they
// see to protokoll. OK raises an input error while the title is empty.
class Auftrag : public Vcl::TModalForm {
public:
    static inline Auftrag* Einheit = nullptr;

    Auftrag()
    {
        auto* gesamt = neu<QCheckBox>(this, "cb_Gesamt");
        connect(gesamt, &QCheckBox::clicked, [](bool an) { protokoll << QString("cb_Gesamt:%1").arg(an); });
        auto* einzeln = neu<QRadioButton>(this, "rb_Einzeln");
        auto* mannschaft = neu<QRadioButton>(this, "rb_Mannschaft");
        einzeln->setChecked(true);
        connect(mannschaft, &QRadioButton::clicked, [] { protokoll << "rb_Mannschaft"; });
        auswahl = new Vcl::TRadioGroup("Sortiert nach", {"Wettbewerbe", "Anlagen", "gestartete Teilnehmer"}, this);
        auswahl->setObjectName("gb_Auswahl");
        connect(auswahl, &Vcl::TRadioGroup::Click, [this] { protokoll << QString("gb_Auswahl:%1").arg(auswahl->ItemIndex()); });
        auto* seiten = neu<QTabWidget>(this, "pc_Seiten");
        seiten->addTab(new QWidget, "&Allgemein");
        seiten->addTab(new QWidget, "Internet");
        auto* stapel = neu<QStackedWidget>(this, "nb_Seiten");
        stapel->addWidget(neu<QWidget>(stapel, "ts_Liste"));
        stapel->addWidget(neu<QWidget>(stapel, "ts_Urkunde"));
        titel = neu<QLineEdit>(this, "ed_Titel");
        neu<QPlainTextEdit>(this, "mo_Text");
        auto* anzahl = neu<QSpinBox>(this, "se_Anzahl");
        anzahl->setRange(1, 10);
        neu<QDoubleSpinBox>(this, "se_Abstand")->setRange(0, 5);
        neu<QComboBox>(this, "co_Format")->addItems({"PDF", "RTF"});
        neu<QLineEdit>(this, "ed_Gesperrt")->setEnabled(false);
        neu<QLabel>(this, "lb_Hinweis");
        auto* ok = neu<QPushButton>(this, "bt_OK");
        neu<QPushButton>(this, "bt_Gesperrt")->setEnabled(false);
        ConnectButton(ok, Host::mrOk, [this] {
            protokoll << "bt_OK";
            if (titel->text().isEmpty())
                throw Eingabefehler("Bitte einen Titel eingeben");
            if (titel->text() == "Absturz")
                throw EHostFehler("Druckauftrag fehlgeschlagen");
        });
        ConnectButton(neu<QPushButton>(this, "bt_Abbruch"), Host::mrCancel);
    }

    Vcl::TRadioGroup* auswahl;
    QLineEdit* titel;

protected:
    void FormClose() override { protokoll << "FormClose"; }
};

template <class W>
W* kind(QWidget* form, const char* name)
{
    return form->findChild<W*>(name);
}

TEST(SetControl, SetsEachKindAsAUserWouldAndRunsItsHandlerOnlyOnAChange)
{
    protokoll.clear();
    Auftrag f;
    QString fehler;
    auto setzen = [&](const char* name, const QString& wert) {
        EXPECT_TRUE(TFormDriver::SetControl(&f, name, wert, &fehler)) << name << "=" << wert.toStdString() << ": "
                                                                       << fehler.toStdString();
    };
    setzen("cb_Gesamt", "true");
    setzen("cb_Gesamt", "1"); // already ticked: no second click
    setzen("cb_Gesamt", "nein");
    setzen("rb_Mannschaft", "ja");
    setzen("rb_Mannschaft", "true");
    setzen("gb_Auswahl", "2");
    setzen("gb_Auswahl", "Anlagen");
    EXPECT_EQ(protokoll, (QStringList{"cb_Gesamt:1", "cb_Gesamt:0", "rb_Mannschaft", "gb_Auswahl:2", "gb_Auswahl:1"}));
    EXPECT_TRUE(kind<QRadioButton>(&f, "rb_Mannschaft")->isChecked());
    EXPECT_FALSE(kind<QRadioButton>(&f, "rb_Einzeln")->isChecked());

    setzen("pc_Seiten", "Internet");
    EXPECT_EQ(kind<QTabWidget>(&f, "pc_Seiten")->currentIndex(), 1);
    setzen("pc_Seiten", "Allgemein"); // the caption without its accelerator
    EXPECT_EQ(kind<QTabWidget>(&f, "pc_Seiten")->currentIndex(), 0);
    setzen("pc_Seiten", "1");
    EXPECT_EQ(kind<QTabWidget>(&f, "pc_Seiten")->currentIndex(), 1);
    setzen("nb_Seiten", "ts_Urkunde");
    EXPECT_EQ(kind<QStackedWidget>(&f, "nb_Seiten")->currentWidget()->objectName(), "ts_Urkunde");
    setzen("nb_Seiten", "0");
    EXPECT_EQ(kind<QStackedWidget>(&f, "nb_Seiten")->currentWidget()->objectName(), "ts_Liste");

    setzen("ed_Titel", "Kreismeisterschaft 2026");
    EXPECT_EQ(f.titel->text(), "Kreismeisterschaft 2026");
    setzen("mo_Text", "Zeile 1\\nZeile 2");
    EXPECT_EQ(kind<QPlainTextEdit>(&f, "mo_Text")->toPlainText(), "Zeile 1\nZeile 2");
    setzen("se_Anzahl", "7");
    EXPECT_EQ(kind<QSpinBox>(&f, "se_Anzahl")->value(), 7);
    setzen("se_Abstand", "2.5");
    EXPECT_DOUBLE_EQ(kind<QDoubleSpinBox>(&f, "se_Abstand")->value(), 2.5);
    setzen("co_Format", "RTF");
    EXPECT_EQ(kind<QComboBox>(&f, "co_Format")->currentIndex(), 1);
    setzen("co_Format", "0");
    EXPECT_EQ(kind<QComboBox>(&f, "co_Format")->currentIndex(), 0);
}

TEST(SetControl, ALookUpBoxTakesAKeyOrTheTextItShowsNeverAPosition)
{
    Fixture::Database db;
    db.insert("EVEREIN", {{"VereinNr", "1101"}, {"Name", "Tell Dachau"}, {"Abkuerzung", "SG"}});
    db.insert("EVEREIN", {{"VereinNr", "1102"}, {"Name", "Alpenrose"}, {"Abkuerzung", ""}});
    db.insert("EVEREIN", {{"VereinNr", "2"}, {"Name", "1101"}, {"Abkuerzung", "X"}}); // a name that looks like a key
    auto q = Datamod::DataModule1()->DynQuery("SELECT * FROM EVEREIN ORDER BY Name");

    QWidget form;
    auto* cx = neu<Vcl::TLookupCombo>(&form, "cx_Verein");
    cx->Fuellen(*q, "VereinNr", {"Name", "Abkuerzung", "VereinNr"});
    int gewaehlt = 0;
    QObject::connect(cx, &QComboBox::currentIndexChanged, [&] { ++gewaehlt; });
    EXPECT_EQ(cx->KeyValue(), "");
    EXPECT_EQ(cx->itemText(1), "Alpenrose    1102"); // an empty column keeps its place

    QString fehler;
    EXPECT_TRUE(TFormDriver::SetControl(&form, "cx_Verein", "1101", &fehler)) << fehler.toStdString();
    EXPECT_EQ(cx->KeyValue(), "1101"); // the key wins over a name that reads the same
    EXPECT_TRUE(TFormDriver::SetControl(&form, "cx_Verein", "Alpenrose    1102", &fehler));
    EXPECT_EQ(cx->KeyValue(), "1102");
    EXPECT_TRUE(TFormDriver::SetControl(&form, "cx_Verein", "Tell Dachau", &fehler)); // the first column
    EXPECT_EQ(cx->KeyValue(), "1101");
    EXPECT_EQ(gewaehlt, 3); // each as a user's choice
    EXPECT_FALSE(TFormDriver::SetControl(&form, "cx_Verein", "0", &fehler));
    EXPECT_EQ(fehler, "Eintrag 0 gibt es in cx_Verein nicht");
    EXPECT_EQ(cx->KeyValue(), "1101");
    EXPECT_TRUE(TFormDriver::SetControl(&form, "cx_Verein", "", &fehler));
    EXPECT_EQ(cx->KeyValue(), "");

    cx->SetKeyValue("2");
    EXPECT_EQ(cx->currentText(), "1101  X  2");
    cx->Leeren();
    EXPECT_EQ(cx->currentIndex(), -1);
    EXPECT_EQ(gewaehlt, 4); // only the driver's clearing was a choice
}

TEST(SetControl, RefusesMissingControlsAndValuesThatDoNotFitAndChangesNothing)
{
    protokoll.clear();
    Auftrag f;
    const struct {
        const char* name;
        QString wert, fehler;
    } faelle[] = {
        {"cb_Fehlt", "true", "Steuerelement cb_Fehlt nicht gefunden"},
        {"ed_Gesperrt", "x", "Steuerelement ed_Gesperrt ist gesperrt"},
        {"lb_Hinweis", "x", "Steuerelement lb_Hinweis lässt sich nicht setzen"},
        {"cb_Gesamt", "vielleicht", "Wert vielleicht passt nicht zu cb_Gesamt"},
        {"rb_Mannschaft", "", "Wert  passt nicht zu rb_Mannschaft"},
        {"gb_Auswahl", "3", "Auswahl 3 gibt es in gb_Auswahl nicht"},
        {"gb_Auswahl", "-1", "Auswahl -1 gibt es in gb_Auswahl nicht"},
        {"gb_Auswahl", "Vereine", "Auswahl Vereine gibt es in gb_Auswahl nicht"},
        {"pc_Seiten", "2", "Seite 2 gibt es in pc_Seiten nicht"},
        {"pc_Seiten", "Drucker", "Seite Drucker gibt es in pc_Seiten nicht"},
        {"nb_Seiten", "ts_Fehlt", "Seite ts_Fehlt gibt es in nb_Seiten nicht"},
        {"se_Anzahl", "sieben", "Wert sieben passt nicht zu se_Anzahl"},
        {"se_Anzahl", "11", "Wert 11 passt nicht zu se_Anzahl"}, // a user cannot type it either
        {"se_Anzahl", "0", "Wert 0 passt nicht zu se_Anzahl"},
        {"se_Abstand", "7.5", "Wert 7.5 passt nicht zu se_Abstand"},
        {"co_Format", "DOCX", "Auswahl DOCX gibt es in co_Format nicht"},
        {"co_Format", "2", "Auswahl 2 gibt es in co_Format nicht"},
    };
    for (const auto& fall : faelle) {
        QString fehler;
        EXPECT_FALSE(TFormDriver::SetControl(&f, fall.name, fall.wert, &fehler)) << fall.name;
        EXPECT_EQ(fehler, fall.fehler);
    }
    EXPECT_TRUE(protokoll.isEmpty());
    EXPECT_EQ(f.auswahl->ItemIndex(), -1);
    EXPECT_EQ(kind<QSpinBox>(&f, "se_Anzahl")->value(), 1);
    EXPECT_DOUBLE_EQ(kind<QDoubleSpinBox>(&f, "se_Abstand")->value(), 0);

    QString fehler;
    EXPECT_FALSE(TFormDriver::Click(&f, "bt_Fehlt", &fehler));
    EXPECT_EQ(fehler, "Schaltfläche bt_Fehlt nicht gefunden");
    EXPECT_FALSE(TFormDriver::Click(&f, "ed_Titel", &fehler));
    EXPECT_EQ(fehler, "Schaltfläche ed_Titel nicht gefunden");
    EXPECT_FALSE(TFormDriver::Click(&f, "bt_Gesperrt", &fehler));
    EXPECT_EQ(fehler, "Schaltfläche bt_Gesperrt ist gesperrt");
}

TEST(SetControl, GridsTakeARowByKeyOrNumberAndSetCellsByColumnTitleOrField)
{
    QWidget f;
    auto* raster = neu<QTableView>(&f, "gr_Klassen");
    QStandardItemModel m(0, 3);
    m.setHorizontalHeaderLabels({"Klasse", "Name", "Freigabe"});
    m.setHeaderData(2, Qt::Horizontal, "ErgebEing", Qt::UserRole + 1);
    for (const auto& [klasse, name] : {std::pair{"10", "Schützenklasse"}, {"2", "Jugend"}, {"11", "Damenklasse"}}) {
        auto* haken = new QStandardItem;
        haken->setCheckable(true);
        m.appendRow({new QStandardItem(klasse), new QStandardItem(name), haken});
    }
    raster->setModel(&m);
    auto haken = [&](int row) { return m.item(row, 2)->checkState(); };

    QString fehler;
    auto setzen = [&](const QString& wert) {
        const bool ok = TFormDriver::SetControl(&f, "gr_Klassen", wert, &fehler);
        EXPECT_TRUE(ok) << wert.toStdString() << ": " << fehler.toStdString();
        return raster->currentIndex();
    };
    EXPECT_EQ(setzen("2").row(), 1); // the key "2", not row number 2
    EXPECT_EQ(setzen("0").row(), 0); // no key "0": row number 0
    EXPECT_EQ(setzen("11:Name=Juniorinnen").row(), 2);
    EXPECT_EQ(m.item(2, 1)->text(), "Juniorinnen");
    EXPECT_EQ(raster->currentIndex().column(), 1);
    setzen("11:Freigabe=X");
    setzen("10:ErgebEing=true");
    EXPECT_EQ(haken(2), Qt::Checked);
    EXPECT_EQ(haken(0), Qt::Checked);
    setzen("11:Freigabe=");
    setzen("10:Freigabe=nein");
    EXPECT_EQ(haken(2), Qt::Unchecked);
    EXPECT_EQ(haken(0), Qt::Unchecked);

    for (const auto& [wert, text] : {std::pair<QString, QString>{"12", "Zeile 12 gibt es in gr_Klassen nicht"},
                                     {"12:Name=x", "Zeile 12:Name=x gibt es in gr_Klassen nicht"},
                                     {"10:Kurz=x", "Spalte Kurz=x gibt es in gr_Klassen nicht"},
                                     {"10:Name", "Spalte Name gibt es in gr_Klassen nicht"},
                                     {"10:Freigabe=vielleicht", "Wert vielleicht passt nicht zu gr_Klassen"}}) {
        EXPECT_FALSE(TFormDriver::SetControl(&f, "gr_Klassen", wert, &fehler)) << wert.toStdString();
        EXPECT_EQ(fehler, text);
    }
    EXPECT_EQ(haken(0), Qt::Unchecked);
}

class Driver : public ::testing::Test {
protected:
    void SetUp() override { protokoll.clear(); }
    void TearDown() override { EXPECT_EQ(Auftrag::Einheit, nullptr); }

    // Runs the job form's entry procedure under the driver.
    TFormDriver::Outcome auftrag(TFormDriver& driver)
    {
        const auto outcome = driver.Run([&] { ergebnis = Vcl::TModalForm::ModalZeigen(Auftrag::Einheit); });
        fehler = driver.ErrorText();
        return outcome;
    }

    Host::TestUiGuard ui;
    int ergebnis = -1;
    QString fehler;
};

TEST_F(Driver, PlaysTheStepsInOrderOnTheModalFormItsEntryShows)
{
    TFormDriver d;
    d.AddCtl("gb_Auswahl", "1");
    d.AddCtl("ed_Titel", "Starterliste");
    d.AddCtl("cb_Gesamt", "true");
    d.AddClick("bt_OK");
    EXPECT_EQ(auftrag(d), TFormDriver::Ok) << fehler.toStdString();
    EXPECT_EQ(ergebnis, Host::mrOk);
    EXPECT_EQ(protokoll, (QStringList{"gb_Auswahl:1", "cb_Gesamt:1", "bt_OK", "FormClose"}));
    EXPECT_TRUE(ui->errors.isEmpty());

    // Steps after the one that closed the form are not lost silently.
    protokoll.clear();
    TFormDriver spaet;
    spaet.AddCtl("ed_Titel", "Starterliste");
    spaet.AddClick("bt_OK");
    spaet.AddCtl("cb_Gesamt", "true");
    EXPECT_EQ(auftrag(spaet), TFormDriver::Fehler);
    EXPECT_EQ(fehler, "Das Formular wurde vor cb_Gesamt geschlossen");
    EXPECT_EQ(ergebnis, Host::mrOk);
    EXPECT_EQ(protokoll, (QStringList{"bt_OK", "FormClose"}));

    // No steps at all: the form opened and is closed with Cancel.
    protokoll.clear();
    TFormDriver leer;
    EXPECT_EQ(auftrag(leer), TFormDriver::Ok);
    EXPECT_EQ(ergebnis, Host::mrCancel);
    EXPECT_EQ(protokoll, (QStringList{"FormClose"}));
}

TEST_F(Driver, AnInputErrorLeavesTheFormOpenUntilTheDriverCancelsIt)
{
    TFormDriver d;
    d.AddCtl("cb_Gesamt", "true");
    d.AddClick("bt_OK");               // no title: input error
    d.AddCtl("ed_Titel", "Starterliste"); // nobody corrects it
    d.AddClick("bt_OK");
    EXPECT_EQ(auftrag(d), TFormDriver::Eingabefehler);
    EXPECT_EQ(ergebnis, Host::mrCancel);
    EXPECT_EQ(ui->errors, (QStringList{"Bitte einen Titel eingeben"}));
    EXPECT_EQ(protokoll, (QStringList{"cb_Gesamt:1", "bt_OK", "FormClose"}));
}

TEST_F(Driver, AStepThatFailsOrAHandlerErrorEndsTheRunAsFehler)
{
    TFormDriver d;
    d.AddCtl("cb_Fehlt", "true");
    d.AddClick("bt_OK");
    EXPECT_EQ(auftrag(d), TFormDriver::Fehler);
    EXPECT_EQ(fehler, "Steuerelement cb_Fehlt nicht gefunden");
    EXPECT_EQ(ergebnis, Host::mrCancel); // closed, the click not played
    EXPECT_EQ(protokoll, (QStringList{"FormClose"}));

    protokoll.clear();
    TFormDriver absturz;
    absturz.AddCtl("ed_Titel", "Absturz");
    absturz.AddClick("bt_OK");
    EXPECT_EQ(auftrag(absturz), TFormDriver::Fehler);
    EXPECT_EQ(ui->errors, (QStringList{"Druckauftrag fehlgeschlagen"}));
    EXPECT_EQ(protokoll.count("bt_OK"), 1);
    EXPECT_EQ(protokoll.count("FormClose"), 1);
}

// A modeless window of the host, opened by its entry procedure.
class Zentrale : public Qvform::TQuarvelForm {
public:
    static inline Zentrale* Einheit = nullptr;
    static inline Zentrale* Andere = nullptr;

    Zentrale()
    {
        auto* drucken = neu<QPushButton>(this, "bt_Drucken");
        Host::Connect(drucken, &QPushButton::clicked, this, [this] {
            protokoll << objectName() + ":" + findChild<QLineEdit*>("ed_Titel")->text();
        });
        neu<QLineEdit>(this, "ed_Titel");
    }
};

TEST_F(Driver, PlaysOnTheModelessWindowTheEntryOpened)
{
    // An older window of another unit is open as well.
    Qvform::TQuarvelForm::EinzelnZeigen(Zentrale::Andere, false, nullptr, Qvform::fgNormal);
    Zentrale::Andere->setObjectName("alt");
    TFormDriver d;
    d.AddCtl("ed_Titel", "Vorbereitung");
    d.AddClick("bt_Drucken");
    EXPECT_EQ(d.Run([] {
        Qvform::TQuarvelForm::EinzelnZeigen(Zentrale::Einheit, false, nullptr, Qvform::fgNormal);
        Zentrale::Einheit->setObjectName("neu");
    }),
              TFormDriver::Ok)
        << d.ErrorText().toStdString();
    EXPECT_EQ(protokoll, (QStringList{"neu:Vorbereitung"}));
    ASSERT_NE(Zentrale::Einheit, nullptr); // a modeless window stays open
    EXPECT_TRUE(Zentrale::Einheit->isVisible());
    Qvform::TQuarvelForm::Freigeben(Zentrale::Einheit);
    Qvform::TQuarvelForm::Freigeben(Zentrale::Andere);

    TFormDriver ohne;
    ohne.AddClick("bt_Drucken");
    EXPECT_EQ(ohne.Run([] {}), TFormDriver::Fehler);
    EXPECT_EQ(ohne.ErrorText(), "Kein Formular offen");
}

// A window whose button opens the job form modally, and whose memo
// reports when it is left.
class Fenster : public Qvform::TQuarvelForm {
public:
    static inline Fenster* Einheit = nullptr;

    Fenster()
    {
        auto* oeffnen = neu<QPushButton>(this, "bt_Oeffnen");
        Host::Connect(oeffnen, &QPushButton::clicked, this, [] {
            const int r = Vcl::TModalForm::ModalZeigen(Auftrag::Einheit);
            protokoll << QString("Auftrag:%1").arg(r);
        });
        memo = neu<QPlainTextEdit>(this, "mo_Notiz");
        memo->installEventFilter(this);
        neu<QLineEdit>(this, "ed_Titel");
        auto* seiten = neu<QTabWidget>(this, "pc_Seiten");
        seiten->addTab(neu<QWidget>(seiten, "ts_Eins"), "Listen");
        seiten->addTab(neu<QWidget>(seiten, "ts_Zwei"), "Listen");
        auto* liste = neu<QListWidget>(this, "lx_Klassen");
        liste->addItems({"10 Schützenklasse", "2 Jugend", "20 Juniorinnen"});
    }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == memo && e->type() == QEvent::FocusOut)
            protokoll << "verlassen:" + memo->toPlainText();
        return TQuarvelForm::eventFilter(o, e);
    }
    QPlainTextEdit* memo;
};

TEST_F(Driver, AClickThatOpensADialogIsFollowedOnItAndThenOnTheWindowBelow)
{
    TFormDriver d;
    d.AddCtl("ed_Titel", "Fenster");  // the window's edit
    d.AddClick("bt_Oeffnen");
    d.AddCtl("ed_Titel", "Dialog");   // now the dialog's, the top-most form holding one
    d.AddCtl("cb_Gesamt", "true");
    d.AddClick("bt_OK");
    d.AddCtl("mo_Notiz", "a\\nb");
    d.AddCtl("lx_Klassen", "2");      // a list takes a row by its first word
    d.AddCtl("pc_Seiten", "ts_Zwei"); // a page by its name
    EXPECT_EQ(d.Run([] { Qvform::TQuarvelForm::EinzelnZeigen(Fenster::Einheit, false, nullptr, Qvform::fgNormal); }),
              TFormDriver::Ok)
        << d.ErrorText().toStdString();
    ASSERT_NE(Fenster::Einheit, nullptr);
    EXPECT_EQ(Fenster::Einheit->findChild<QLineEdit*>("ed_Titel")->text(), "Fenster");
    // The memo was left when the list was set: its exit saw the text.
    EXPECT_EQ(protokoll, (QStringList{"cb_Gesamt:1", "bt_OK", "FormClose", "Auftrag:1", "verlassen:a\nb"}));
    EXPECT_EQ(Fenster::Einheit->findChild<QListWidget*>("lx_Klassen")->currentRow(), 1);
    EXPECT_EQ(Fenster::Einheit->findChild<QTabWidget*>("pc_Seiten")->currentIndex(), 1);

    // A control the open dialog lacks is not searched behind it; the dialog
    // is closed with Cancel.
    protokoll.clear();
    TFormDriver hinter;
    hinter.AddClick("bt_Oeffnen");
    hinter.AddCtl("mo_Notiz", "x");
    EXPECT_EQ(hinter.Play(Fenster::Einheit), TFormDriver::Fehler);
    EXPECT_EQ(hinter.ErrorText(), "Steuerelement mo_Notiz nicht gefunden");
    EXPECT_EQ(protokoll, (QStringList{"FormClose", "Auftrag:2"}));
    Qvform::TQuarvelForm::Freigeben(Fenster::Einheit);
}

} // namespace
