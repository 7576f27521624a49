#include "reports1/preparation/Vorbereitung1.h"
#include "ui_Vorbereitung1.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Guard.h"
#include "platform/host/HostUi.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvdruckvorschau.h"
#include "platform/host/Qvmain.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "platform/report/Rprender.h"
#include "platform/vcl/ModalForm.h"
#include "reports1/documents/Einladung1.h"
#include "reports1/documents/Zusammen1.h"
#include "reports1/entries/Starter1.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/entries/Abmeldung1.h"
#include "reports1/entries/Etiketten1.h"
#include "reports1/entries/Flinten1.h"
#include "reports1/entries/Scheiben1.h"
#include "reports1/preparation/Ausnahme1.h"
#include "reports1/preparation/Durchgang1.h"
#include "reports1/preparation/VorbDateien.h"
#include "reports1/preparation/VorbListen.h"
#include "reports1/preparation/VorbMedaillen.h"
#include "reports1/preparation/VorbScheiben.h"
#include "reports1/preparation/VorbSchiesszeit.h"
#include "reports1/preparation/VorbStarterkl.h"
#include "reports1/preparation/Vollst1.h"
#include "reports1/preparation/Zulassung.h"
#include "reports1/statistics/Statistik1.h"

#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QScopeGuard>

using Report::TBaseReport;

namespace {

using Qvutil::CRLF;


void info(const QString& text) { Pmsgdlg::qvMessageDlg(text, Host::mtInformation, Host::mbOK, 1); }

// The lines of a memo; a line break at the very end starts no line.
QStringList zeilen(const QPlainTextEdit* memo)
{
    const QString text = memo->toPlainText();
    if (text.isEmpty())
        return {};
    QStringList l = text.split('\n');
    if (l.size() > 1 && l.last().isEmpty())
        l.removeLast();
    return l;
}

QString datei(const QString& name) { return QDir(Qvpaths::DataFolder()).filePath(name); }

} // namespace

// --- Creation, showing, closing --------------------------------------------------

TVorbereitungForm::TVorbereitungForm() : ui(new Ui::TVorbereitungForm) { FormCreate(); }

TVorbereitungForm::~TVorbereitungForm()
{
    if (Qvmain::f_Menue()->Navigator() == nv_Vorbereitung)
        Qvmain::f_Menue()->SetNavigator(nullptr);
    delete ui;
}

void TVorbereitungForm::FormCreate()
{
    ui->setupUi(this);
    Qvmain::f_Menue()->GetControlsEinstellen()(this);
    // The centre's settings are shared by all users of the championship.
    Qvsettings::Settings()->SetProgramm(Datamod::sVeranstaltung);
    Qvsettings::Settings()->SetBenutzer("alle Benutzer");
    ui->pc_Vorbereitung->setCurrentWidget(ui->ts_Durchgang);
    Qvpaths::DataFolder(); // the folder "Daten" exists from now on

    ui->gb_SortierungS->SetItems({"nach Wettbewerb", "nach Datum"});
    ui->gb_SortierungV->SetItems({"nach Vereinsname", "nach Vereinsnummer"});
    ui->cx_Medaillen->SetItems({"Allgemeiner Medaillenbedarf", "Medaillenbedarf pro Verein", "Medaillenbedarf pro Anlage"});
    ui->lx_Start->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ui->lx_Ziel->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (QPlainTextEdit* m : {ui->mo_Startkarte, ui->mo_Einladung, ui->mo_Kontakt, ui->mo_Anlage})
        m->installEventFilter(this);

    SchreiberAnlegen();
    KnoepfeVerbinden();

    nv_Vorbereitung = new QObject(this);
    nv_Vorbereitung->setObjectName("nv_Vorbereitung");
    nv_Vorbereitung->setProperty("Gruppe", "Neutral");
    Qvmain::f_Menue()->SetNavigator(nv_Vorbereitung);
}

void TVorbereitungForm::SchreiberAnlegen()
{
    // The centre's lists: Q1 is the query of the list running.
    const auto liste = [this](const char* name, const char* titel, void (*body)(TBaseReport&, Ado::TDataSet&)) {
        Report::TRvNDRWriter* w = Druckjob::Listenschreiber(this, name, titel);
        w->OnBeforePrint = [this](TBaseReport&) { Druckjob::ProgressStart(Q1 ? Q1->RecordCount() : 0); };
        w->OnPrint = [this, body](TBaseReport& r) {
            if (Q1)
                body(r, *Q1);
        };
        w->OnAfterPrint = [this, w](TBaseReport&) {
            Q1.reset();
            Druckjob::NachDruck(*w);
        };
        return w;
    };
    rf_OhneStart = liste("rf_OhneStart", "Starts ohne Einteilungsdaten", VorbListen::OhneStartPrint);
    rf_Klassensprung = liste("rf_Klassensprung", "Teilnehmer mit Klassensprung", VorbListen::KlassensprungPrint);
    rf_Schiesszeit = liste("rf_Schiesszeit", "Schiesszeiten", VorbSchiesszeit::SchiesszeitPrint);
    rf_Stammdaten = liste("rf_Stammdaten", "Stammdaten der Teilmeisterschaft", VorbListen::StammdatenPrint);
    rf_Teilnehmer = liste("rf_Teilnehmer", "Teilnehmerliste", VorbListen::TeilnehmerPrint);
    rf_WaffenGrp = liste("rf_WaffenGrp", "Waffengruppen", VorbListen::WaffenGrpPrint);
    rf_Mitglieder = liste("rf_Mitglieder", "Fehlerhafte Teilnehmer", VorbListen::MitgliederPrint);
    rf_Bar = liste("rf_Bar", "Mitarbeiter mit Barauszahlung", VorbListen::BarPrint);
    rf_Flinten = liste("rf_Flinten", "Startnummernliste für Flintenwettbewerbe ausgeben", VorbListen::FlintenPrint);

    // Starts without declaration: the list and the letters draw the
    // members the click handler found.
    const auto starterklaerung = [this](const char* name, const char* titel, bool briefe) {
        Report::TRvNDRWriter* w = Druckjob::Listenschreiber(this, name, titel);
        w->OnBeforePrint = [this, briefe](TBaseReport&) {
            if (briefe)
                Druckjob::Status("Erstellen der fehlenden Starterklärungen");
            Druckjob::ProgressStart(int(unerklaerte_.size()));
        };
        w->OnPrint = [this, briefe](TBaseReport& r) {
            if (briefe)
                VorbStarterkl::BriefePrint(r, unerklaerte_, bStarterklaerung);
            else
                VorbStarterkl::ListePrint(r, unerklaerte_);
        };
        w->OnAfterPrint = [this, w](TBaseReport&) {
            unerklaerte_.clear();
            Druckjob::NachDruck(*w);
        };
        return w;
    };
    rf_Disziplinen = starterklaerung("rf_Disziplinen", "Disziplinen", false);
    rf_Starterklaerung = starterklaerung("rf_Starterklaerung", "ungültige Starterklärungen", true);

    rf_Hinweis = Druckjob::Listenschreiber(this, "rf_Hinweis", "Hinweisliste");
    rf_Hinweis->OnBeforePrint = [this](TBaseReport&) { Druckjob::ProgressStart(int(hinweise_.size())); };
    rf_Hinweis->OnPrint = [this](TBaseReport& r) { VorbListen::HinweisPrint(r, hinweise_); };
    rf_Hinweis->OnAfterPrint = [this](TBaseReport&) {
        hinweise_.clear();
        Druckjob::NachDruck(*rf_Hinweis);
    };

    // The target order form has a head and foot of its own.
    scheiben_ = std::make_unique<VorbScheiben::TScheibenBestellung>(this);
    rf_Scheiben = scheiben_->rf_Scheiben;

    // The password sheet has neither page header nor footer.
    rf_Passwoerter = Druckjob::Schreiber(this, "rf_Passwoerter", "Passwörter ausgeben");
    rf_Passwoerter->OnPrint = [this](TBaseReport& r) { VorbDateien::PasswortPrint(r, sPassword); };
    rf_Passwoerter->OnAfterPrint = [this](TBaseReport&) { Datamod::sDruckPfad = rf_Passwoerter->FileName(); };
}

void TVorbereitungForm::KnoepfeVerbinden()
{
    using F = TVorbereitungForm;
    const auto klick = &QAbstractButton::clicked;
    const auto pdf = [](QCheckBox* c) { return c->isChecked(); };

    // Buttons that hand over to another job, with its selection code.
    const struct {
        QAbstractButton* Knopf;
        std::function<void()> Start;
    } uebergaben[] = {
        {ui->bt_Durchgang, [this] { Durchgangsliste(Host::fDurchgang); }},
        {ui->bt_Ergebnis, [this] { Durchgangsliste(Host::fErgEingabe); }},
        {ui->bt_Mannschaften, [this] { Durchgangsliste(Host::fMannschaft); }},
        {ui->bt_Zusammen, [=, this] { Zusammenfassungsliste(Host::daStartzusammenfassung, pdf(ui->cb_PdfDatei)); }},
        {ui->bt_Kreis, [=, this] { Zusammenfassungsliste(Host::daStartzusammenfassungKreis, pdf(ui->cb_Zusammen)); }},
        {ui->bt_EtikettenLaser, [this] { Durchgangsliste(Host::fEtikettenL); }},
        {ui->bt_Schusszettel, [this] { Zusammenfassungsliste(Host::daSchusszettel, false); }},
        {ui->bt_StartkartenH, [=, this] { Zusammenfassungsliste(Host::daZweiStartkarten, pdf(ui->cb_PDF)); }},
        {ui->bt_StartkartenE, [=, this] { Zusammenfassungsliste(Host::daDreiStartkarten, pdf(ui->cb_PDF)); }},
        {ui->bt_StartkartenA4, [=, this] { Zusammenfassungsliste(Host::daVierStartkarten, pdf(ui->cb_PDF)); }},
        {ui->bt_EineKarte, [=, this] { Zusammenfassungsliste(Host::daEineStartkarte, pdf(ui->cb_PDF)); }},
        {ui->bt_Starter, [this] { Starterliste(); }},
        {ui->bt_Vollst, [this] { Vollstaendigkeitsliste(); }},
        {ui->bt_TeilnehmerAnlage, [this] { Durchgangsliste(Host::fTeilnehmer); }},
        {ui->bt_Scheiben, [this] { Scheibenbestellung(); }},
        {ui->bt_Etiketten, [this] { AdressEtiketten(); }},
        {ui->bt_Ausnahme, [this] { Ausnahmegenehmigungen(); }},
        {ui->bt_Abmeldung, [] { Abmeldung1::Abgemeldete(false); }},
        {ui->bt_Uebernahme, [] {
             QString ergebnis;
             Vollst1::Vollstliste(4, ergebnis);
         }},
        {ui->bt_Flinten, [this] { bt_FlintenClick(); }},
        {ui->bt_ZulassMit, [this] { Zulassungsliste(Host::fDurchgang); }},
        {ui->bt_ZulassOhne, [this] { Zulassungsliste(Host::fErgEingabe); }}, // disabled in the design
        {ui->bt_ZulassWord, [this] { Zulassungsliste(Host::fEtikettenM); }},
        {ui->bt_Mitarbeiter, [this] { Durchgangsliste(Host::fMitarbeiter); }},
        {ui->bt_Auszahlung, [this] { Durchgangsliste(Host::fAuszahlung); }},
        {ui->bt_MitZut, [this] { Durchgangsliste(Host::fMEtiketten); }},
        {ui->bt_VereinUebersicht, [this] { Zusammenfassungsliste(Host::daMitarbeiteruebersicht, false); }},
        {ui->bt_Bestaetigung, [this] { Zusammenfassungsliste(Host::daMitarbeiterBestaetigung, false); }},
        {ui->bt_Statistik, [this] { StatistikListe(); }},
        {ui->bt_Einladung, [this] { Einladungsliste(); }},
    };
    for (const auto& u : uebergaben)
        Host::Connect(u.Knopf, klick, this, u.Start);

    // The centre's own lists.
    const auto bericht = [this](Report::TRvNDRWriter* w, std::function<QString()> sql, QString keine) {
        return [this, w, sql, keine] { Bericht(w, sql(), keine); };
    };
    Host::Connect(ui->bt_EinteilungOhne, klick, this,
                  bericht(rf_OhneStart, VorbListen::OhneStartSQL, "Es sind keine Teilnehmer ohne Start vorhanden"));
    Host::Connect(ui->bt_KlassenSprung, klick, this,
                  bericht(rf_Klassensprung, VorbListen::KlassensprungSQL,
                          "Es sind keine Teilnehmer mit Klassensprung vorhanden"));
    Host::Connect(ui->bt_Schiesszeiten, klick, this,
                  bericht(rf_Schiesszeit, VorbSchiesszeit::SchiesszeitSQL, "Es sind keine Schiesszeiten vorhanden"));
    Host::Connect(ui->bt_Stammdaten, klick, this,
                  bericht(rf_Stammdaten, VorbListen::StammdatenSQL, "Es sind keine Stammdaten vorhanden"));
    Host::Connect(ui->bt_WaffenGrp, klick, this,
                  bericht(rf_WaffenGrp, VorbListen::WaffenGrpSQL, "Es sind keine Teilnehmer mit Waffengruppen vorhanden"));
    Host::Connect(ui->bt_Mitglieder, klick, this,
                  bericht(rf_Mitglieder, VorbListen::MitgliederSQL, "Es sind keine fehlerhaften Teilnehmer vorhanden"));
    Host::Connect(ui->bt_Teilnehmer, klick, this,
                  bericht(rf_Teilnehmer, [] { return VorbListen::TeilnehmerSQL(Datamod::iIdent); },
                          "Es sind keine Teilnehmer pro Verein vorhanden"));
    Host::Connect(ui->bt_Bar, klick, this,
                  bericht(rf_Bar, VorbListen::BarSQL, "Es sind keine Mitarbeiter mit Barauszahlung vorhanden"));
    Host::Connect(ui->bt_Disziplinen, klick, this, &F::bt_DisziplinenClick);
    Host::Connect(ui->bt_Starterklaerung, klick, this, &F::bt_StarterklaerungClick);
    Host::Connect(ui->bt_Mahnungen, klick, this, &F::bt_MahnungenClick);
    Host::Connect(ui->bt_Hinweis, klick, this, &F::bt_HinweisClick);

    // Files per club, the HTML file's name, the medals.
    Host::Connect(ui->bt_Zip, klick, this, &F::bt_ZipClick);
    Host::Connect(ui->bt_Passwort, klick, this, &F::bt_PasswortClick);
    Host::Connect(ui->bt_ZulassMitHtm, klick, this, &F::bt_ZulassMitHtmClick);
    Host::Connect(ui->bt_OK, klick, this, &F::bt_OKClick);
    Host::Connect(ui->bt_Start, klick, this, &F::bt_StartClick);
    Host::Connect(ui->bt_Ziel, klick, this, &F::bt_ZielClick);
    Host::Connect(ui->lx_Start, &QListWidget::itemDoubleClicked, this, &F::bt_StartClick);
    Host::Connect(ui->lx_Ziel, &QListWidget::itemDoubleClicked, this, &F::bt_ZielClick);
    Host::Connect(ui->pc_Vorbereitung, &QTabWidget::currentChanged, this, &F::pc_VorbereitungChange);
}

void TVorbereitungForm::FormShow()
{
    setWindowTitle(Qvform::FensterTitel("Listen zur Vorbereitung"));
    Datamod::sTeilmeisterschaft = Qvsettings::GetString("Speziell", "Teilmeisterschaft");
    ui->pc_Vorbereitung->setCurrentWidget(ui->ts_Durchgang);
    DurchgangSeite();
}

void TVorbereitungForm::FormClose()
{
    Q1.reset();
    if (Qvmain::f_Menue()->Navigator() == nv_Vorbereitung)
        Qvmain::f_Menue()->SetNavigator(nullptr);
}

void TVorbereitungForm::keyPressEvent(QKeyEvent* event)
{
    if (!Vcl::EnterTab(this, event))
        TQuarvelForm::keyPressEvent(event);
}

bool TVorbereitungForm::eventFilter(QObject* watched, QEvent* event)
{
    // A memo is left when the focus moves to another control; the window
    // losing the focus (a message box) does not count.
    if (event->type() == QEvent::FocusOut && !verlassen_) {
        const Qt::FocusReason grund = static_cast<QFocusEvent*>(event)->reason();
        if (grund != Qt::ActiveWindowFocusReason && grund != Qt::PopupFocusReason) {
            verlassen_ = true;
            const auto ende = qScopeGuard([this] { verlassen_ = false; });
            if (watched == ui->mo_Startkarte)
                Host::Guard([this] { mo_StartkarteExit(); });
            else if (watched == ui->mo_Einladung)
                Host::Guard([this] { mo_EinladungExit(); });
            else if (watched == ui->mo_Kontakt)
                Host::Guard([this] { mo_KontaktExit(); });
            else if (watched == ui->mo_Anlage)
                Host::Guard([this] { mo_AnlageExit(); });
        }
    }
    return TQuarvelForm::eventFilter(watched, event);
}

// --- Pages -------------------------------------------------------------------------

void TVorbereitungForm::DurchgangSeite()
{
    const bool bssb = Qvsettings::GetInteger("Allgemein", "Verband") == 3;
    ui->lb_Etiketten->setText(bssb ? "Scheibenetiketten für Laser- und Deskjetdrucker (70 x 36 3 Bahnen 8 Reihen)"
                                   : "Scheibenetiketten für Laser- und Deskjetdrucker (48,5 x 16,9 4 Bahnen 16 Reihen)");
    for (QWidget* w : std::initializer_list<QWidget*>{ui->lb_NrSchusszettel, ui->lb_TextSchusszettel, ui->bt_Schusszettel})
        w->setVisible(bssb);
    ui->ed_Htm->setText("zulassung.htm");
}

void TVorbereitungForm::pc_VorbereitungChange()
{
    QWidget* seite = ui->pc_Vorbereitung->currentWidget();
    if (seite == ui->ts_Startkarten) {
        ui->gb_SortierungS->SetItemIndex(0);
        ui->gb_SortierungV->SetItemIndex(0);
        MemoLaden(ui->mo_Startkarte, "STARTK.DAT");
    } else if (seite == ui->ts_Medaillen) {
        ui->lx_Start->clear();
        ui->lx_Ziel->clear();
        auto q = Datamod::DataModule1()->DynQuery("SELECT Klasse,Name\r\nFROM PKLASSE\r\nWHERE Ident = "
                                                      + QString::number(Datamod::iIdent) + CRLF + "ORDER BY Klasse",
                                                  Ado::clUseServer, Ado::ltReadOnly);
        for (q->First(); !q->Eof(); q->Next()) {
            const QString klasse = q->FieldByName("Klasse")->AsString();
            auto* item = new QListWidgetItem(klasse + " " + q->FieldByName("Name")->AsString(), ui->lx_Start);
            item->setData(Qt::UserRole, klasse); // the class the item stands for
        }
        ui->cx_Medaillen->SetItemIndex(0);
        ui->ed_Einzel->setText("3");
        ui->ed_Mannschaft->setText("3");
        ui->ed_MEinzel->setText("0");
        ui->ed_MMannschaft->setText("0");
    } else if (seite == ui->ts_Einladung) {
        MemoLaden(ui->mo_Einladung, "EINLAD.DAT");
        MemoLaden(ui->mo_Kontakt, "KONTAK.DAT");
        MemoLaden(ui->mo_Anlage, "ANLAGE.DAT");
    } else if (seite == ui->ts_Zulassung) {
        ui->ed_Htm->setText("zulassung.htm");
    } else if (seite == ui->ts_Durchgang) {
        DurchgangSeite();
    }
}

// --- Free texts --------------------------------------------------------------------

void TVorbereitungForm::MemoLaden(QPlainTextEdit* Memo, const QString& Datei)
{
    Memo->clear();
    Memo->setPlainText(Schtools::FileToStrings(datei(Datei)).join('\n'));
}

void TVorbereitungForm::MemoVerlassen(QPlainTextEdit* Memo, int Max, const QString& Datei, const QString& Fehler,
                                      bool FokusZurueck)
{
    const QStringList l = zeilen(Memo);
    if (l.size() > Max) {
        if (FokusZurueck)
            Memo->setFocus();
        throw Eingabefehler(Fehler);
    }
    if (!Schtools::StringsToFile(l, datei(Datei)))
        throw EHostFehler("Die Datei " + datei(Datei) + " kann nicht geschrieben werden.");
}

void TVorbereitungForm::mo_StartkarteExit()
{
    MemoVerlassen(ui->mo_Startkarte, 10, "STARTK.DAT", "Es wurden mehr als 10 Zeilen eingegeben.", true);
}

void TVorbereitungForm::mo_EinladungExit()
{
    MemoVerlassen(ui->mo_Einladung, 10, "EINLAD.DAT", "Es wurden mehr als 10 Zeilen eingegeben.", false);
}

void TVorbereitungForm::mo_KontaktExit()
{
    MemoVerlassen(ui->mo_Kontakt, 5, "KONTAK.DAT", "Es wurden mehr als 5 Zeilen eingegeben.", false);
}

void TVorbereitungForm::mo_AnlageExit()
{
    MemoVerlassen(ui->mo_Anlage, 1, "ANLAGE.DAT", "Es wurden mehr als 1 Zeile eingegeben.", false);
}

// --- Medals --------------------------------------------------------------------------

void TVorbereitungForm::bt_StartClick()
{
    QListWidgetItem* gewaehlt = nullptr;
    for (int i = 0; i < ui->lx_Start->count(); ++i)
        if (ui->lx_Start->item(i)->isSelected())
            gewaehlt = ui->lx_Start->item(i);
    if (!gewaehlt) {
        ui->lx_Start->setFocus();
        throw Eingabefehler("Sie haben keine Auswahl getroffen");
    }
    if (!ui->lx_Ziel->findItems(gewaehlt->text(), Qt::MatchExactly).isEmpty())
        return;
    auto* item = new QListWidgetItem(gewaehlt->text(), ui->lx_Ziel);
    item->setData(Qt::UserRole, gewaehlt->data(Qt::UserRole));
}

void TVorbereitungForm::bt_ZielClick()
{
    ui->lx_Ziel->sortItems();
    for (int i = ui->lx_Ziel->count() - 1; i >= 0; --i)
        if (ui->lx_Ziel->item(i)->isSelected()) {
            delete ui->lx_Ziel->takeItem(i);
            return;
        }
}

void TVorbereitungForm::bt_OKClick()
{
    const struct {
        QLineEdit* Edit;
        const char* Frage;
        const char* ZuGross; // more than 3 places
        int* Wert;
    } felder[] = {
        {ui->ed_Einzel, "Es ist keine Anzahl Einzel vorhanden\r\nIst dies korrekt?", "Die Anzahl Medaillen Einzel ist zu groß",
         &iEinzel},
        {ui->ed_Mannschaft, "Es ist keine Anzahl Mannschaft vorhanden\r\nIst dies korrekt?",
         "Die Anzahl Medaillen Mannschaft ist zu groß", &iMannschaft},
        {ui->ed_MEinzel, "Es ist keine Mindestanzahl Einzel vorhanden\r\nIst dies korrekt?", nullptr, &iMEinzel},
        {ui->ed_MMannschaft, "Es ist keine Mindestanzahl Mannschaft vorhanden\r\nIst dies korrekt?", nullptr,
         &iMMannschaft},
    };
    int werte[4];
    for (int i = 0; i < 4; ++i) {
        const int v = felder[i].Edit->text().trimmed().toInt(); // no number counts 0
        if (v == 0
            && Pmsgdlg::qvMessageDlg(felder[i].Frage, Host::mtConfirmation, Host::mbYes | Host::mbNo, 1) != Host::mrYes)
            return;
        if (felder[i].ZuGross && v > 3) {
            felder[i].Edit->setFocus();
            throw Eingabefehler(felder[i].ZuGross);
        }
        werte[i] = v;
    }
    for (int i = 0; i < 4; ++i)
        *felder[i].Wert = werte[i];
    VorbMedaillen::TAuswahl a;
    a.Art = ui->cx_Medaillen->ItemIndex();
    a.Einzel = iEinzel;
    a.Mannschaft = iMannschaft;
    a.MEinzel = iMEinzel;
    a.MMannschaft = iMMannschaft;
    for (int i = 0; i < ui->lx_Ziel->count(); ++i)
        a.Klassen << ui->lx_Ziel->item(i)->data(Qt::UserRole).toString();
    a.Klassen.sort();
    if (a.Art == 2) {
        // The ranges and days come from the completeness dialog ("range;day;day;").
        QString wahl;
        if (Vollst1::Vollstliste(3, wahl) != Host::mrOk || wahl.isEmpty())
            return;
        int pos = 1;
        a.Anlage = Schtools::FeldErmitteln(wahl, pos, ';').toInt();
        for (int i = 0; i < 2; ++i)
            if (const int tag = Schtools::FeldErmitteln(wahl, pos, ';').toInt(); tag > 0)
                a.Tage << tag;
    }
    VorbMedaillen::Drucken(a, Ausnahme1::DruckjobID);
}

// --- Admission figures as an HTML file -------------------------------------------------

void TVorbereitungForm::HtmDateiPruefen()
{
    if (ui->ed_Htm->text().isEmpty()) {
        ui->ed_Htm->setFocus();
        throw Eingabefehler("Sie haben keine Ausgabedatei angegeben");
    }
    if (!ui->ed_Htm->text().contains('.'))
        ui->ed_Htm->setText(ui->ed_Htm->text() + ".htm");
    const QString text = ui->ed_Htm->text();
    const QString endung = text.mid(text.indexOf('.'), 99);
    if (endung.isEmpty()) {
        ui->ed_Htm->setText(text + ".htm");
    } else if (endung != ".htm") {
        ui->ed_Htm->setFocus();
        throw Eingabefehler("Sie haben eine fehlerhafte Ausgabedatei angegeben");
    }
}

void TVorbereitungForm::bt_ZulassMitHtmClick()
{
    HtmDateiPruefen();
    Zulassungsliste(Host::fMannschaft);
}

// --- The centre's lists --------------------------------------------------------------------

std::unique_ptr<Ado::TADOQuery> TVorbereitungForm::Abfrage(const QString& Sql)
{
    auto q = Datamod::DataModule1()->DynQuery(Sql, Ado::clUseServer, Ado::ltReadOnly);
    const QString teilm = Qvsettings::GetString("Speziell", "Teilmeisterschaft");
    if (Ado::TParameter* p = q->FindParam("Ident"))
        p->SetValue(Datamod::iIdent);
    for (const char* name : {"Teilmeister", "Teilm"})
        if (Ado::TParameter* p = q->FindParam(name))
            p->SetValue(teilm);
    if (!q->Active())
        q->Open();
    return q;
}

void TVorbereitungForm::Bericht(Report::TRvNDRWriter* Schreiber, const QString& Sql, const QString& Keine)
{
    Q1 = Abfrage(Sql);
    if (Q1->RecordCount() == 0) {
        Q1.reset();
        info(Keine);
        return;
    }
    Druckjob::Vorschau(*Schreiber, Ausnahme1::DruckjobID);
    Q1.reset();
}

void TVorbereitungForm::bt_FlintenClick()
{
    // "range;discipline;day;sub-championship;", or nothing when cancelled.
    const QString felder = Flinten1::Execute();
    if (felder.isEmpty())
        return;
    int pos = 1;
    const QString anlage = Schtools::FeldErmitteln(felder, pos, ';');
    const QString disziplin = Schtools::FeldErmitteln(felder, pos, ';');
    const QString tag = Schtools::FeldErmitteln(felder, pos, ';');
    const QString teilm = Schtools::FeldErmitteln(felder, pos, ';');
    Q1 = Datamod::DataModule1()->DynQuery(VorbListen::FlintenSQL(), Ado::clUseServer, Ado::ltReadOnly);
    Q1->ParamByName("Ident")->SetValue(Datamod::iIdent);
    Q1->ParamByName("Anlage")->SetValue(anlage.toInt());
    Q1->ParamByName("Disziplin")->SetValue(disziplin);
    Q1->ParamByName("Tag")->SetValue(tag.toInt());
    Q1->ParamByName("Teilmeister")->SetValue(teilm);
    Q1->Open();
    if (Q1->RecordCount() == 0) {
        Q1.reset();
        throw EHostFehler(Druckjob::KeineDatenText);
    }
    Druckjob::Vorschau(*rf_Flinten, Ausnahme1::DruckjobID);
    Q1.reset();
}

void TVorbereitungForm::bt_HinweisClick()
{
    hinweise_ = VorbListen::Hinweise();
    if (hinweise_.isEmpty()) {
        info("Es sind keine Hinweismeldungen vorhanden");
        return;
    }
    Druckjob::Vorschau(*rf_Hinweis, Ausnahme1::DruckjobID);
    hinweise_.clear();
}

void TVorbereitungForm::UnerklaerteDrucken(Report::TRvNDRWriter* Schreiber, const QString& Keine)
{
    unerklaerte_ = VorbStarterkl::Unerklaerte(*Abfrage(VorbStarterkl::StartsSQL()));
    if (unerklaerte_.isEmpty()) {
        info(Keine);
        return;
    }
    Druckjob::Vorschau(*Schreiber, Ausnahme1::DruckjobID);
}

void TVorbereitungForm::bt_DisziplinenClick()
{
    UnerklaerteDrucken(rf_Disziplinen, "Es sind keine Starts ohne Starterklärung vorhanden");
}

void TVorbereitungForm::bt_StarterklaerungClick() { Starterklaerungen(true); }

void TVorbereitungForm::bt_MahnungenClick() { Starterklaerungen(false); }

void TVorbereitungForm::Starterklaerungen(bool Disqualifikation)
{
    bStarterklaerung = Disqualifikation;
    // The letters need the sender's address; nothing is printed or marked without.
    QStringList absender;
    if (!Schtools::AbsenderErmitteln(absender))
        throw Eingabefehler("Es wurden keine Absenderdaten eingegeben");
    UnerklaerteDrucken(rf_Starterklaerung, "Für den Serienbrief sind keine Daten vorhanden");
}

// --- Files per club ---------------------------------------------------------------------------

bool TVorbereitungForm::PDFStringListeErstellen()
{
    const QString ordner = Schtools::LaufwerkHolen("Laufwerk für die Ausgabedateien", QString());
    if (ordner.isEmpty())
        return false;
    VorbDateien::VereinsEintraege(ordner);
    return true;
}

QString TVorbereitungForm::Passwortdatei(bool Fragen)
{
    if (!sPasswortdatei.isEmpty() && QFile::exists(sPasswortdatei))
        return sPasswortdatei;
    if (!Fragen)
        return {};
    const QString gewaehlt = Host::ui().chooseOpenFile("Passwortdatei einlesen", "CSV-Dateien|*.csv");
    if (!gewaehlt.isEmpty())
        sPasswortdatei = gewaehlt;
    return gewaehlt;
}

void TVorbereitungForm::bt_ZipClick()
{
    if (!PDFStringListeErstellen())
        return;
    if (Datamod::PDFStringList.Count() == 0) {
        info("Es sind keine Dateien zum komprimieren vorhanden");
        return;
    }
    // Archives of clubs with a password are encrypted with it; without a
    // password file (the prompt cancelled) none is.
    QHash<QString, QString> passwoerter;
    const QString datei = Passwortdatei(true);
    if (!datei.isEmpty()) {
        QStringList vereine;
        for (int i = 0; i < Datamod::PDFStringList.Count(); ++i)
            vereine << Datamod::PDFStringList.Objects(i)->Disziplin;
        vereine.sort();
        passwoerter = VorbDateien::Zuordnen(vereine, VorbDateien::PasswortZeilen(datei));
    }
    Datamod::DataModule1()->ZipFileErstellen(Datamod::PDFStringList, passwoerter);
    info("Die vorhandenen Dateien wurden komprimiert");
}

void TVorbereitungForm::bt_PasswortClick()
{
    // The clubs with a start in the championship, ascending.
    Datamod::PDFStringList.Clear();
    auto q = Datamod::DataModule1()->DynQuery("SELECT VereinNr\r\nFROM ERGEBNIS\r\nWHERE Ident = "
                                                  + QString::number(Datamod::iIdent) + CRLF + "GROUP BY VereinNr"
                                                  + CRLF + "ORDER BY VereinNr",
                                              Ado::clUseServer, Ado::ltReadOnly);
    QStringList vereine;
    for (q->First(); !q->Eof(); q->Next()) {
        const QString nr = q->FieldByName("VereinNr")->AsString();
        vereine << nr;
        Datamod::PDFStringList.AddObject(nr, std::make_unique<Datamod::TDisziplin>(nr));
    }
    const QString datei = Host::ui().chooseOpenFile("Passwortdatei einlesen", "CSV-Dateien|*.csv");
    if (datei.isEmpty())
        return;
    sPasswortdatei = datei;
    PDFListe = VorbDateien::PasswortZeilen(datei);
    const QString ordner = Schtools::LaufwerkHolen("Passwörter für PDF-Dateien ausgeben", QString());
    if (ordner.isEmpty())
        return;
    // A club without a line in the file gets no sheet: never another
    // club's password, and no sheet without one.
    const QHash<QString, QString> passwoerter = VorbDateien::Zuordnen(vereine, PDFListe);
    for (const QString& verein : vereine) {
        if (!passwoerter.contains(verein))
            continue;
        sVerein = verein;
        sPassword = passwoerter.value(verein);
        if (!rf_Passwoerter->Execute())
            throw EHostFehler("Das Passwortblatt für " + verein + " wurde nicht erstellt: " + rf_Passwoerter->ErrorString());
        Report::TRvRenderPDF pdf;
        pdf.SetOutputFileName(QDir(ordner).filePath(verein + "PW.PDF"));
        const bool ok = pdf.Render(rf_Passwoerter->FileName());
        // The stream holds the password: it does not stay behind.
        QFile::remove(rf_Passwoerter->FileName());
        if (!ok)
            throw EHostFehler("Das Passwortblatt für " + verein + " wurde nicht erstellt: " + pdf.ErrorString());
    }
    sVerein.clear();
    sPassword.clear();
    info("Die Password-Dateien sind erstellt");
}

// --- Hand-over to other jobs ----------------------------------------------------------------

void TVorbereitungForm::Starterliste() { Starter1::Starterliste(false); }

void TVorbereitungForm::Durchgangsliste(Host::TAuswahl Auswahl) { Durchgang1::Durchgangsliste(Auswahl); }

void TVorbereitungForm::Vollstaendigkeitsliste()
{
    // Yes: the protocol for the next organiser (mode 2), else mode 1.
    const int antwort = Pmsgdlg::qvMessageDlg(
        "Möchten Sie ein Vollständigkeitsprotokoll\r\nfür den nächsten Veranstalter ausgeben?", Host::mtInformation,
        Host::mbYes | Host::mbNo, 1);
    QString ergebnis;
    Vollst1::Vollstliste(antwort == Host::mrYes ? 2 : 1, ergebnis);
}

void TVorbereitungForm::Zusammenfassungsliste(Host::TDruckArt DruckArt, bool Pdf)
{
    Zusammen1::Zusammenfassungsliste(DruckArt, Pdf);
}

void TVorbereitungForm::Zulassungsliste(Host::TAuswahl Auswahl) { Zulassung::Zulassungsliste(Auswahl); }

void TVorbereitungForm::Einladungsliste() { Einladung1::Einladungsliste(); }

void TVorbereitungForm::AdressEtiketten() { Etiketten1::AdressEtiketten(); }

void TVorbereitungForm::StatistikListe() { Statistik1::MitarbeiterStatistik(); }

void TVorbereitungForm::Scheibenbestellung()
{
    // A cancelled question leaves the last answer: the form is printed either way.
    bBlanko = Scheiben1::Bestellung();
    scheiben_->Drucken(bBlanko, Ausnahme1::DruckjobID);
}

void TVorbereitungForm::Ausnahmegenehmigungen() { Ausnahme1::Ausnahmen(); }

// --- Unit ------------------------------------------------------------------------------------

namespace Vorbereitung1 {

TVorbereitungForm* VorbereitungForm = nullptr;

bool Erstellen()
{
    Qvform::TQuarvelForm::EinzelnZeigen(VorbereitungForm, true, nullptr, Qvform::fgNormal);
    return false;
}

void Druckfertig(int JobId) { Qvdruckvorschau::Druckfertig(Ausnahme1::DruckjobID, JobId); }

} // namespace Vorbereitung1
