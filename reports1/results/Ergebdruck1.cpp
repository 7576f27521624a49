#include "reports1/results/Ergebdruck1.h"
#include "ui_Ergebdruck1.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Guard.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvdruckvorschau.h"
#include "platform/host/Qvmain.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "platform/vcl/DataSetModel.h"
#include "platform/vcl/FontChoice.h"
#include "platform/vcl/ModalForm.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/Udateiexporte.h"
#include "reports1/results/ErgebAbgemeldet.h"
#include "reports1/results/ErgebAuswahl.h"
#include "reports1/results/ErgebListe.h"
#include "reports1/results/ErgebVordrucke.h"

#include "reports1/documents/Zusammen1.h"
#include "reports1/entries/Gestartet1.h"
#include "reports1/entries/Starter1.h"
#include "reports1/statistics/Statistik2.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTabBar>
#include <QTimer>

using Report::TBaseReport;

namespace {

using Qvutil::CRLF;

QString Nr(int n) { return QString::number(n); }

// Sets the text of an edit without running its change handler (defaults
// are not user input and write no setting).
void TextSetzen(QLineEdit* edit, const QString& text)
{
    const QSignalBlocker block(edit);
    edit->setText(text);
}

// A number typed into an edit; text that is no number counts 0.
int Zahl(const QLineEdit* edit) { return edit->text().trimmed().toInt(); }

bool DatenbankOffen() { return Datamod::DataModule1()->DatabaseOpen(); }

// A font label shows the font's name in that font.
void SchriftAnzeigen(QLabel* label, const QString& name)
{
    label->setText(name);
    if (name.isEmpty())
        return;
    QFont f = label->font();
    f.setFamily(name);
    label->setFont(f);
}

} // namespace

// --- Creation, showing, closing --------------------------------------------

TErgebDruckForm::TErgebDruckForm() : ui(new Ui::TErgebDruckForm)
{
    ui->setupUi(this);
    FormCreate();
}

TErgebDruckForm::~TErgebDruckForm()
{
    FormDestroy();
    delete ui;
}

void TErgebDruckForm::FormCreate()
{
    // Not created until the end: the page-change handler does nothing before.
    erstellt_ = false;
    AuswahlgruppenFuellen();
    DatenmengenAnlegen();
    RasterAnlegen();
    OlympischAnlegen();
    AusgabenAnlegen();

    // The page controls show no tabs: pc_Ergebnisse and pc_Starts are
    // stacks switched in code only. The host's look comes next, then the
    // datasets (none without a database: the dialog still opens).
    Qvmain::f_Menue()->GetControlsEinstellen()(this);
    if (DatenbankOffen())
        Host::Guard([this] { DatenOeffnen(); });

    StandardwerteSetzen();
    // The team tie-break of the current competition.
    if (DatenbankOffen())
        Host::Guard([this] { Daten.RangfolgeFestlegen(Datamod::iIdent); });
    HandlerVerbinden();
    GesamtAnlegen();

    // The navigator goes to the host's main window; created.
    Qvmain::f_Menue()->SetNavigator(ui->gr_Klassen);
    erstellt_ = true;
}

void TErgebDruckForm::AuswahlgruppenFuellen()
{
    ui->gb_Ergebnisse->SetItems({"Ergebnisse", "Nichtangetr. Teilnehmer"});
    ui->gb_Einzel->SetItems({"Einzel", "Mannschaft"});
    ui->gb_Drucker->SetItems({"Drucker", "Bildschirm"});
    ui->gb_UrkDirekt->SetItems({"Ausgabe Direkt", "Ausgabe Serienbrief", "Ausgabe Textdatei"});
    ui->gb_UrkEinzel->SetItems({"Einzel", "Mannschaft"});
    ui->gb_Gesamt->SetItems({"Gesamtausgabe", "Nachdruck"});
    ui->gb_Direkt->SetItems({"Ausgabe direkt", "Ausgabe als Textdatei", "Ausgabe als RTF-Datei"});
    ui->gb_DSB->SetItems({"Einzel", "Mannschaft"});
    ui->gb_PreDruck->SetItems({"Gesamtausdruck", "Einzelausdruck"});
    ui->gb_PDirekt->SetItems({"Ausgabe direkt", "Ausgabe als RTF-Datei"});
    ui->gb_Internet->SetItems({"Name in Kleinbuchstaben", "Name in Großbuchstaben"});
    ui->lx_Ergebnisse->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void TErgebDruckForm::DatenmengenAnlegen()
{
    for (auto* q : {&q_Disziplin, &q_DisKla, &q_Klasse, &q_NTeilnehmer, &q_Verein, &q_Mitglied, &q_MitVer, &q_Medaille})
        *q = std::make_unique<Ado::TADOQuery>();
    q_Disziplin->SetSQL("Select * From PDISZIPLIN\r\nORDER BY Disziplin");
    q_Klasse->SetSQL("SELECT * FROM PKLASSE" + CRLF + "WHERE Ident = :Ident" + CRLF + "ORDER BY Klasse");
    q_NTeilnehmer->SetSQL(Ergebdruck1::NichtangetreteneSQL("ORDER BY E.Disziplin, E.StartNr"));
    q_Verein->SetSQL("Select * From EVEREIN\r\nOrder By VereinNr");
    q_Mitglied->SetSQL("Select * From EMITGLIED\r\nOrder By Name, Vorname");
    q_MitVer->SetSQL("Select * From EMITVER\r\nOrder By MitglNr, VereinNr");
    q_Medaille->SetSQL("SELECT *\r\nFROM EMEDAILLE\r\nORDER BY Nummer,EGold,ESilber,EBronze");
}

namespace {

// A grid model over a dataset with its columns (field, caption).
Vcl::TDataSetModel* rasterModell(QObject* form, const char* name, Ado::TDataSet* q,
                                 std::initializer_list<std::pair<const char*, const char*>> spalten)
{
    auto* m = new Vcl::TDataSetModel(form);
    m->setObjectName(name);
    for (auto [feld, titel] : spalten)
        m->AddColumn(feld, titel);
    m->SetDataSet(q);
    return m;
}

} // namespace

void TErgebDruckForm::RasterAnlegen()
{
    ds_Disziplin = rasterModell(this, "ds_Disziplin", q_Disziplin.get(), {{"Disziplin", "Disziplin"}, {"Name", "Name"}});
    ds_Disziplin->Bind(ui->gr_Disziplinen, [this](int) { ds_DisziplinDataChange(); });

    ds_DisKla = rasterModell(this, "ds_DisKla", q_DisKla.get(), {{"Klasse", "Klasse"}});
    ds_DisKla->AddLookupColumn("Bezeichnung", [this](int row) { return klassenNamen_.value(ds_DisKla->Value(row, "Klasse")); });
    ds_DisKla->AddColumn("Disziplin", "Disziplin");
    ds_DisKla->AddColumn("ErgebEing", "Ausgabe", true);
    ds_DisKla->Bind(ui->gr_Klassen);
    // Ticking a class marks it through UpdateDisKla; clearing a tick posts
    // the row of the class grid.
    ds_DisKla->OnWrite = [this](int row, const QString& field, const QString& value) {
        if (field.compare("ErgebEing", Qt::CaseInsensitive) != 0 || value != "X")
            return false;
        UpdateDisKla(Datamod::iIdent, ds_DisKla->Value(row, "Disziplin"), ds_DisKla->Value(row, "Klasse"), false);
        q_DisKla->Requery();
        ds_DisKla->MoveTo(row);
        return true;
    };
    Host::Connect(ds_DisKla, &Vcl::TDataSetModel::Posted, this, [this] {
        if (ui->pc_Ergebnis->currentWidget() == ui->ts_Internet)
            HaekleSetzen(false);
    });

    ds_NTeilnehmer = rasterModell(this, "ds_NTeilnehmer", q_NTeilnehmer.get(),
                                  {{"StartNr", "St-Nr."}, {"Name", "Name"}, {"Vorname", "Vorname"}, {"Abkuerzung", "Abk."},
                                   {"VerName", "Verein"}, {"DisName", "Wettbewerb"}, {"KlaName", "Klasse"}});
    ds_NTeilnehmer->Bind(ui->gr_Teilnehmer);
    ds_Mitglied = rasterModell(this, "ds_Mitglied", q_Mitglied.get(),
                               {{"Name", "Name"}, {"Vorname", "Vorname"}, {"Titel", "Titel"}, {"Jahrgang", "Jahrgang"},
                                {"Monat", "Monat"}, {"HlKlasse", "Klasse"}});
    ds_Mitglied->Bind(ui->gr_Mitglied, [this](int) { MitVerFiltern(); });
    ds_MitVer = rasterModell(this, "ds_MitVer", q_MitVer.get(), {{"VereinNr", "Verein"}});
    ds_MitVer->AddLookupColumn("Abk.", [this](int row) { return vereine_.value(ds_MitVer->Value(row, "VereinNr")).first; });
    ds_MitVer->AddLookupColumn("Name", [this](int row) { return vereine_.value(ds_MitVer->Value(row, "VereinNr")).second; });
    ds_MitVer->Bind(ui->gr_MitVer);
    ds_BestDisziplin =
        rasterModell(this, "ds_BestDisziplin", q_Disziplin.get(), {{"Disziplin", "Disziplin"}, {"Name", "Name"}});
    ui->gr_Disziplin->setModel(ds_BestDisziplin);

    for (QTableView* g : {ui->gr_Disziplinen, ui->gr_Klassen, ui->gr_Teilnehmer, ui->gr_Mitglied, ui->gr_MitVer,
                          ui->gr_Disziplin}) {
        g->verticalHeader()->hide();
        g->verticalHeader()->setDefaultSectionSize(g->fontMetrics().height() + 8);
        g->horizontalHeader()->setStretchLastSection(true);
    }
    ui->gr_Klassen->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);

    // The grids keep two fifths of the width whatever tab is chosen, and
    // every tab of the output pages is shown without scroll arrows.
    ui->lc_Normal->setStretch(0, 2);
    ui->lc_Normal->setStretch(1, 3);
    for (QWidget* w : {static_cast<QWidget*>(ui->gr_Disziplinen), static_cast<QWidget*>(ui->gr_Klassen),
                       static_cast<QWidget*>(ui->pc_Ergebnis)})
        w->setSizePolicy(QSizePolicy::Ignored, w->sizePolicy().verticalPolicy());
    ui->pc_Ergebnis->tabBar()->setUsesScrollButtons(false);
    ui->pc_Ergebnis->setMinimumWidth(ui->pc_Ergebnis->tabBar()->sizeHint().width() + 8);
}

void TErgebDruckForm::AusgabenAnlegen()
{
    rf_Ergebnisse = Druckjob::Listenschreiber(this, "rf_Ergebnisse", "Ergebnisliste");
    // The results list's heading: the association and "Ergebnis <Ueberschr>
    // <sport year>" in the font chosen for results lists.
    rf_Ergebnisse->OnPrintHeader = [](TBaseReport& r) { Druckjob::Kopf(r, true, 1); };
    rf_Ergebnisse->OnPrint = [this](TBaseReport& r) {
        ErgebListe::ErgebnissePrint(r, Daten, {ui->cb_Serien->isChecked(), ui->cb_Einspruchsende->isChecked()});
    };

    rf_Nichtangetreten = Druckjob::Listenschreiber(this, "rf_Nichtangetreten", "Nichtangetretene Teilnehmer");
    rf_Nichtangetreten->OnBeforePrint = [this](TBaseReport&) {
        Druckjob::Status("Erstellen des Protokolls nichtangetretener Teilnehmer");
        Druckjob::ProgressStart(q_Nichtangetreten ? q_Nichtangetreten->RecordCount() : 0);
    };
    rf_Nichtangetreten->OnPrint = [this](TBaseReport& r) {
        if (q_Nichtangetreten)
            ErgebListe::NichtangetretenPrint(r, *q_Nichtangetreten);
    };
    rf_Nichtangetreten->OnAfterPrint = [this](TBaseReport&) {
        q_Nichtangetreten.reset();
        Druckjob::NachDruck(*rf_Nichtangetreten);
    };

    // Certificate paper: the text between 3.0 and 19.0058 cm, no page
    // header or footer.
    rf_Urkunde = Druckjob::Schreiber(this, "rf_Urkunde", "Urkunden");
    rf_Urkunde->SetMargins(3.0, 21.0 - 19.0058, 1.0, 1.0);
    rf_Urkunde->OnPrint = [this](TBaseReport& r) { urkunden_.Drucken(r); };
    rf_Urkunde->OnAfterPrint = [this](TBaseReport&) { Druckjob::NachDruck(*rf_Urkunde); };

    // The record list heads its first page itself; every page ends with
    // its number. The RTF file is paged by the word processor.
    const auto rekordListe = [this](bool rtf) {
        return [this, rtf](TBaseReport& r) {
            ErgebRekorde::RekordListe(r, rtf, Datamod::iIdent, rekordSql_, rekordDisziplinen_,
                                      Schtools::FileToStrings(ErgebRekorde::RekordTextDatei()));
        };
    };
    rf_Rekorde = Druckjob::Schreiber(this, "rf_Rekorde", "Rekordliste");
    rf_Rekorde->OnPrint = rekordListe(false);
    rf_Rekorde->OnPrintFooter = [](TBaseReport& r) {
        r.GotoFooter();
        r.SetFont("Arial", 10);
        r.SetBold(false);
        r.PrintCenter("Seite " + QString::number(r.CurrentPage()), (r.SectionLeft() + r.SectionRight()) / 2);
    };
    rf_Rekorde->OnAfterPrint = [this](TBaseReport&) { Druckjob::NachDruck(*rf_Rekorde); };
    rtf_Rekorde = new Report::TRTFFiler(this);
    rtf_Rekorde->setObjectName("rtf_Rekorde");
    rtf_Rekorde->SetTitle("Rekordliste");
    rtf_Rekorde->OnPrint = rekordListe(true);

    rf_Fehlende = Druckjob::Listenschreiber(this, "rf_Fehlende", "Fehlende Ergebnisse");
    rf_Fehlende->OnBeforePrint = [this](TBaseReport&) {
        Druckjob::Status("Erstellen der Liste fehlender Ergebnisse");
        Druckjob::ProgressStart(int(fehlende_.size()));
    };
    rf_Fehlende->OnPrint = [this](TBaseReport& r) { ErgebKontrolle::FehlendePrint(r, fehlende_); };

    rf_Mannschaften = Druckjob::Listenschreiber(this, "rf_Mannschaften", "Unvollständige Mannschaften");
    rf_Mannschaften->OnBeforePrint = [this](TBaseReport&) {
        Druckjob::Status("Erstellen der Liste unvollständiger Mannschaften");
        Druckjob::ProgressStart(Daten.q_Mannschaft->RecordCount());
    };
    rf_Mannschaften->OnPrint = [this](TBaseReport& r) { ErgebKontrolle::MannschaftenPrint(r, *Daten.q_Mannschaft); };

    // Deregistration forms: two to a page, no page header or footer.
    rf_Abmeldungen = Druckjob::Schreiber(this, "rf_Abmeldungen", "Abmeldungen");
    rf_Abmeldungen->OnBeforePrint = [](TBaseReport&) { Druckjob::Status("Erstellen Abmeldungsvordrucken"); };
    rf_Abmeldungen->OnPrint = [](TBaseReport& r) { ErgebVordrucke::AbmeldungenPrint(r); };
    rf_Abmeldungen->OnAfterPrint = [this](TBaseReport&) { Druckjob::NachDruck(*rf_Abmeldungen); };

    // The results confirmation: one page for one shooter, no list header.
    rf_Bestaetigung = Druckjob::Schreiber(this, "rf_Bestaetigung", "Ergebnisbestätigung");
    rf_Bestaetigung->OnPrint = [this](TBaseReport& r) { ErgebVordrucke::BestaetigungPrint(r, bestaetigung_); };
    rf_Bestaetigung->OnAfterPrint = [this](TBaseReport&) { Druckjob::NachDruck(*rf_Bestaetigung); };

    // The application for the Olympic disciplines: one page with its own head.
    rf_Olympisch = Druckjob::Schreiber(this, "rf_Olympisch", "Antrag olympische Disziplinen");
    rf_Olympisch->OnPrint = [this](TBaseReport& r) { ErgebVordrucke::OlympischPrint(r, olympisch_); };
    rf_Olympisch->OnAfterPrint = [this](TBaseReport&) { Druckjob::NachDruck(*rf_Olympisch); };

    fd_FontDialog = new QFontDialog(this);
    fd_FontDialog->setObjectName("fd_FontDialog");
    fd_FontDialog->setOption(QFontDialog::DontUseNativeDialog);

    Timer = new QTimer(this);
    Timer->setObjectName("Timer");
    Timer->setInterval(900);
    SchaltZeit = new QTimer(this);
    SchaltZeit->setObjectName("SchaltZeit");
}

void TErgebDruckForm::StandardwerteSetzen()
{
    // First page and its defaults.
    ui->pc_Ergebnisse->setCurrentWidget(ui->ts_Normal);
    ui->pc_Ergebnis->setCurrentWidget(ui->ts_Ergebnisse);
    ui->gb_Ergebnisse->SetItemIndex(0);
    ui->gb_Einzel->SetItemIndex(0);
    ui->gb_Drucker->SetItemIndex(0);

    // Fonts of the lists, from the shared settings of this championship.
    Qvsettings::TQvSettings* s = Qvsettings::Settings();
    s->SetProgramm(Datamod::sVeranstaltung);
    s->SetBenutzer("alle Benutzer");
    s->SetBereich("Allgemein");
    SchriftAnzeigen(ui->lb_FontErgebnisseUeber, s->GetQvSetting("FontErgebnisse")->GetAsString());
    SchriftAnzeigen(ui->lb_FontUrkundenUeber, s->GetQvSetting("FontUrkunden")->GetAsString());
    SchriftAnzeigen(ui->lb_FontGesamtUeber, s->GetQvSetting("FontGesamt")->GetAsString());

    // Medal count of individuals and teams.
    ui->cb_Einzel->setChecked(true);
    ui->cb_Mannschaft->setChecked(true);
}

void TErgebDruckForm::HandlerVerbinden()
{
    using F = TErgebDruckForm;
    const auto gruppe = &Vcl::TRadioGroup::Click;
    const auto klick = &QAbstractButton::clicked;
    const auto text = &QLineEdit::textChanged;
    Host::Connect(ui->pc_Ergebnis, &QTabWidget::currentChanged, this, &F::pc_ErgebnisChange);
    Host::Connect(ui->gb_Ergebnisse, gruppe, this, &F::gb_ErgebnisseClick);
    Host::Connect(ui->cb_Serien, klick, this, &F::cb_SerienClick);
    Host::Connect(ui->gb_UrkEinzel, gruppe, this, &F::gb_UrkEinzelClick);
    Host::Connect(ui->ed_Platzierung, text, this, &F::ed_PlatzierungChange);
    Host::Connect(ui->ed_Platz, text, this, &F::ed_PlatzChange);
    Host::Connect(ui->cb_Gesamt, klick, this, &F::rb_GesamtClick);
    Host::Connect(ui->gb_Gesamt, gruppe, this, &F::gb_GesamtClick);
    Host::Connect(ui->gb_Direkt, gruppe, this, &F::gb_DirektClick);
    Host::Connect(ui->cb_DSB, klick, this, &F::cb_DSBClick);
    Host::Connect(ui->cb_OhneSerien, klick, this, &F::cb_OhneSerienClick);
    Host::Connect(ui->cb_AlleSerien, klick, this, [this] { SerienPruefen(ui->cb_AlleSerien); });
    Host::Connect(ui->cb_GesEinzeilig, klick, this, &F::cb_GesEinzeiligClick);
    Host::Connect(ui->ed_GesPlatz, text, this, &F::ed_GesPlatzChange);
    Host::Connect(ui->ed_GPlatz, text, this, &F::ed_GPlatzChange);
    Host::Connect(ui->lb_FontErgebnisse, klick, this, &F::lb_FontErgebnisseClick);
    Host::Connect(ui->lb_FontUrkunden, klick, this, &F::lClick);
    Host::Connect(ui->lb_FontGesamtDialog, klick, this, &F::lb_FontGesamtDialogClick);
    Host::Connect(ui->bt_ErgOK, klick, this, &F::bt_ErgOKClick);
    Host::Connect(ui->bt_Markierung, klick, this, [this] { MarkierungGesamtZuruecksetzen(Datamod::iIdent, false); });
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             ui->bt_Zurueck, ui->bt_ZurueckTeilnehmer, ui->bt_ZurueckRekord, ui->bt_ZurueckMedaille,
             ui->bt_ZurueckSpiegel, ui->bt_ZurueckKuchen, ui->bt_AuswahlAbbruch, ui->br_BestAbbruch,
             ui->bt_ZurueckOlympisch})
        Host::Connect(b, klick, this, &F::bt_ZurueckClick);
    Host::Connect(ui->bt_Teilnehmer, klick, this, &F::Gestartetliste);
    Host::Connect(ui->bt_Gestartet, klick, this, &F::Starterliste);
    Host::Connect(ui->bt_Urkunde, klick, this, &F::bt_UrkundeClick);
    Host::Connect(ui->bt_Verarbeitung, klick, this, &F::bt_VerarbeitungClick);
    Host::Connect(ui->bt_Rekorde, klick, this, &F::bt_RekordeClick);
    Host::Connect(ui->bt_RekordeRTF, klick, this, &F::bt_RekordeRTFClick);
    Host::Connect(ui->bt_Fehlende, klick, this, &F::bt_FehlendeClick);
    Host::Connect(ui->bt_Mannschaften, klick, this, &F::bt_MannschaftenClick);
    Host::Connect(ui->bt_Abmeldung, klick, this, &F::bt_AbmeldungClick);
    Host::Connect(ui->bt_Ummeldungen, klick, this, &F::bt_UmmeldungenClick);
    Host::Connect(ui->bt_Abgemeldet, klick, this, &F::bt_AbgemeldetClick);
    Host::Connect(ui->bt_Bestaetigung, klick, this, &F::bt_BestaetigungClick);
    Host::Connect(ui->bt_Ausgabe, klick, this, &F::bt_AusgabeClick);
    Host::Connect(ui->bt_Olympisch, klick, this, &F::bt_OlympischClick);
    Host::Connect(ui->b_StartStatistikExportieren, klick, this, [] { Udateiexporte::StartStatistikExportieren(); });
    Host::Connect(ui->bt_Statistik, klick, this, [this] { Statistikliste(true); });
    Host::Connect(ui->bt_Medaille, klick, this, [this] { Statistikliste(false); });
    MedaillenspiegelEinrichten();
    PresseEinrichten();
    Host::Connect(ui->ed_NamenSuche, text, this, &F::ed_NamenSucheChange);
    Host::Connect(Timer, &QTimer::timeout, this, &F::TimerTimer);
    Host::Connect(SchaltZeit, &QTimer::timeout, this, &F::SchaltZeitTimer);
    Host::Connect(ui->gr_Disziplinen, &QAbstractItemView::doubleClicked, this, [this] { HaekleSetzen(true); });

    // The selection page of several competitions: ">" and "<" and a double
    // click move the chosen entries between the two lists.
    const auto verschieben = [](QListWidget* von, QListWidget* nach) {
        for (QListWidgetItem* i : von->selectedItems())
            nach->addItem(von->takeItem(von->row(i)));
    };
    Host::Connect(ui->bt_Rechts, klick, this, [=, this] { verschieben(ui->lx_VeranstL, ui->lx_VeranstR); });
    Host::Connect(ui->bt_Links, klick, this, [=, this] { verschieben(ui->lx_VeranstR, ui->lx_VeranstL); });
    Host::Connect(ui->lx_VeranstL, &QListWidget::itemDoubleClicked, this,
                  [=, this] { verschieben(ui->lx_VeranstL, ui->lx_VeranstR); });
    Host::Connect(ui->lx_VeranstR, &QListWidget::itemDoubleClicked, this,
                  [=, this] { verschieben(ui->lx_VeranstR, ui->lx_VeranstL); });
    ui->mo_Rekorde->installEventFilter(this);
}

void TErgebDruckForm::DatenOeffnen()
{
    q_Disziplin->SetFilter("Ident = " + Nr(Datamod::iIdent));
    q_Disziplin->SetFiltered(true);
    q_Disziplin->Open();
    ds_Disziplin->Refresh();
    ds_BestDisziplin->Refresh();
    q_Klasse->ParamByName("Ident")->SetValue(Datamod::iIdent);
    q_Klasse->Open();
    DisKlaOeffnen();
    q_Verein->Open();
    q_Mitglied->Open();
    ds_Mitglied->Refresh();
    vereine_.clear();
    for (q_Verein->First(); !q_Verein->Eof(); q_Verein->Next())
        vereine_.insert(q_Verein->FieldByName("VereinNr")->AsString(),
                        {q_Verein->FieldByName("Abkuerzung")->AsString(), q_Verein->FieldByName("Name")->AsString()});
    q_MitVer->Open();
    MitVerFiltern();
}

void TErgebDruckForm::MitVerFiltern()
{
    // The clubs of the member chosen on the confirmation page.
    if (!q_MitVer->Active())
        return;
    const QString nr = q_Mitglied->Active() && !q_Mitglied->IsEmpty() ? q_Mitglied->FieldByName("MitglNr")->AsString()
                                                                        : QString();
    q_MitVer->SetFilter("MitglNr = " + Ado::QuotedStr(nr));
    q_MitVer->SetFiltered(true);
    q_MitVer->First();
    ds_MitVer->Refresh();
}

void TErgebDruckForm::FormShow()
{
    setWindowTitle(Qvform::FensterTitel("Erstellen Ergebnislisten"));
    if (!Ergebdruck1::bAuswahl)
        QCoreApplication::postEvent(this, new QEvent(WM_UNVOLLSTAENDIG));
}

bool TErgebDruckForm::event(QEvent* event)
{
    if (event->type() == WM_UNVOLLSTAENDIG) {
        Host::Guard([this] { wmUnvollstaendige(); });
        return true;
    }
    return TQuarvelForm::event(event);
}

void TErgebDruckForm::wmUnvollstaendige()
{
    ui->pc_Ergebnis->setCurrentWidget(ui->ts_Rekorde);
    ui->pc_Ergebnisse->setCurrentWidget(ui->ts_Rekord);
}

void TErgebDruckForm::keyPressEvent(QKeyEvent* event)
{
    if (!Vcl::EnterTab(this, event))
        TQuarvelForm::keyPressEvent(event);
}

bool TErgebDruckForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->mo_Rekorde && event->type() == QEvent::FocusOut)
        Host::Guard([this] { mo_RekordeExit(); });
    return TQuarvelForm::eventFilter(watched, event);
}

void TErgebDruckForm::FormClose()
{
    for (auto* q : {q_Disziplin.get(), q_DisKla.get(), q_Klasse.get(), q_Mitglied.get(), q_MitVer.get(), q_Verein.get()})
        if (q)
            q->Close();
    FormDestroy();
}

void TErgebDruckForm::FormDestroy()
{
    Timer->stop();
    SchaltZeit->stop();
    if (Qvmain::f_Menue()->Navigator() == ui->gr_Klassen)
        Qvmain::f_Menue()->SetNavigator(nullptr);
}

// --- Discipline and class grids --------------------------------------------

QString TErgebDruckForm::AktDisziplin() const
{
    if (!q_Disziplin->Active() || q_Disziplin->IsEmpty())
        return {};
    return q_Disziplin->FieldByName("Disziplin")->AsString();
}

QString TErgebDruckForm::AktKlasse() const
{
    if (!q_DisKla->Active() || q_DisKla->IsEmpty())
        return {};
    return q_DisKla->FieldByName("Klasse")->AsString();
}

void TErgebDruckForm::DisKlaOeffnen()
{
    if (q_DisKla->State() == Ado::dsEdit)
        q_DisKla->Post();
    q_DisKla->SetSQL("SELECT *\r\nFROM PDISKLA\r\nWHERE Ident = " + Nr(Datamod::iIdent) + CRLF
                     + "  AND Disziplin = " + Ado::QuotedStr(AktDisziplin()) + CRLF + "ORDER BY Disziplin,Klasse");
    q_DisKla->Open();
    // The class names the class grid shows beside the codes.
    klassenNamen_.clear();
    if (q_Klasse->Active())
        for (q_Klasse->First(); !q_Klasse->Eof(); q_Klasse->Next())
            klassenNamen_.insert(q_Klasse->FieldByName("Klasse")->AsString(), q_Klasse->FieldByName("Name")->AsString());
    ds_DisKla->Refresh();
}

void TErgebDruckForm::KlassenNeuLesen()
{
    if (!q_DisKla->Active())
        return;
    const int rec = q_DisKla->RecNo();
    q_DisKla->Requery();
    if (rec > 0 && rec <= q_DisKla->RecordCount())
        q_DisKla->SetRecNo(rec);
    ds_DisKla->Refresh();
}

void TErgebDruckForm::ds_DisziplinDataChange()
{
    if (erstellt_)
        DisKlaOeffnen();
}

// --- Output marks ------------------------------------------------------------

void TErgebDruckForm::UpdateDisKla(int Wettkampf, const QString& Disziplin, const QString& Klasse, bool Setzen)
{
    const bool ohneAuswahl = Disziplin.isEmpty() && Klasse.isEmpty();
    QString sql;
    if (!Setzen) {
        if (ohneAuswahl) {
            sql = "UPDATE PDISKLA SET ErgebEing = ''\r\nWHERE Ident = " + Nr(Wettkampf);
        } else {
            sql = "UPDATE PDISKLA SET ErgebEing = 'X'\r\nWHERE Ident = " + Nr(Wettkampf) + CRLF
                  + "  AND Disziplin = " + Ado::QuotedStr(Disziplin);
            if (!Klasse.isEmpty())
                sql += CRLF + "  AND Klasse = " + Ado::QuotedStr(Klasse);
        }
    } else if (!ohneAuswahl) {
        ErgebAuswahl::GruppeMarkieren(Wettkampf, Disziplin, Klasse);
        return;
    } else if (Wettkampf >= 1) {
        sql = "UPDATE PDISKLA SET ErgebEing = ''\r\nWHERE Ident = " + Nr(Wettkampf);
    } else {
        sql = "UPDATE PDISKLA SET ErgebEing = ''";
    }
    Datamod::DataModule1()->DynSQL(sql);
}

void TErgebDruckForm::HaekleSetzen(bool Alle)
{
    const QString disziplin = AktDisziplin();
    if (Alle) {
        UpdateDisKla(Datamod::iIdent, disziplin, "", false);
        KlassenNeuLesen();
    }
    if (ui->pc_Ergebnis->currentWidget() != ui->ts_Internet || !ui->ed_Ziel->text().isEmpty())
        return;
    auto q = Datamod::DataModule1()->DynQuery("SELECT Disziplin,Klasse\r\nFROM PDISKLA\r\nWHERE Ident = "
                                                  + Nr(Datamod::iIdent) + CRLF + "  AND Disziplin = "
                                                  + Ado::QuotedStr(disziplin) + CRLF + "  AND ErgebEing = 'X'" + CRLF
                                                  + "ORDER BY Klasse",
                                              Ado::clUseServer, Ado::ltReadOnly);
    if (q->IsEmpty())
        return;
    q->First();
    QString kurz;
    if (q_Klasse->Active() && q_Klasse->Locate("Klasse", {q->FieldByName("Klasse")->AsString()}))
        kurz = q_Klasse->FieldByName("Kurz")->AsString();
    ui->ed_Ziel->setText(QString(q->FieldByName("Disziplin")->AsString() + kurz).remove(' ') + ".htm");
}

void TErgebDruckForm::MarkierungGesamtZuruecksetzen(int Wettkampf, bool Still)
{
    {
        if (!Still)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto cursor = qScopeGuard([Still] {
            if (!Still)
                QApplication::restoreOverrideCursor();
        });
        UpdateDisKla(Wettkampf, "", "", false);
    }
    if (!Still)
        Pmsgdlg::qvMessageDlg("Die Markierungen sind zurückgesetzt.", Host::mtInformation, Host::mbOK, 1);
    ui->cb_Einspruchsende->setChecked(false);
    KlassenNeuLesen();
}

void TErgebDruckForm::rb_GesamtClick()
{
    if (ui->cb_Gesamt->isChecked())
        Datamod::DataModule1()->DynSQL("UPDATE PDISKLA SET ErgebEing = 'X'WHERE Ident = " + Nr(Datamod::iIdent));
    else
        Datamod::DataModule1()->DynSQL("UPDATE PDISKLA SET ErgebEing = ''WHERE Ident = " + Nr(Datamod::iIdent));
    KlassenNeuLesen();
}

// --- Tabs and their defaults -------------------------------------------------

void TErgebDruckForm::AllgemeinSichtbarkeit()
{
    const bool bssb = Qvsettings::GetInteger("Allgemein", "Verband") == 3;
    for (QWidget* w : std::initializer_list<QWidget*>{ui->lb_Nummer14, ui->lb_Liste14, ui->bt_BSSBEinzel,
                                                      ui->lb_Nummer15, ui->lb_Liste15, ui->bt_BSSBMannsch})
        w->setVisible(bssb);
    const bool land = Qvsettings::GetInteger("Allgemein", "VeranstaltungsArt") >= 3;
    for (QWidget* w : std::initializer_list<QWidget*>{ui->lb_Nummer12, ui->lb_Liste12, ui->bt_Olympisch})
        w->setVisible(land);
}

void TErgebDruckForm::pc_ErgebnisChange()
{
    if (!erstellt_)
        return;
    QWidget* tab = ui->pc_Ergebnis->currentWidget();
    const auto ja = [](const QString& key) { return Qvsettings::GetString("Speziell", key) == "J"; };

    if (tab == ui->ts_Ergebnisse) {
        ui->gb_Ergebnisse->SetItemIndex(0);
        ui->gb_Einzel->SetItemIndex(0);
        ui->gb_Drucker->SetItemIndex(0);
        ui->cb_Serien->setChecked(ja("Serien"));
    } else if (tab == ui->ts_Urkunden) {
        ui->gb_UrkDirekt->SetItemIndex(0);
        ui->rb_UrkGesamt->setChecked(true);
        if (ja("Urkunde")) {
            ui->gb_UrkEinzel->SetItemIndex(0);
            TextSetzen(ui->ed_Platzierung, Qvsettings::GetString("Speziell", "UrkEinzel"));
        } else {
            ui->gb_UrkEinzel->SetItemIndex(1);
            TextSetzen(ui->ed_Platzierung, Qvsettings::GetString("Speziell", "UrkMannsch"));
        }
        SchriftAnzeigen(ui->lb_FontUrkundenUeber, Qvsettings::GetString("Allgemein", "FontUrkunden"));
    } else if (tab == ui->ts_Gesamt) {
        const bool dsb = Qvsettings::GetInteger("Allgemein", "VeranstaltungsArt") >= 3;
        ui->cb_DSB->setVisible(dsb);
        ui->gb_DSB->setVisible(dsb);
        ui->cb_OhneSerien->setChecked(false);
        ui->cb_AlleSerien->setChecked(false);
        ui->cb_Ueberschrift->setChecked(false);
        const QString nachdruck = Qvsettings::GetString("Speziell", "Nachdruck");
        ui->gb_Gesamt->SetItemIndex(nachdruck == "2" ? 1 : 0);
        if (nachdruck == "3") {
            ui->cb_DSB->setChecked(true);
            ui->cb_OhneSerien->setChecked(true);
            ui->cb_AlleSerien->setChecked(false);
        }
        ui->gb_Direkt->SetItemIndex(0);
        TextSetzen(ui->ed_GesPlatz, Qvsettings::GetString("Speziell", "GesPlatz"));
        ui->cb_GesEinzeilig->setChecked(ja("GesEinzeilig"));
        ui->cb_OhneSeite->setChecked(false);
    } else if (tab == ui->ts_Presse) {
        ui->gb_PreDruck->SetItemIndex(1);
        ui->gb_PDirekt->SetItemIndex(0);
        ui->ed_Einzel->setText("3");
        ui->ed_Mannschaft->setText("3");
    } else if (tab == ui->ts_Internet) {
        ui->gb_Internet->SetItemIndex(0);
        TextSetzen(ui->ed_GPlatz, Qvsettings::GetString("Speziell", "GesPlatz"));
        ui->cb_GEinzeilig->setChecked(false);
        ui->cb_OhneSeite->setChecked(true);
        ui->ed_Ziel->clear();
        ui->gb_Gesamt->SetItemIndex(1);
    } else if (tab == ui->ts_Rekorde) {
        AllgemeinSichtbarkeit();
        ui->pc_Ergebnisse->setCurrentWidget(ui->ts_Rekord);
        ui->mo_Rekorde->setPlainText(Schtools::FileToStrings(ErgebRekorde::RekordTextDatei()).join('\n'));
    } else if (tab == ui->ts_Medaillenspiegel) {
        ui->pc_Ergebnisse->setCurrentWidget(ui->ts_Medaille);
        ui->rb_Druck->setChecked(true);
        ui->rb_Bildschirm->setChecked(false);
    }
    Qvmain::f_Menue()->SetNavigator(ui->gr_Klassen);
}

void TErgebDruckForm::mo_RekordeExit()
{
    // The free text of the record list: at most 20 lines (a line break
    // after the last one starts no line).
    QStringList zeilen = ui->mo_Rekorde->toPlainText().split('\n');
    while (!zeilen.isEmpty() && zeilen.last().isEmpty())
        zeilen.removeLast();
    if (zeilen.size() > ErgebRekorde::MaxTextZeilen) {
        ui->mo_Rekorde->setFocus();
        throw Eingabefehler("Es wurden mehr als 20 Zeilen eingegeben.");
    }
    if (!Schtools::StringsToFile(zeilen, ErgebRekorde::RekordTextDatei()))
        throw EHostFehler("Die Datei " + QDir::toNativeSeparators(ErgebRekorde::RekordTextDatei())
                          + " konnte nicht geschrieben werden.");
}

// --- Options and the settings behind them -----------------------------------

void TErgebDruckForm::gb_ErgebnisseClick()
{
    ui->gb_Einzel->SetItemIndex(0);
    ui->gb_Drucker->SetItemIndex(ui->gb_Ergebnisse->ItemIndex() == 0 ? 0 : 1);
}

void TErgebDruckForm::cb_SerienClick()
{
    Qvsettings::SetString("Speziell", "Serien", ui->cb_Serien->isChecked() ? "J" : "N");
}

void TErgebDruckForm::gb_UrkEinzelClick()
{
    const bool einzel = ui->gb_UrkEinzel->ItemIndex() == 0;
    Qvsettings::SetString("Speziell", "Urkunde", einzel ? "J" : "N");
    TextSetzen(ui->ed_Platzierung, Qvsettings::GetString("Speziell", einzel ? "UrkEinzel" : "UrkMannsch"));
}

void TErgebDruckForm::ed_PlatzierungChange()
{
    Qvsettings::SetString("Speziell", ui->gb_UrkEinzel->ItemIndex() == 1 ? "UrkMannsch" : "UrkEinzel",
                          Nr(Zahl(ui->ed_Platzierung)));
}

void TErgebDruckForm::ed_PlatzChange()
{
    if (!ui->rb_UrkNachdruck->isChecked())
        return;
    const int platz = Zahl(ui->ed_Platz);
    if (platz < 1 || platz > Zahl(ui->ed_Platzierung)) {
        ui->ed_Platz->setFocus();
        throw Eingabefehler("Es wurde ein fehlerhafter Platz angegeben");
    }
}

void TErgebDruckForm::gb_GesamtClick()
{
    if (ui->gb_Gesamt->ItemIndex() == 0) {
        Qvsettings::SetString("Speziell", "Nachdruck", "1");
    } else {
        Qvsettings::SetString("Speziell", "Nachdruck", "2");
        ui->gb_Direkt->SetItemIndex(0);
    }
    if (ui->cb_DSB->isChecked()) {
        Qvsettings::SetString("Speziell", "Nachdruck", "3");
        ui->gb_Direkt->SetItemIndex(0);
        ui->cb_OhneSerien->setChecked(true);
        ui->cb_AlleSerien->setChecked(false);
    } else {
        Qvsettings::SetString("Speziell", "Nachdruck", "1");
        ui->gb_Direkt->SetItemIndex(0);
        ui->cb_OhneSerien->setChecked(false);
        ui->cb_AlleSerien->setChecked(false);
    }
}

void TErgebDruckForm::gb_DirektClick()
{
    ui->cb_OhneSerien->setChecked(false);
    if (Qvsettings::GetString("Speziell", "Nachdruck") == "3") {
        ui->cb_DSB->setChecked(true);
        ui->cb_OhneSerien->setChecked(false);
        ui->cb_AlleSerien->setChecked(false);
    } else {
        ui->cb_DSB->setChecked(false);
        ui->cb_OhneSerien->setChecked(false);
        ui->cb_AlleSerien->setChecked(false);
    }
}

void TErgebDruckForm::cb_DSBClick()
{
    ui->cb_Ueberschrift->setChecked(false);
    ui->cb_OhneSerien->setChecked(ui->cb_DSB->isChecked());
}

void TErgebDruckForm::cb_OhneSerienClick() { SerienPruefen(ui->cb_OhneSerien); }

void TErgebDruckForm::SerienPruefen(QCheckBox* box)
{
    if (ui->cb_OhneSerien->isChecked() && ui->cb_AlleSerien->isChecked()) {
        // The box just ticked goes back to how it was.
        box->setChecked(false);
        box->setFocus();
        throw Eingabefehler("Beide Angaben sind nicht möglich.");
    }
}

void TErgebDruckForm::cb_GesEinzeiligClick()
{
    Qvsettings::SetString("Speziell", "GesEinzeilig", ui->cb_GesEinzeilig->isChecked() ? "J" : "N");
}

void TErgebDruckForm::PlatzPruefen(QLineEdit* edit, const QString& fehler)
{
    const int platz = Zahl(edit);
    if (platz < 0) {
        edit->setFocus();
        throw Eingabefehler(fehler);
    }
    Qvsettings::SetString("Speziell", "GesPlatz", Nr(platz));
}

void TErgebDruckForm::ed_GesPlatzChange() { PlatzPruefen(ui->ed_GesPlatz, "Die Angabe der Platzierung ist fehlerhaft."); }

void TErgebDruckForm::ed_GPlatzChange() { PlatzPruefen(ui->ed_GPlatz, "Die Angabe der Plazierung ist fehlerhaft."); }

void TErgebDruckForm::SchriftWaehlen(QLabel* ueber, const QString& key)
{
    Vcl::ChooseFontFamily(*fd_FontDialog, ueber->text(), [&](const QString& name) {
        SchriftAnzeigen(ueber, name);
        Qvsettings::SetString("Allgemein", key, name);
    });
}

void TErgebDruckForm::lb_FontErgebnisseClick() { SchriftWaehlen(ui->lb_FontErgebnisseUeber, "FontErgebnisse"); }

void TErgebDruckForm::lClick() { SchriftWaehlen(ui->lb_FontUrkundenUeber, "FontUrkunden"); }

void TErgebDruckForm::lb_FontGesamtDialogClick() { SchriftWaehlen(ui->lb_FontGesamtUeber, "FontGesamt"); }

// --- Results list --------------------------------------------------------------

void TErgebDruckForm::bt_ErgOKClick()
{
    if (q_DisKla->State() == Ado::dsEdit)
        q_DisKla->Post();
    const bool ergebnisse = ui->gb_Ergebnisse->ItemIndex() == 0;

    if (ui->gb_Drucker->ItemIndex() == 1) {
        if (ergebnisse) {
            const ErgebListe::TBildschirm b = ui->gb_Einzel->ItemIndex() == 1
                ? ErgebListe::ErgebnisseMannschaftAusgabe(Daten, AktDisziplin(), AktKlasse())
                : ErgebListe::ErgebnisseEinzelAusgabe(Daten, AktDisziplin(), AktKlasse());
            ui->lx_Ergebnisse->clear();
            ui->lx_Ergebnisse->addItems(b.Zeilen);
            ui->lb_Einzel->setText(b.Ueberschrift);
            ui->pc_Ergebnisse->setCurrentWidget(ui->ts_Bildschirm);
        } else {
            NichtangetreteneZeigen();
        }
    } else if (ergebnisse) {
        VorschauZeigen(*rf_Ergebnisse, true);
    } else {
        NichtangetreteneDrucken();
    }
    MarkierungGesamtZuruecksetzen(Datamod::iIdent, true);
}

void TErgebDruckForm::VorschauZeigen(Report::TRvNDRWriter& Writer, bool Durchlauf)
{
    // Continuous display: the preview turns a page every "Sekunden"
    // seconds (at least one, at most an hour) until Esc in the main window.
    const int gesetzt = Qvsettings::GetInteger("Speziell", "Sekunden");
    const bool durchlauf = Durchlauf && Qvsettings::GetString("Speziell", "DurchlaufJa") == "J";
    if (durchlauf && gesetzt > 3600)
        throw EHostFehler(QString("Die Einstellung \"Sekunden\" (%1) für den Durchlauf muss zwischen 1 und 3600 "
                                  "liegen.").arg(gesetzt));
    const int sekunden = std::clamp(gesetzt, 1, 3600);
    SchaltZeit->setInterval(sekunden * 1000);
    if (durchlauf) {
        Druckjob::Vorschau(Writer, Ergebdruck1::DruckjobID, sekunden);
        SchaltZeit->start();
        Qvmain::f_Menue()->WartenAufEsc();
    } else {
        Druckjob::Vorschau(Writer, Ergebdruck1::DruckjobID, 0);
    }
}

void TErgebDruckForm::NichtangetreteneZeigen()
{
    q_NTeilnehmer->Close();
    q_NTeilnehmer->ParamByName("Ident")->SetValue(Datamod::iIdent);
    q_NTeilnehmer->Open();
    ds_NTeilnehmer->Refresh();
    ui->pc_Ergebnisse->setCurrentWidget(ui->ts_Teilnehmer);
}

void TErgebDruckForm::NichtangetreteneDrucken()
{
    q_Nichtangetreten = Datamod::DataModule1()->DynQuery(
        Ergebdruck1::NichtangetreteneSQL("ORDER BY E.Disziplin, E.StartNr, E.EKlasse"), Ado::clUseServer,
        Ado::ltReadOnly);
    q_Nichtangetreten->ParamByName("Ident")->SetValue(Datamod::iIdent);
    q_Nichtangetreten->Open();
    if (q_Nichtangetreten->RecordCount() == 0) {
        q_Nichtangetreten.reset();
        Pmsgdlg::qvMessageDlg("Für diese Auswahl sind keine Daten vorhanden.", Host::mtInformation, Host::mbOK, 1);
        return;
    }
    Druckjob::Vorschau(*rf_Nichtangetreten, Ergebdruck1::DruckjobID);
    q_Nichtangetreten.reset();
}

void TErgebDruckForm::bt_ZurueckClick()
{
    ui->pc_Ergebnis->setCurrentWidget(ui->ts_Ergebnisse);
    ui->pc_Ergebnisse->setCurrentWidget(ui->ts_Normal);
    q_NTeilnehmer->Close();
    ds_NTeilnehmer->Refresh();
    q_Medaille->Close();
}

void TErgebDruckForm::SchaltZeitTimer()
{
    if (Qvmain::f_Menue()->EscGedrueckt()) {
        SchaltZeit->stop();
        return;
    }
    Qvdruckvorschau::NaechsteSeite(Ergebdruck1::DruckjobID);
}

// --- Name search of the confirmation page ------------------------------------

void TErgebDruckForm::ed_NamenSucheChange()
{
    suche_ = ui->ed_NamenSuche->text();
    ticks_ = 0;
    Timer->start();
}

void TErgebDruckForm::TimerTimer()
{
    ++ticks_;
    if (ticks_ <= 2)
        return;
    Timer->stop();
    QString name, vorname;
    Schtools::NameInFeldStellen(suche_, name, vorname);
    ui->gr_Mitglied->setEnabled(false);
    const auto freigeben = qScopeGuard([this] { ui->gr_Mitglied->setEnabled(true); });
    NamenSuchen(name, vorname);
}

void TErgebDruckForm::NamenSuchen(const QString& Name, const QString& Vorname)
{
    QString sql;
    if (Name.isEmpty() && Vorname.isEmpty()) {
        sql = "SELECT *\r\nFROM EMITGLIED\r\nORDER BY Name,Vorname";
    } else {
        sql = "SELECT *\r\nFROM EMITGLIED\r\nWHERE Name LIKE " + Ado::QuotedStr(Name + "%");
        if (!Vorname.isEmpty())
            sql += CRLF + "  AND Vorname LIKE " + Ado::QuotedStr(Vorname + "%");
        sql += CRLF + "ORDER BY Name,Vorname";
    }
    q_Mitglied->SetSQL(sql);
    q_Mitglied->Open();
    ds_Mitglied->Refresh();
    MitVerFiltern();
}

// --- Certificates --------------------------------------------------------------

void TErgebDruckForm::bt_UrkundeClick()
{
    if (q_DisKla->State() == Ado::dsEdit)
        q_DisKla->Post();
    const int platzierung = Zahl(ui->ed_Platzierung);
    if (platzierung < 1) {
        ui->ed_Platzierung->setFocus();
        throw Eingabefehler("Die Angabe der Platzierung ist fehlerhaft.");
    }
    if (ui->rb_UrkNachdruck->isChecked() && (Zahl(ui->ed_Platz) < 1 || Zahl(ui->ed_Platz) > platzierung)) {
        ui->ed_Platz->setFocus();
        throw Eingabefehler("Es wurde ein fehlerhafter Platz angegeben");
    }
    const auto ja = [](const char* key) { return Qvsettings::GetString("Speziell", key) == "J"; };
    if (ja("VBWettkampf") && ja("VBWettkampfGesamt")) {
        if (Qvsettings::GetString("Global", "Meistersch").trimmed().isEmpty()) {
            Pmsgdlg::qvMessageDlg(ErgebUrkunde::MeisterschFehlt, Host::mtWarning, Host::mbOK, 1);
            return;
        }
        VeranstaltungenZeigen(afUrkunden);
        return;
    }
    UrkundenAusgeben({Datamod::iIdent}, false);
}

void TErgebDruckForm::UrkundenAusgeben(const QVector<int>& Wettkaempfe, bool Gesamt)
{
    ErgebUrkunde::TAuswahl a;
    a.Mannschaft = ui->gb_UrkEinzel->ItemIndex() == 1;
    a.Platzierung = Zahl(ui->ed_Platzierung);
    a.Nachdruck = ui->rb_UrkNachdruck->isChecked() ? Zahl(ui->ed_Platz) : 0;
    a.AlleStarter = ui->cb_AlleStarter->isChecked();
    a.Gesamt = Gesamt;
    Daten.Wettkaempfe = Wettkaempfe;
    if (!urkunden_.Ausgeben(Daten, a, ui->gb_UrkDirekt->ItemIndex(), *rf_Urkunde, Ergebdruck1::DruckjobID))
        return;
    for (int w : Wettkaempfe)
        MarkierungGesamtZuruecksetzen(w, true);
}

// --- Selection of several competitions -------------------------------------------

void TErgebDruckForm::VeranstaltungenZeigen(TAuswahlFuer Fuer)
{
    ui->lx_VeranstL->clear();
    ui->lx_VeranstR->clear();
    auto q = Datamod::DataModule1()->DynQuery("SELECT *\r\nFROM ZKTMP\r\nORDER BY Ident", Ado::clUseServer,
                                              Ado::ltReadOnly);
    for (q->First(); !q->Eof(); q->Next())
        ui->lx_VeranstL->addItem(q->FieldByName("Veranstalter")->AsString());
    auswahlFuer_ = Fuer;
    ui->pc_Ergebnisse->setCurrentWidget(ui->ts_Auswahl);
}

void TErgebDruckForm::bt_VerarbeitungClick()
{
    if (ui->lx_VeranstR->count() == 0) {
        ui->lx_VeranstL->setFocus();
        throw Eingabefehler("Es wurden keine Veranstaltungen ausgewählt.");
    }
    QVector<int> wettkaempfe;
    for (int i = 0; i < ui->lx_VeranstR->count(); ++i) {
        auto q = Datamod::DataModule1()->DynQuery("SELECT *\r\nFROM ZKTMP\r\nWHERE Veranstalter = "
                                                      + Ado::QuotedStr(ui->lx_VeranstR->item(i)->text()),
                                                  Ado::clUseServer, Ado::ltReadOnly);
        for (q->First(); !q->Eof(); q->Next())
            if (!wettkaempfe.contains(q->FieldByName("Ident")->AsInteger()))
                wettkaempfe << q->FieldByName("Ident")->AsInteger();
    }
    ui->pc_Ergebnisse->setCurrentWidget(ui->ts_Normal);
    if (auswahlFuer_ == afUrkunden)
        UrkundenAusgeben(wettkaempfe, true);
    else if (auswahlFuer_ == afGesamt)
        GesamtAusgeben(wettkaempfe, ui->gb_Direkt->ItemIndex());
    else if (auswahlFuer_ == afBSSBEinzel || auswahlFuer_ == afBSSBMannsch)
        WeitermeldungAusgeben(wettkaempfe, auswahlFuer_ == afBSSBMannsch);
}

// --- Jobs of the general page --------------------------------------------------

void TErgebDruckForm::Gestartetliste() { Gestartet1::Gestartetliste(); }

void TErgebDruckForm::Starterliste() { Starter1::Starterliste(true); }
void TErgebDruckForm::Medaillenliste() { Zusammen1::Zusammenfassungsliste(Host::daMitarbeiterBestaetigung, false); }
void TErgebDruckForm::Statistikliste(bool Auswahl) { Statistik2::Erstellen(Auswahl); }

bool TErgebDruckForm::RekordeVorbereiten()
{
    rekordSql_ = ErgebRekorde::SortierungFestlegen();
    rekordDisziplinen_ = ErgebRekorde::RekordDisziplinen(Datamod::iIdent, rekordSql_);
    if (!rekordDisziplinen_.isEmpty())
        return true;
    Pmsgdlg::qvMessageDlg(Druckjob::KeineDatenText, Host::mtInformation, Host::mbOK, 1);
    return false;
}

void TErgebDruckForm::bt_RekordeClick()
{
    if (RekordeVorbereiten())
        Druckjob::Vorschau(*rf_Rekorde, Ergebdruck1::DruckjobID);
}

void TErgebDruckForm::bt_RekordeRTFClick()
{
    if (!RekordeVorbereiten())
        return;
    const QString ordner = Schtools::LaufwerkHolen("RTF-Ausgabeordner", sLaufwerk);
    if (ordner.isEmpty())
        return;
    sLaufwerk = ordner;
    Schtools::RTFAuswahl(*rtf_Rekorde, "REKORDE.RTF", "Daten ausgeben", sLaufwerk);
    sRekordDatei = rtf_Rekorde->FileName();
    if (!Druckjob::UeberschreibenErlaubt(sRekordDatei))
        return;
    const bool geschrieben = rtf_Rekorde->Execute();
    Druckjob::Ende();
    if (!geschrieben)
        throw EHostFehler("Die Datei " + QDir::toNativeSeparators(sRekordDatei) + " wurde nicht geschrieben: "
                          + rtf_Rekorde->ErrorString());
    Pmsgdlg::qvMessageDlg("Die Rekordliste ist als   REKORDE.RTF  im\r\nOrdner  " + QDir::toNativeSeparators(sLaufwerk)
                              + "  erstellt worden",
                          Host::mtInformation, Host::mbOK, 1);
}

void TErgebDruckForm::bt_FehlendeClick()
{
    fehlende_ = ErgebKontrolle::FehlendeErmitteln(Datamod::iIdent, Qvsettings::GetString("Speziell", "Teilmeisterschaft"));
    const auto leeren = qScopeGuard([this] { fehlende_.clear(); });
    if (fehlende_.isEmpty()) {
        Pmsgdlg::qvMessageDlg(Druckjob::KeineDatenText, Host::mtInformation, Host::mbOK, 1);
        return;
    }
    Druckjob::Vorschau(*rf_Fehlende, Ergebdruck1::DruckjobID);
}

void TErgebDruckForm::bt_MannschaftenClick()
{
    Daten.EinzelMannschaftSQLErstellen({.Unvollstaendig = true});
    Daten.q_Mannschaft->ParamByName("Ident")->SetValue(Datamod::iIdent);
    Daten.q_Mannschaft->Open();
    const auto schliessen = qScopeGuard([this] { Daten.q_Mannschaft->Close(); });
    if (Druckjob::KeineDaten(*Daten.q_Mannschaft))
        return;
    Druckjob::Vorschau(*rf_Mannschaften, Ergebdruck1::DruckjobID);
    QCoreApplication::processEvents();
}

void TErgebDruckForm::bt_AbmeldungClick() { Druckjob::Vorschau(*rf_Abmeldungen, Ergebdruck1::DruckjobID); }

void TErgebDruckForm::bt_UmmeldungenClick()
{
    ummeldungen_.Drucken(ui->cb_Ummeldungen->isChecked(), Ergebdruck1::DruckjobID);
}

// The deregistered starts of the championship.
void TErgebDruckForm::bt_AbgemeldetClick() { ErgebAbgemeldet::Abgemeldetliste(true); }

void TErgebDruckForm::bt_BestaetigungClick()
{
    ui->pc_Ergebnisse->setCurrentWidget(ui->ts_Bestaetigung);
    MitVerFiltern();
}

void TErgebDruckForm::bt_AusgabeClick()
{
    QStringList disziplinen;
    {
        // The grid does not follow the dataset while its selection is read.
        const QSignalBlocker sperre(ui->gr_Disziplin->selectionModel());
        QModelIndexList zeilen = ui->gr_Disziplin->selectionModel()->selectedRows();
        std::sort(zeilen.begin(), zeilen.end());
        for (const QModelIndex& z : zeilen)
            disziplinen << ds_BestDisziplin->Value(z.row(), "Disziplin");
    }
    if (disziplinen.isEmpty() || disziplinen.size() > ErgebVordrucke::MaxWettbewerbe) {
        ui->gr_Disziplin->setFocus();
        throw Eingabefehler("Es wurde eine falsche Anzahl ausgewählt.");
    }
    if (!q_Mitglied->Active() || q_Mitglied->IsEmpty()) {
        ui->gr_Mitglied->setFocus();
        throw Eingabefehler("Es wurde kein Schütze ausgewählt.");
    }
    if (!q_MitVer->Active() || q_MitVer->IsEmpty()) {
        ui->gr_MitVer->setFocus();
        throw Eingabefehler("Für diesen Schützen ist kein Verein eingetragen.");
    }
    try {
        bestaetigung_ = ErgebVordrucke::BestaetigungLesen(Datamod::iIdent, q_Mitglied->FieldByName("MitglNr")->AsString(),
                                                          q_MitVer->FieldByName("VereinNr")->AsString(), disziplinen);
    } catch (const Eingabefehler&) {
        ui->gr_Disziplin->setFocus();
        throw;
    }
    Druckjob::Vorschau(*rf_Bestaetigung, Ergebdruck1::DruckjobID);
}

// --- Application for the Olympic disciplines ----------------------------------------

void TErgebDruckForm::OlympischAnlegen()
{
    // The member list and the starts of the member chosen are the two pages
    // of pc_Starts.
    auto* mitglieder = new QWidget;
    mitglieder->setObjectName("ts_OlMitglieder");
    auto* lm = new QVBoxLayout(mitglieder);
    auto* suche = new QHBoxLayout;
    suche->addWidget(new QLabel("Name"));
    auto* ed_Suche = new QLineEdit;
    ed_Suche->setObjectName("ed_Suche");
    suche->addWidget(ed_Suche);
    lm->addLayout(suche);
    auto* raster = new QHBoxLayout;
    auto* gr_OlMitglied = new QTableView;
    gr_OlMitglied->setObjectName("gr_OlMitglied");
    auto* gr_OlMitVer = new QTableView;
    gr_OlMitVer->setObjectName("gr_OlMitVer");
    raster->addWidget(gr_OlMitglied, 3);
    raster->addWidget(gr_OlMitVer, 2);
    lm->addLayout(raster);
    auto* angaben = new QHBoxLayout;
    for (const char* n : {"lb_Teilnehmer", "lb_KlasseMe", "lb_Alter"}) {
        auto* l = new QLabel;
        l->setObjectName(n);
        angaben->addWidget(l);
    }
    angaben->addStretch();
    angaben->addWidget(new QLabel("Farbschlüssel:"));
    for (auto [text, farbe] : {std::pair{" Klassensprung", "#ffd27f"}, {"mit Federbock", "#b7e4b7"}, {"ohne Federbock", "#ffffff"}}) {
        auto* l = new QLabel(QString::fromUtf8(text));
        l->setStyleSheet(QString("background:%1; border:1px solid gray; padding:1px 4px;").arg(farbe));
        angaben->addWidget(l);
    }
    lm->addLayout(angaben);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    auto* bt_OlWaehlen = new QPushButton("Auswählen");
    bt_OlWaehlen->setObjectName("bt_OlWaehlen");
    auto* bt_OlZurueck = new QPushButton("Beenden");
    bt_OlZurueck->setObjectName("bt_OlZurueck");
    knoepfe->addWidget(bt_OlWaehlen);
    knoepfe->addWidget(bt_OlZurueck);
    lm->addLayout(knoepfe);

    auto* start = new QWidget;
    start->setObjectName("ts_Start");
    auto* ls = new QVBoxLayout(start);
    auto* clb_Starts = new QListWidget;
    clb_Starts->setObjectName("clb_Starts");
    ls->addWidget(clb_Starts);
    auto* ks = new QHBoxLayout;
    ks->addStretch();
    auto* bt_SBeenden = new QPushButton("Ausführen");
    bt_SBeenden->setObjectName("bt_SBeenden");
    ks->addWidget(bt_SBeenden);
    ls->addLayout(ks);
    ui->pc_Starts->addWidget(mitglieder);
    ui->pc_Starts->addWidget(start);

    q_OlMitglied = std::make_unique<Ado::TADOQuery>();
    q_OlMitglied->SetSQL("SELECT *\r\nFROM EMITGLIED\r\nORDER BY Name,Vorname");
    q_OlMitVer = std::make_unique<Ado::TADOQuery>();
    q_OlMitVer->SetSQL("Select * From EMITVER\r\nOrder By MitglNr, VereinNr");
    ds_OlMitglied = rasterModell(this, "ds_OlMitglied", q_OlMitglied.get(),
                                 {{"Name", "Name"}, {"Vorname", "Vorname"}, {"Titel", "Titel"}, {"Jahrgang", "Jahrgang"},
                                  {"Monat", "Monat"}, {"HlKlasse", "Klasse"}, {"OrgMitglNr", "Mitgliedsnr."}});
    ds_OlMitglied->Bind(gr_OlMitglied, [this](int) { OlMitgliedGewaehlt(); });
    ds_OlMitVer = rasterModell(this, "ds_OlMitVer", q_OlMitVer.get(), {{"VereinNr", "Verein"}});
    ds_OlMitVer->AddLookupColumn("Name", [this](int row) { return vereine_.value(ds_OlMitVer->Value(row, "VereinNr")).second; });
    ds_OlMitVer->Bind(gr_OlMitVer);
    for (QTableView* g : {gr_OlMitglied, gr_OlMitVer}) {
        g->setSelectionBehavior(QAbstractItemView::SelectRows);
        g->setSelectionMode(QAbstractItemView::SingleSelection);
        g->verticalHeader()->hide();
        g->horizontalHeader()->setStretchLastSection(true);
    }

    Host::Connect(ed_Suche, &QLineEdit::textChanged, this, &TErgebDruckForm::ed_SucheChange);
    Host::Connect(bt_OlWaehlen, &QAbstractButton::clicked, this, &TErgebDruckForm::bt_OlWaehlenClick);
    Host::Connect(bt_OlZurueck, &QAbstractButton::clicked, this, &TErgebDruckForm::bt_ZurueckClick);
    Host::Connect(bt_SBeenden, &QAbstractButton::clicked, this, &TErgebDruckForm::bt_SBeendenClick);
}

void TErgebDruckForm::bt_OlympischClick()
{
    if (DatenbankOffen()) {
        q_OlMitglied->Open();
        ds_OlMitglied->Refresh();
        q_OlMitVer->Open();
        OlMitgliedGewaehlt();
    }
    ui->pc_Starts->setCurrentIndex(0);
    ui->pc_Ergebnisse->setCurrentWidget(ui->ts_Olympisch);
}

void TErgebDruckForm::ed_SucheChange()
{
    // The member list follows the beginning of the name typed.
    QString name, vorname;
    Schtools::NameInFeldStellen(findChild<QLineEdit*>("ed_Suche")->text(), name, vorname);
    QString sql = "SELECT *\r\nFROM EMITGLIED";
    if (!name.isEmpty() || !vorname.isEmpty()) {
        sql += "\r\nWHERE Name LIKE " + Ado::QuotedStr(name + "%");
        if (!vorname.isEmpty())
            sql += CRLF + "  AND Vorname LIKE " + Ado::QuotedStr(vorname + "%");
    }
    q_OlMitglied->SetSQL(sql + CRLF + "ORDER BY Name,Vorname");
    q_OlMitglied->Open();
    ds_OlMitglied->Refresh();
    OlMitgliedGewaehlt();
}

void TErgebDruckForm::OlMitgliedGewaehlt()
{
    const bool da = q_OlMitglied->Active() && !q_OlMitglied->IsEmpty();
    const QString nr = da ? q_OlMitglied->FieldByName("MitglNr")->AsString() : QString();
    if (q_OlMitVer->Active()) {
        q_OlMitVer->SetFilter("MitglNr = " + Ado::QuotedStr(nr));
        q_OlMitVer->SetFiltered(true);
        q_OlMitVer->First();
        ds_OlMitVer->Refresh();
    }
    const auto f = [&](const char* n) { return da ? q_OlMitglied->FieldByName(n)->AsString().trimmed() : QString(); };
    findChild<QLabel*>("lb_Teilnehmer")->setText(da ? "Teilnehmer: " + (f("Vorname") + " " + f("Name")).trimmed() : QString());
    const QString klasse = da ? ErgebVordrucke::KlasseHolen(Datamod::iIdent, nr) : QString();
    findChild<QLabel*>("lb_KlasseMe")->setText(da ? "Klasse: " + klasse : QString());
    const int jahrgang = f("Jahrgang").toInt();
    findChild<QLabel*>("lb_Alter")->setText(
        da && jahrgang > 0 ? "Alter: " + Nr(Qvsettings::GetInteger("Allgemein", "Sportjahr") - jahrgang) : QString());
}

void TErgebDruckForm::bt_OlWaehlenClick()
{
    auto* waehlen = findChild<QPushButton*>("bt_OlWaehlen");
    if (!q_OlMitglied->Active() || q_OlMitglied->IsEmpty()) {
        waehlen->setFocus();
        throw Eingabefehler("Es wurde kein Schütze ausgewählt.");
    }
    const QString nr = q_OlMitglied->FieldByName("MitglNr")->AsString();
    if (!ErgebVordrucke::KlasseZugelassen(ErgebVordrucke::KlasseHolen(Datamod::iIdent, nr))) {
        waehlen->setFocus();
        throw Eingabefehler("Für diese Klasse ist keine Auswahl möglich");
    }
    // The member's starts of this sub-championship, all ticked.
    const QString teilm = Qvsettings::GetString("Speziell", "Teilmeisterschaft");
    auto q = Datamod::DataModule1()->DynQuery(
        "SELECT E.Disziplin,E.EKlasse,D.Name AS DisName,K.Name AS KlaName\r\nFROM ERGEBNIS E, PDISZIPLIN D, PKLASSE K\r\n"
        "WHERE E.Ident = D.Ident\r\n  AND E.Disziplin = D.Disziplin\r\n  AND E.Ident = K.Ident\r\n"
        "  AND E.EKlasse = K.Klasse\r\n  AND E.Ident = "
            + Nr(Datamod::iIdent) + CRLF + "  AND E.MitglNr = " + Ado::QuotedStr(nr) + CRLF
            + "  AND E.Teilmeisterschaft = " + Ado::QuotedStr(teilm) + CRLF + "ORDER BY E.Disziplin,E.EKlasse",
        Ado::clUseServer, Ado::ltReadOnly);
    auto* clb = findChild<QListWidget*>("clb_Starts");
    clb->clear();
    for (q->First(); !q->Eof(); q->Next()) {
        const QString dis = q->FieldByName("Disziplin")->AsString();
        auto* item = new QListWidgetItem(dis.left(1) + "." + dis.mid(1) + "  " + q->FieldByName("DisName")->AsString()
                                         + " - " + q->FieldByName("KlaName")->AsString());
        item->setData(Qt::UserRole, dis);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        clb->addItem(item);
    }
    ui->pc_Starts->setCurrentIndex(1);
}

void TErgebDruckForm::bt_SBeendenClick()
{
    auto* clb = findChild<QListWidget*>("clb_Starts");
    QStringList disziplinen;
    for (int i = 0; i < clb->count(); ++i)
        if (clb->item(i)->checkState() == Qt::Checked && !disziplinen.contains(clb->item(i)->data(Qt::UserRole).toString()))
            disziplinen << clb->item(i)->data(Qt::UserRole).toString();
    if (disziplinen.isEmpty()) {
        clb->setFocus();
        throw Eingabefehler("Es wurde kein Start ausgewählt.");
    }
    olympisch_ = ErgebVordrucke::OlympischLesen(Datamod::iIdent, q_OlMitglied->FieldByName("MitglNr")->AsString(),
                                                disziplinen);
    Druckjob::Vorschau(*rf_Olympisch, Ergebdruck1::DruckjobID);
    ui->pc_Starts->setCurrentIndex(0);
}

// --- Unit ----------------------------------------------------------------------

namespace Ergebdruck1 {

TErgebDruckForm* ErgebDruckForm = nullptr;
bool bAuswahl = false;
int DruckjobID = 0;

bool Erstellen(bool Auswahl)
{
    bAuswahl = Auswahl;
    Qvform::TQuarvelForm::EinzelnZeigen(ErgebDruckForm, false, Datamod::DataModule1(), Qvform::fgMaximiert);
    return false;
}

void Druckfertig(int JobId) { Qvdruckvorschau::Druckfertig(DruckjobID, JobId); }

void Finalization() { Qvform::TQuarvelForm::Freigeben(ErgebDruckForm); }

QString NichtangetreteneSQL(const QString& OrderBy)
{
    return QStringList{
        "SELECT E.Disziplin, E.Qual, E.Ergebnis,E.EKlasse, E.StartNr,",
        "       M.Name, M.Vorname, V.Abkuerzung, V.Name AS VerName,",
        "       D.Name AS DisName, K.Name AS KlaName",
        "FROM ERGEBNIS E, EMITGLIED M, EVEREIN V, PDISZIPLIN D, PKLASSE K, PDISKLA DK",
        "WHERE E.MitglNr = M.MitglNr",
        "  AND E.VereinNr = V.VereinNr",
        "  AND E.Disziplin = D.Disziplin",
        "  AND E.Disziplin = DK.Disziplin",
        "  AND E.EKlasse = DK.Klasse",
        "  AND E.EKlasse = K.Klasse",
        "  AND E.Ident = D.Ident",
        "  AND E.Ident = DK.Ident",
        "  AND E.Ident = K.Ident",
        "  AND E.Ident = :Ident",
        "  AND E.Ergebnis = 0",
        "  AND DK.ErgebEing <> ''",
        OrderBy,
    }.join(CRLF);
}

} // namespace Ergebdruck1
