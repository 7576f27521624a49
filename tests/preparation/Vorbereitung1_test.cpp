// The preparation centre as a window: opening once and raising, its pages
// and what entering them sets, the buttons of jobs not built yet, the free
// texts and their line limits, the class choice and first checks of the
// medal page, the output name of the HTML admission list, and the print
// record shared with the exception permits.

#include "tests/preparation/Zentrale.h"

#include "platform/host/Qvmain.h"
#include "platform/host/Qvform.h"
#include "platform/host/Schtools.h"
#include "platform/vcl/RadioGroup.h"
#include "reports1/documents/Zusammen1.h"
#include "reports1/entries/Abmeldung1.h"
#include "reports1/entries/Starter1.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

namespace {

using Zentrale::flushEvents;

class Vorbereitung : public Zentrale::Test {
protected:
    QString datei(const char* name) { return QDir(Qvpaths::DataFolder()).filePath(name); }
    QStringList inhalt(const char* name) { return Schtools::FileToStrings(datei(name)); }
    QString seite() { return ctl<QTabWidget>("pc_Vorbereitung")->currentWidget()->objectName(); }
    QStringList liste(const char* name)
    {
        QStringList l;
        auto* lx = ctl<QListWidget>(name);
        for (int i = 0; i < lx->count(); ++i)
            l << lx->item(i)->text();
        return l;
    }
};

TEST_F(Vorbereitung, OpensOnceWithItsCaptionAndPagesAndComesBackToTheFront)
{
    db.setting("Speziell", "Teilmeisterschaft", "2");
    TVorbereitungForm* f = open();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->windowTitle(), "Listen zur Vorbereitung - Testmeisterschaft - Teilm. 2");
    EXPECT_EQ(Datamod::sTeilmeisterschaft, "2");
    EXPECT_TRUE(QDir(Qvpaths::ProgramFolder() + "/Daten").exists());
    QStringList seiten;
    auto* pc = ctl<QTabWidget>("pc_Vorbereitung");
    for (int i = 0; i < pc->count(); ++i)
        seiten << pc->widget(i)->objectName() + " " + pc->tabText(i);
    EXPECT_EQ(seiten, (QStringList{"ts_Durchgang Durchgangslisten", "ts_Startkarten Startkarten",
                                   "ts_Allgemein Allgemeine Listen", "ts_Allgemein1 Allgemeine Listen",
                                   "ts_Zulassung Zulassungszahlen", "ts_Medaillen Medaillen",
                                   "ts_Mitarbeiter Mitarbeiter", "ts_Einladung Mitarbeitereinladung"}));
    EXPECT_EQ(seite(), "ts_Durchgang");
    EXPECT_EQ(ctl<QLabel>("lb_NrSchusszettel")->text(), "10.)");
    EXPECT_EQ(Qvmain::f_Menue()->Navigator()->property("Gruppe").toString(), "Neutral");

    // The second page of the same caption is reached by its name.
    ASSERT_EQ(play({"pc_Vorbereitung=ts_Allgemein1"}), Vcl::TFormDriver::Ok) << fehler.toStdString();
    EXPECT_EQ(seite(), "ts_Allgemein1");

    // Opening again raises the open window, minimised or not.
    f->showMinimized();
    Vorbereitung1::Erstellen();
    EXPECT_EQ(Vorbereitung1::VorbereitungForm, f);
    EXPECT_FALSE(f->isMinimized());

    f->close();
    flushEvents();
    EXPECT_EQ(Vorbereitung1::VorbereitungForm, nullptr);
    EXPECT_EQ(Qvmain::f_Menue()->Navigator(), nullptr);
}

TEST_F(Vorbereitung, TheFederationChoosesTheLabelFormatAndTheScoreSheetItem)
{
    db.setting("Allgemein", "Verband", 3);
    open();
    EXPECT_EQ(ctl<QLabel>("lb_Etiketten")->text(),
              "Scheibenetiketten für Laser- und Deskjetdrucker (70 x 36 3 Bahnen 8 Reihen)");
    for (const char* n : {"lb_NrSchusszettel", "lb_TextSchusszettel", "bt_Schusszettel"})
        EXPECT_FALSE(ctl<QWidget>(n)->isHidden()) << n;

    // Changed while open: the next visit of the page follows it.
    db.setting("Allgemein", "Verband", 0);
    ASSERT_EQ(play({"pc_Vorbereitung=Startkarten", "pc_Vorbereitung=Durchgangslisten"}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ctl<QLabel>("lb_Etiketten")->text(),
              "Scheibenetiketten für Laser- und Deskjetdrucker (48,5 x 16,9 4 Bahnen 16 Reihen)");
    for (const char* n : {"lb_NrSchusszettel", "lb_TextSchusszettel", "bt_Schusszettel"})
        EXPECT_TRUE(ctl<QWidget>(n)->isHidden()) << n;
    EXPECT_EQ(ctl<QLineEdit>("ed_Htm")->text(), "zulassung.htm");
}

TEST_F(Vorbereitung, EveryJobButtonIsLiveAndTheStartListOpens)
{
    open();
    for (const char* n : {"bt_Starter", "bt_EinteilungOhne", "bt_KlassenSprung", "bt_Schiesszeiten", "bt_Stammdaten",
                          "bt_WaffenGrp", "bt_Mitglieder", "bt_Disziplinen", "bt_Starterklaerung", "bt_Mahnungen",
                          "bt_Hinweis", "bt_Teilnehmer", "bt_Bar", "bt_Zip", "bt_Passwort", "bt_OK", "bt_ZulassMitHtm",
                          "bt_Vollst", "bt_Uebernahme", "bt_ZulassMit", "bt_ZulassWord", "bt_Statistik", "bt_Zusammen",
                          "bt_Kreis", "bt_StartkartenH", "bt_StartkartenE", "bt_StartkartenA4", "bt_EineKarte",
                          "bt_VereinUebersicht", "bt_Bestaetigung", "bt_Einladung", "bt_Flinten", "bt_Etiketten",
                          "bt_Ausnahme", "bt_Abmeldung", "bt_Scheiben"}) {
        EXPECT_TRUE(ctl<QWidget>(n)->isEnabled()) << n;
        EXPECT_TRUE(ctl<QWidget>(n)->toolTip().isEmpty()) << n;
    }
    // The landscape matrix is disabled in the form's design, not missing.
    EXPECT_FALSE(ctl<QWidget>("bt_ZulassOhne")->isEnabled());
    EXPECT_TRUE(ctl<QWidget>("bt_ZulassOhne")->toolTip().isEmpty());

    // The start list of all entered starts (not the started participants).
    QString gezeigt;
    Qvform::SetShowHook([&](QWidget* w) {
        gezeigt = w->metaObject()->className();
        QTimer::singleShot(0, w, [w] { static_cast<QDialog*>(w)->reject(); });
    });
    Starter1::bAuswahl = true;
    ctl<QPushButton>("bt_Starter")->click();
    EXPECT_EQ(gezeigt, "TStarterForm");
    EXPECT_FALSE(Starter1::bAuswahl);
    // The staff statistics.
    ctl<QPushButton>("bt_Statistik")->click();
    Qvform::SetShowHook({});
    EXPECT_EQ(gezeigt, "TStatistikForm");

    // The entry jobs of their own; the withdrawn and non-admitted starts
    // from the archive.
    const std::pair<const char*, const char*> eigene[] = {
        {"bt_Abmeldung", "TAbmeldeForm"},
        {"bt_Ausnahme", "TAusnahmeForm"},
        {"bt_Etiketten", "TEtikettenForm"},
    };
    Abmeldung1::bAuswahl = true;
    for (const auto& [knopf, form] : eigene) {
        gezeigt.clear();
        Qvform::SetShowHook([&](QWidget* w) {
            gezeigt = w->metaObject()->className();
            QTimer::singleShot(0, w, [w] { static_cast<QDialog*>(w)->reject(); });
        });
        ctl<QPushButton>(knopf)->click();
        Qvform::SetShowHook({});
        EXPECT_EQ(gezeigt, form) << knopf;
    }
    EXPECT_FALSE(Abmeldung1::bAuswahl);

    // The papers per range: each button opens the relay-list dialog for its output.
    const std::pair<const char*, const char*> durchgang[] = {
        {"bt_Durchgang", "Durchgangsliste"},
        {"bt_Ergebnis", "Ergebniseingabeliste"},
        {"bt_Mannschaften", "Mannschaftsaushangliste"},
        {"bt_EtikettenLaser", "Scheibenetiketten für Laserdrucker"},
        {"bt_TeilnehmerAnlage", "Teilnehmerliste pro Anlage"},
        {"bt_Mitarbeiter", "Mitarbeiterliste pro Anlage"},
        {"bt_Auszahlung", "Auszahlungsliste pro Anlage"},
        {"bt_MitZut", "Mitarbeiteretiketten pro Anlage"},
    };
    for (const auto& [knopf, titel] : durchgang) {
        QString caption;
        Qvform::SetShowHook([&](QWidget* w) {
            caption = QString(w->metaObject()->className()) + ": " + w->windowTitle();
            QTimer::singleShot(0, w, [w] { static_cast<QDialog*>(w)->reject(); });
        });
        ctl<QPushButton>(knopf)->click();
        Qvform::SetShowHook({});
        EXPECT_EQ(caption, QString("TDurchgangForm: ") + titel) << knopf;
    }

    // The start documents: each button opens their dialog for its kind,
    // the card buttons with the state of "PDF-Dateien erstellen".
    ASSERT_EQ(play({"cb_PDF=true"}), Vcl::TFormDriver::Ok);
    const std::tuple<const char*, Host::TDruckArt, bool> start[] = {
        {"bt_EineKarte", Host::daEineStartkarte, true},       {"bt_StartkartenH", Host::daZweiStartkarten, true},
        {"bt_StartkartenE", Host::daDreiStartkarten, true},   {"bt_StartkartenA4", Host::daVierStartkarten, true},
        {"bt_Zusammen", Host::daStartzusammenfassung, false}, {"bt_Kreis", Host::daStartzusammenfassungKreis, false},
        {"bt_VereinUebersicht", Host::daMitarbeiteruebersicht, false},
        {"bt_Bestaetigung", Host::daMitarbeiterBestaetigung, false}, {"bt_Schusszettel", Host::daSchusszettel, false},
    };
    for (const auto& [knopf, art, pdf] : start) {
        QString klasse;
        Qvform::SetShowHook([&](QWidget* w) {
            klasse = w->metaObject()->className();
            QTimer::singleShot(0, w, [w] { static_cast<QDialog*>(w)->reject(); });
        });
        Zusammen1::bPDFDatei = !pdf;
        ctl<QPushButton>(knopf)->click();
        Qvform::SetShowHook({});
        EXPECT_EQ(klasse, "TZusammenForm") << knopf;
        EXPECT_EQ(Zusammen1::fAuswahl, art) << knopf;
        EXPECT_EQ(Zusammen1::bPDFDatei, pdf) << knopf;
    }
}

TEST_F(Vorbereitung, FreeTextsLoadOnEntryAndAreWrittenWhenLeftWithinTheirLimits)
{
    Schtools::StringsToFile({"Bitte Ausweis mitbringen", "Einlass 7:30"}, datei("STARTK.DAT"));
    open();
    ASSERT_EQ(play({"pc_Vorbereitung=Startkarten"}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ctl<QPlainTextEdit>("mo_Startkarte")->toPlainText(), "Bitte Ausweis mitbringen\nEinlass 7:30");
    EXPECT_EQ(ctl<Vcl::TRadioGroup>("gb_SortierungS")->ItemIndex(), 0);
    EXPECT_EQ(ctl<Vcl::TRadioGroup>("gb_SortierungV")->ItemIndex(), 0);

    // Exactly ten lines are kept once the memo is left.
    QStringList zehn;
    for (int i = 1; i <= 10; ++i)
        zehn << QString("Zeile %1").arg(i);
    ASSERT_EQ(play({"mo_Startkarte=" + zehn.join("\\n"), "gb_SortierungS=1"}), Vcl::TFormDriver::Ok) << fehler.toStdString();
    EXPECT_EQ(inhalt("STARTK.DAT"), zehn);
    EXPECT_EQ(ctl<Vcl::TRadioGroup>("gb_SortierungS")->ItemIndex(), 1);

    // Eleven lines: the message, nothing written, the memo keeps the focus
    // and the step after it is not played.
    ASSERT_EQ(play({"mo_Startkarte=" + (zehn + QStringList{"elf"}).join("\\n"), "gb_SortierungS=0"}),
              Vcl::TFormDriver::Eingabefehler);
    EXPECT_EQ(ui->errors, QStringList{"Es wurden mehr als 10 Zeilen eingegeben."});
    EXPECT_EQ(inhalt("STARTK.DAT"), zehn);
    EXPECT_EQ(QApplication::focusWidget(), ctl<QWidget>("mo_Startkarte"));
    EXPECT_EQ(ctl<Vcl::TRadioGroup>("gb_SortierungS")->ItemIndex(), 1);

    // The invitation page: three memos of 10, 5 and 1 lines.
    Schtools::StringsToFile({"Liebe Helferinnen und Helfer,"}, datei("EINLAD.DAT"));
    Schtools::StringsToFile({"Anna Lechner", "Tel. 089 3169490"}, datei("KONTAK.DAT"));
    Schtools::StringsToFile({"Lageplan"}, datei("ANLAGE.DAT"));
    ui->errors.clear();
    // The memo cannot be left until it is put right.
    ASSERT_EQ(play({"pc_Vorbereitung=Mitarbeitereinladung"}), Vcl::TFormDriver::Eingabefehler);
    EXPECT_EQ(seite(), "ts_Startkarten");
    ASSERT_EQ(play({"mo_Startkarte=kurz", "pc_Vorbereitung=Mitarbeitereinladung"}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(inhalt("STARTK.DAT"), QStringList{"kurz"});
    ui->errors.clear();
    EXPECT_EQ(ctl<QPlainTextEdit>("mo_Einladung")->toPlainText(), "Liebe Helferinnen und Helfer,");
    EXPECT_EQ(ctl<QPlainTextEdit>("mo_Kontakt")->toPlainText(), "Anna Lechner\nTel. 089 3169490");
    EXPECT_EQ(ctl<QPlainTextEdit>("mo_Anlage")->toPlainText(), "Lageplan");
    const QString weg = "pc_Vorbereitung=ts_Einladung"; // the focus goes to the page's tab
    ASSERT_EQ(play({"mo_Anlage=Lageplan\\nAnfahrt", weg}), Vcl::TFormDriver::Eingabefehler);
    EXPECT_EQ(ui->errors, QStringList{"Es wurden mehr als 1 Zeile eingegeben."});
    EXPECT_EQ(inhalt("ANLAGE.DAT"), QStringList{"Lageplan"});
    ASSERT_EQ(play({"mo_Anlage=Lageplan", "mo_Kontakt=1\\n2\\n3\\n4\\n5\\n6", weg}), Vcl::TFormDriver::Eingabefehler);
    EXPECT_EQ(ui->errors.last(), "Es wurden mehr als 5 Zeilen eingegeben.");
    EXPECT_EQ(inhalt("KONTAK.DAT"), (QStringList{"Anna Lechner", "Tel. 089 3169490"}));
    ASSERT_EQ(play({"mo_Kontakt=Anna Lechner", "mo_Einladung=Hallo\\n", "mo_Anlage=Anfahrt", weg}),
              Vcl::TFormDriver::Ok)
        << fehler.toStdString();
    EXPECT_EQ(inhalt("KONTAK.DAT"), QStringList{"Anna Lechner"});
    EXPECT_EQ(inhalt("EINLAD.DAT"), QStringList{"Hallo"}); // a final line break starts no line
    EXPECT_EQ(inhalt("ANLAGE.DAT"), QStringList{"Anfahrt"});
}

TEST_F(Vorbereitung, MedalPageStartsAfreshAndChoosesEachClassOnce)
{
    db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "20"}, {"Name", "Jugendklasse"}});
    db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "10"}, {"Name", "Schützenklasse"}});
    db.insert("PKLASSE", {{"Ident", 2}, {"Klasse", "30"}, {"Name", "Andere Meisterschaft"}});
    open();
    ASSERT_EQ(play({"pc_Vorbereitung=Medaillen", "ed_Einzel=1", "ed_Mannschaft=2", "ed_MEinzel=5", "ed_MMannschaft=4",
                    "cx_Medaillen=2", "pc_Vorbereitung=Mitarbeiter", "pc_Vorbereitung=Medaillen"}),
              Vcl::TFormDriver::Ok);
    EXPECT_EQ(ctl<QLineEdit>("ed_Einzel")->text(), "3");
    EXPECT_EQ(ctl<QLineEdit>("ed_Mannschaft")->text(), "3");
    EXPECT_EQ(ctl<QLineEdit>("ed_MEinzel")->text(), "0");
    EXPECT_EQ(ctl<QLineEdit>("ed_MMannschaft")->text(), "0");
    EXPECT_EQ(ctl<Vcl::TRadioGroup>("cx_Medaillen")->ItemIndex(), 0);
    EXPECT_EQ(liste("lx_Start"), (QStringList{"10 Schützenklasse", "20 Jugendklasse"}));
    EXPECT_EQ(ctl<QListWidget>("lx_Start")->item(1)->data(Qt::UserRole).toString(), "20");

    ASSERT_EQ(play({"bt_Start"}), Vcl::TFormDriver::Eingabefehler);
    EXPECT_EQ(ui->errors, QStringList{"Sie haben keine Auswahl getroffen"});
    ASSERT_EQ(play({"lx_Start=20", "bt_Start", "bt_Start", "lx_Start=10", "bt_Start"}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(liste("lx_Ziel"), (QStringList{"20 Jugendklasse", "10 Schützenklasse"}));
    EXPECT_EQ(liste("lx_Start").size(), 2);
    // "<" sorts the chosen classes and takes the selected one out.
    ASSERT_EQ(play({"lx_Ziel=20", "bt_Ziel"}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(liste("lx_Ziel"), QStringList{"10 Schützenklasse"});

    // Entering the page again empties the choice.
    ASSERT_EQ(play({"pc_Vorbereitung=Startkarten", "pc_Vorbereitung=Medaillen"}), Vcl::TFormDriver::Ok);
    EXPECT_TRUE(liste("lx_Ziel").isEmpty());
}

TEST_F(Vorbereitung, MedalCountChecksItsNumbersFirst)
{
    open();
    TVorbereitungForm* f = Vorbereitung1::VorbereitungForm;
    ASSERT_EQ(play({"pc_Vorbereitung=Medaillen", "ed_MEinzel=2", "ed_MMannschaft=1", "bt_OK"}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(f->iEinzel, 3);
    EXPECT_EQ(f->iMannschaft, 3);
    EXPECT_EQ(f->iMEinzel, 2);
    EXPECT_EQ(f->iMMannschaft, 1);
    // The checks passed, the count ran: this championship has no entries.
    EXPECT_EQ(ui->messageTexts(), QStringList{"Es sind keine Datensätze vorhanden"});

    // Four places are too many; nothing is taken over.
    ui->messages.clear();
    ASSERT_EQ(play({"ed_Einzel=4", "ed_MEinzel=7", "bt_OK"}), Vcl::TFormDriver::Eingabefehler);
    EXPECT_EQ(ui->errors, QStringList{"Die Anzahl Medaillen Einzel ist zu groß"});
    EXPECT_EQ(QApplication::focusWidget(), ctl<QWidget>("ed_Einzel"));
    EXPECT_EQ(f->iMEinzel, 2);
    EXPECT_TRUE(ui->messages.isEmpty());
    ASSERT_EQ(play({"ed_Einzel=1", "ed_Mannschaft=5", "bt_OK"}), Vcl::TFormDriver::Eingabefehler);
    EXPECT_EQ(ui->errors.last(), "Die Anzahl Medaillen Mannschaft ist zu groß");

    // No number counts 0 and is asked for; No ends without a word.
    ui->answers = {Host::mrYes, Host::mrNo};
    ASSERT_EQ(play({"ed_Mannschaft=drei", "ed_MEinzel=", "bt_OK"}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ui->messageTexts(), (QStringList{"Es ist keine Anzahl Mannschaft vorhanden\r\nIst dies korrekt?",
                                                "Es ist keine Mindestanzahl Einzel vorhanden\r\nIst dies korrekt?"}));
    EXPECT_EQ(ui->messages[0].buttons, Host::mbYes | Host::mbNo);
    EXPECT_EQ(f->iMannschaft, 3);
    ui->messages.clear();
    ASSERT_EQ(play({"ed_MEinzel=1", "ed_MMannschaft=0", "bt_OK"}), Vcl::TFormDriver::Ok); // unanswered: Yes
    EXPECT_EQ(ui->messageTexts().last(), "Es sind keine Datensätze vorhanden");
    EXPECT_EQ(f->iMannschaft, 0);
    EXPECT_EQ(f->iMMannschaft, 0);

    // Enter moves on to the next field, as Tab does.
    ASSERT_EQ(play({"ed_Einzel=2"}), Vcl::TFormDriver::Ok);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(ctl<QWidget>("ed_Einzel"), &enter);
    EXPECT_EQ(QApplication::focusWidget(), ctl<QWidget>("ed_Mannschaft"));
}

TEST_F(Vorbereitung, TheHtmlAdmissionListNeedsAnHtmName)
{
    open();
    ASSERT_EQ(play({"pc_Vorbereitung=Zulassungszahlen"}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ctl<QLineEdit>("ed_Htm")->text(), "zulassung.htm");
    const struct {
        QString name, danach, fehler;
    } faelle[] = {
        {"zulassung", "zulassung.htm", ""},
        {"kreis.htm", "kreis.htm", ""},
        {"zulassung.html", "zulassung.html", "Sie haben eine fehlerhafte Ausgabedatei angegeben"},
        {"a.b.htm", "a.b.htm", "Sie haben eine fehlerhafte Ausgabedatei angegeben"},
        {"LISTE.HTM", "LISTE.HTM", "Sie haben eine fehlerhafte Ausgabedatei angegeben"},
        {"", "", "Sie haben keine Ausgabedatei angegeben"},
    };
    for (const auto& fall : faelle) {
        ui->errors.clear();
        ui->messages.clear();
        const auto outcome = play({"ed_Htm=" + fall.name, "bt_ZulassMitHtm"});
        EXPECT_EQ(ctl<QLineEdit>("ed_Htm")->text(), fall.danach) << fall.name.toStdString();
        if (fall.fehler.isEmpty()) {
            EXPECT_EQ(outcome, Vcl::TFormDriver::Ok);
            EXPECT_TRUE(ui->errors.isEmpty()); // the admission dialog opened (and was cancelled)
        } else {
            EXPECT_EQ(outcome, Vcl::TFormDriver::Eingabefehler) << fall.name.toStdString();
            EXPECT_EQ(ui->errors, QStringList{fall.fehler});
            EXPECT_EQ(QApplication::focusWidget(), ctl<QWidget>("ed_Htm"));
        }
    }
    ASSERT_EQ(play({"pc_Vorbereitung=Medaillen", "pc_Vorbereitung=Zulassungszahlen"}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ctl<QLineEdit>("ed_Htm")->text(), "zulassung.htm");
}

TEST_F(Vorbereitung, ListsWithoutRowsSayWhyAndPrintNothing)
{
    open();
    const std::pair<const char*, const char*> faelle[] = {
        {"bt_EinteilungOhne", "Es sind keine Teilnehmer ohne Start vorhanden"},
        {"bt_KlassenSprung", "Es sind keine Teilnehmer mit Klassensprung vorhanden"},
        {"bt_Schiesszeiten", "Es sind keine Schiesszeiten vorhanden"},
        {"bt_Stammdaten", "Es sind keine Stammdaten vorhanden"},
        {"bt_WaffenGrp", "Es sind keine Teilnehmer mit Waffengruppen vorhanden"},
        {"bt_Mitglieder", "Es sind keine fehlerhaften Teilnehmer vorhanden"},
        {"bt_Teilnehmer", "Es sind keine Teilnehmer pro Verein vorhanden"},
        {"bt_Bar", "Es sind keine Mitarbeiter mit Barauszahlung vorhanden"},
        {"bt_Disziplinen", "Es sind keine Starts ohne Starterklärung vorhanden"},
        {"bt_Hinweis", "Es sind keine Hinweismeldungen vorhanden"},
    };
    for (const auto& [knopf, text] : faelle) {
        ui->messages.clear();
        ASSERT_EQ(play({knopf}), Vcl::TFormDriver::Ok) << knopf;
        ASSERT_EQ(ui->messages.size(), 1) << knopf;
        EXPECT_EQ(ui->messages[0].text, text);
        EXPECT_EQ(ui->messages[0].type, Host::mtInformation);
    }
    EXPECT_TRUE(ui->previews.isEmpty());
    EXPECT_TRUE(ui->progressStarts.isEmpty());
}

TEST_F(Vorbereitung, AListGoesToThePreviewUnderTheRecordSharedWithTheExceptionPermits)
{
    db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}});
    db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "10"}, {"Name", "Schützenklasse"}});
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}, {"Teilmeisterschaft", "1"},
                          {"AnzWertung", 3}, {"ErgebEinzel", 400}});
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "11"}, {"Teilmeisterschaft", "2"}});
    const Zentrale::Druck d = drucken("bt_Stammdaten");
    const Host::PrintRequest& p = ui->previews.last();
    EXPECT_EQ(p.modul, "REPORTS1");
    EXPECT_EQ(p.title, "Stammdaten der Teilmeisterschaft");
    EXPECT_EQ(Ausnahme1::DruckjobID, p.id);
    EXPECT_EQ(ui->progressStarts, (QList<QPair<int, int>>{{0, 1}}));
    EXPECT_EQ(ui->progressStops, 1);
    EXPECT_EQ(ui->statusTexts.last(), "");
    EXPECT_EQ(Datamod::sDruckPfad, p.file);
    EXPECT_EQ(Report::DumpStream(Datamod::DataModule1()->LetzteArchivdatei()), d.dump);
    // Only the sub-championship's class; the team maximum is computed.
    EXPECT_TRUE(d.texte().contains("10|Schützenklasse"));
    // Empty values print nothing: no control code and no federation codes.
    EXPECT_TRUE(d.texte().contains("400|1200|0|0|0|0|3|0|0|0")) << d.texte().join("\n").toStdString();
    EXPECT_FALSE(d.dump.contains("\t11\n"));

    // A finished print of another job leaves the record; its own clears it.
    Vorbereitung1::Druckfertig(p.id + 1);
    EXPECT_EQ(Ausnahme1::DruckjobID, p.id);
    Vorbereitung1::Druckfertig(p.id);
    EXPECT_EQ(Ausnahme1::DruckjobID, 0);
}

TEST_F(Vorbereitung, NotesListPrintsFehlerDatAndKeepsTwoLinesFreeAfterEachPageBreak)
{
    QStringList zeilen;
    for (int i = 1; i <= 70; ++i)
        zeilen << QString("Hinweis %1: Mitglied ohne Geburtsdatum").arg(i);
    Schtools::StringsToFile(zeilen, Qvpaths::DataFolder() + "/FEHLER.DAT");
    const Zentrale::Druck d = drucken("bt_Hinweis");
    EXPECT_EQ(d.titel, "Hinweisliste");
    ASSERT_EQ(d.seiten.size(), 2);
    EXPECT_EQ(d.texte(), zeilen);
    // Two empty lines before the first line of each page.
    EXPECT_TRUE(d.zeilen(0).first().startsWith("3:Hinweis 1:"));
    EXPECT_TRUE(d.zeilen(1).first().startsWith("3:Hinweis"));
    EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "");
}

} // namespace

TEST_F(Vorbereitung, TheShotgunListPrintsTheChosenRangeDisciplineAndDay)
{
    db.setting("Speziell", "MitTab", "J");
    db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 4}, {"Name", "Wurfscheibenanlage"}});
    db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "810"}, {"Name", "Trap"}});
    db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "10"}, {"Name", "Schützenklasse"}});
    db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 1}, {"Datum", "2026-05-02"}, {"Teilmeisterschaft", "1"}});
    db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 2}, {"Datum", "2026-05-03"}, {"Teilmeisterschaft", "1"}});
    db.insert("EVEREIN", {{"VereinNr", "1101"}, {"Name", "SG Nord"}});
    const auto start = [&](int nr, const QString& name, int tag) {
        const QString m = QString::number(nr);
        db.insert("EMITGLIED", {{"MitglNr", m}, {"Name", name}, {"Vorname", "Eva"}});
        db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", m}, {"VereinNr", "1101"}, {"Disziplin", "810"},
                               {"EKlasse", "10"}, {"Anlage", 4}, {"WKTag", tag}, {"StartNr", 20 + nr},
                               {"Durchgang", 1}, {"Stand", nr}, {"WKZeit1", "09:30:00"}, {"Teilmeisterschaft", "1"}});
    };
    start(1, "Zeller", 2);
    start(2, "Adam", 2);
    start(3, "Berg", 1); // another day

    const qsizetype vorher = ui->previews.size();
    ASSERT_EQ(play({"bt_Flinten", "cx_Anlage=4", "cx_Disziplin=810", "cx_WKTag=2", "bt_OK"}), Vcl::TFormDriver::Ok)
        << fehler.toStdString();
    ASSERT_EQ(ui->previews.size(), vorher + 1);
    EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "");
    const Zentrale::Druck d = Zentrale::lesen(ui->previews.last());
    EXPECT_EQ(d.titel, "Startnummernliste für Flintenwettbewerbe ausgeben");
    EXPECT_EQ(d.texte(), (QStringList{"Startnummernliste für Flintenwettbewerbe", "Bezirksmeisterschaft 2026",
                                      "Anlage 4 Wurfscheibenanlage", "8.10 Trap   Wettkampftag 03.05.2026",
                                      "StNr.|Name|Verein|Klasse|Dg.|St.|Zeit",
                                      "22|Adam, Eva|SG Nord|Schützenklasse|1|2|09:30",
                                      "21|Zeller, Eva|SG Nord|Schützenklasse|1|1|09:30"}))
        << d.texte().join('\n').toStdString();

    // A cancelled choice prints nothing and says nothing.
    const qsizetype meldungen = ui->messages.size();
    EXPECT_EQ(play({"bt_Flinten", "cxButton2"}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ui->previews.size(), vorher + 1);
    EXPECT_EQ(ui->messages.size(), meldungen);
    // A day without starts of the range and discipline: the error, no print.
    db.exec("UPDATE ERGEBNIS SET WKTag = 2");
    EXPECT_EQ(play({"bt_Flinten", "cx_Anlage=4", "cx_Disziplin=810", "cx_WKTag=1", "bt_OK"}), Vcl::TFormDriver::Fehler);
    EXPECT_EQ(ui->previews.size(), vorher + 1);
    EXPECT_EQ(ui->errors.value(ui->errors.size() - 1), "Für diese Auswahl sind keine Daten vorhanden");
}
