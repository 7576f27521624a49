// reports1 bench: the headline documents of a generated championship, each
// timed end to end from the job's SQL to the finished PDF file.

#include "BatchHostUi.h"
#include "Verbs.h"

#include "demo/Demo.h"
#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/DisziplinInfo.h"
#include "platform/host/Qvpaths.h"
#include "platform/report/Rpfiler.h"
#include "platform/report/Rprender.h"
#include "platform/vcl/FormDriver.h"
#include "reports1/module/Einspruenge.h"
#include "reports1/results/ErgebRangfolge.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWidget>

#include <sys/resource.h>

namespace Verbs {

namespace {

// Peak resident memory of the process in MB.
double peakMb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0;
}

// Processor time of the process so far, in seconds: unlike the wall time it
// does not grow when other programs share the processor.
double prozessorZeit()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
}

struct TMessung {
    QString dokument;
    double sekunden = 0;
    double prozessor = 0;
    int seiten = 0;
    double speicherMb = 0;
};

// Each print goes to its PDF as its pages are drawn, as in batch runs; the
// time of writing it belongs to the document.
class BenchUi : public BatchHostUi {
public:
    std::unique_ptr<Report::TBatchOutput> ausgabe;
    int seiten = 0;
    QString fehler;
    void nachPdf(const QString& pdf)
    {
        ausgabe.reset();
        ausgabe = std::make_unique<Report::TBatchOutput>(pdf, QString());
        ausgabe->WriteDirectly();
    }
    void preview(const Host::PrintRequest& r) override
    {
        if (ausgabe->Write(r.file, &fehler))
            seiten = ausgabe->LastPages();
    }
    // Nothing goes to the output but the measurements (--json is read by
    // programs): a document's closing message is passed over, a warning or
    // an error makes the measurement fail, questions are answered "Ja".
    int messageDlg(const QString& text, int type, int buttons) override
    {
        if (type == Host::mtError || type == Host::mtWarning)
            fehler = text;
        return (buttons & (Host::mbYes | Host::mbNo)) ? Host::mrYes : Host::mrOk;
    }
    void showError(const QString& text, const QString&) override { fehler = text; }
};

} // namespace

int bench(const CliArgs& a)
{
    QTextStream out(stdout);
    const int starts = a.intValue("starts", 20000);
    const quint32 seed = quint32(a.intValue("seed", 1));
    const int wiederholungen = std::max(1, a.intValue("repeat", 1));

    // The championship is generated once per size and seed and kept.
    const QString ordner = QDir::tempPath() + "/reports1-bench";
    QDir().mkpath(ordner);
    const QString db = ordner + QString("/meisterschaft-%1-%2.sqlite").arg(starts).arg(seed);
    QElapsedTimer uhr;
    if (!QFile::exists(db)) {
        uhr.start();
        Demo::Options o;
        o.starts = starts;
        o.seed = seed;
        QString fehler;
        if (!Demo::CreateDatabase(db, o, true, &fehler)) {
            out << "FEHLER: " << fehler << "\n";
            return 1;
        }
        if (!a.has("json"))
            out << QString("Meisterschaft mit %1 Starts erzeugt in %2 s: %3\n").arg(starts).arg(uhr.elapsed() / 1000.0, 0, 'f', 2).arg(db);
    }
    QTemporaryDir home;
    Qvpaths::SetProgramFolder(home.path());
    // The jobs write into the championship (marks, print stamps, medal
    // counts): each run works on its own copy, so the kept file stays as
    // generated and runs side by side do not lock each other out.
    const QString kopie = home.filePath("meisterschaft.sqlite");
    if (!QFile::copy(db, kopie)) {
        out << "FEHLER: " << QString("Die Datei \"%1\" kann nicht nach \"%2\" kopiert werden").arg(db, kopie) << "\n";
        return 1;
    }

    BenchUi ui;
    ui.quiet = true;
    Host::setUi(&ui);
    QString fehler;
    if (!Datamod::DataModule1()->OpenDatabase(kopie, &fehler)) {
        out << "FEHLER: " << fehler << "\n";
        Host::setUi(nullptr);
        return 1;
    }

    QList<TMessung> messungen;
    int gerankt = 0;
    double gestoppt = -1; // set by a job that stops the clock itself
    double gestopptCpu = -1;
    double cpuStart = 0;
    // Starts both clocks again (a job whose time runs from a later point).
    const auto uhrStarten = [&] {
        uhr.restart();
        cpuStart = prozessorZeit();
    };
    const auto uhrStoppen = [&] {
        gestoppt = uhr.nsecsElapsed() / 1e9;
        gestopptCpu = prozessorZeit() - cpuStart;
    };
    // "--only" names the documents to run, separated by commas; the others
    // are left out (for profiling a single one).
    const QStringList nur = a.value("only").split(',', Qt::SkipEmptyParts);
    auto messen = [&](const QString& name, const std::function<void()>& job) {
        if (!nur.isEmpty() && !nur.contains(name, Qt::CaseInsensitive))
            return;
        TMessung m{name, 1e9, 0, 0, 0};
        for (int i = 0; i < wiederholungen; ++i) {
            Datamod::DisziplinInfoVergessen();
            ui.nachPdf(home.filePath(name + ".pdf"));
            ui.seiten = 0;
            gestoppt = -1;
            gestopptCpu = -1;
            uhrStarten();
            job();
            const double sekunden = gestoppt >= 0 ? gestoppt : uhr.nsecsElapsed() / 1e9;
            const double cpu = gestopptCpu >= 0 ? gestopptCpu : prozessorZeit() - cpuStart;
            if (sekunden < m.sekunden) {
                m.sekunden = sekunden;
                m.prozessor = cpu;
            }
            m.seiten = ui.seiten;
        }
        m.speicherMb = peakMb();
        messungen << m;
    };

    // A document is run as the user runs it: its entry procedure opens the
    // job's form, the form driver sets the controls and presses the button.
    auto einsprung = [&](const QString& name) {
        const Einspruenge::TEinsprung* e = Einspruenge::Finden(name);
        if (!e)
            fehler = "Unbekannter Einsprung " + name;
        return e;
    };
    auto fensterSchliessen = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible())
                w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };

    if (const auto* e = einsprung("Starterliste"))
        messen("Starterliste", [e] {
            Vcl::TFormDriver d;
            d.AddCtl("gb_Auswahl", "0");
            d.AddClick(e->StandardKnopf);
            d.Run([e] { e->Aufruf("false"); });
        });
    messen("Rangfolge", [&] {
        // The ranked queries of every group with place numbering, no drawing.
        Datamod::DataModule1()->DynSQL("UPDATE PDISKLA SET ErgebEing = 'X'WHERE Ident = " + QString::number(Datamod::iIdent));
        ErgebRangfolge::TErgebDaten daten;
        daten.Wettkaempfe = {Datamod::iIdent};
        daten.RangfolgeFestlegen(Datamod::iIdent);
        daten.EinzelMannschaftSQLErstellen();
        int zeilen = 0;
        for (bool weiter = daten.ErsteGruppe(2, false); weiter; weiter = daten.SucheMannschaftOderEinzel(2, false)) {
            ErgebRangfolge::TEinzelPlatz platz;
            for (daten.q_Einzel->First(); !daten.q_Einzel->Eof(); daten.q_Einzel->Next(), ++zeilen)
                platz.Naechster(*daten.q_Einzel);
            ErgebRangfolge::TMannschaftPlatz mplatz;
            for (daten.q_Mannschaft->First(); !daten.q_Mannschaft->Eof(); daten.q_Mannschaft->Next(), ++zeilen)
                mplatz.Naechster(daten.q_Mannschaft->FieldByName("Qual")->AsString());
        }
        ui.seiten = 0;
        gerankt = zeilen;
    });
    if (const auto* e = einsprung("Ergebdruck1")) {
        // The results dialog opens before the clock starts; the steps set
        // its controls, and the time runs from the button to the finished
        // output.
        auto imDialog = [&, e](const QList<QPair<QString, QString>>& schritte, const QString& knopf) {
            Vcl::TFormDriver oeffnen;
            oeffnen.Run([e] { e->Aufruf("true"); });
            QWidget* dialog = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && w->inherits("TErgebDruckForm"))
                    dialog = w;
            if (!dialog) {
                fehler = "Der Ergebnisdialog ist nicht offen";
                return;
            }
            Vcl::TFormDriver vorher;
            for (const auto& [name, wert] : schritte)
                vorher.AddCtl(name, wert);
            vorher.Play(dialog);
            Vcl::TFormDriver drucken;
            drucken.AddClick(knopf);
            uhrStarten();
            drucken.Play(dialog);
            uhrStoppen();
            fensterSchliessen();
        };
        // "Gesamtausdruck" marks every group of the championship for output.
        messen("Ergebnisliste", [&] { imDialog({{"cb_Gesamt", "true"}}, "bt_ErgOK"); });
        // The overall list of the championship (every group with results)
        // on paper, as RTF and as the web page.
        const QList<QPair<QString, QString>> gesamt = {
            {"pc_Ergebnis", "Gesamtergebnisliste"}, {"gb_Gesamt", "1"}, {"ed_GesPlatz", "3"}, {"cb_Ueberschrift", "true"}};
        messen("Gesamtliste", [&] { imDialog(gesamt, "bt_GesOK"); });
        messen("Gesamtliste RTF", [&] {
            ui.folders = {home.path()};
            imDialog(gesamt + QList<QPair<QString, QString>>{{"gb_Direkt", "2"}}, "bt_GesOK");
            if (!QFile::exists(home.filePath("ERGLISTE.RTF")))
                fehler = "Keine Gesamtergebnisliste als RTF erstellt";
        });
        messen("Gesamtliste HTML", [&] {
            imDialog({{"pc_Ergebnis", "Internet"}, {"ed_GPlatz", "3"}, {"ed_Ziel", "gesamt.htm"}}, "bt_Internet");
            if (!QFile::exists(QDir(Qvpaths::InternetFolder()).filePath("gesamt.htm")))
                fehler = "Keine Gesamtergebnisliste als HTML erstellt";
        });
    }
    if (const auto* e = einsprung("Zusammenfassungsliste")) {
        // Start cards of every start, two per page, one PDF file per club.
        messen("Startkarten je Verein", [&, e] {
            QTemporaryDir ziel;
            ui.folders = {ziel.path() + "/"};
            Datamod::PDFStringList.Clear();
            Vcl::TFormDriver d;
            d.AddClick(e->StandardKnopf);
            d.Run([e] { e->Aufruf("1,pdf"); });
            uhrStoppen();
            if (Datamod::PDFStringList.Count() == 0)
                fehler = "Keine Startkarten erstellt";
        });
    }
    Host::setUi(nullptr);
    ui.ausgabe.reset();

    for (const QString& name : nur)
        if (std::none_of(messungen.begin(), messungen.end(),
                         [&](const TMessung& m) { return m.dokument.compare(name, Qt::CaseInsensitive) == 0; }))
            fehler = "Unbekanntes Dokument: " + name;
    if (fehler.isEmpty())
        fehler = ui.fehler;
    if (!fehler.isEmpty()) {
        out << "FEHLER: " << fehler << "\n";
        return 1;
    }
    if (a.has("json")) {
        QJsonArray arr;
        for (const auto& m : messungen)
            arr.append(QJsonObject{{"document", m.dokument}, {"seconds", m.sekunden}, {"cpu_seconds", m.prozessor}, {"pages", m.seiten},
                                   {"pages_per_second", m.sekunden > 0 ? m.seiten / m.sekunden : 0},
                                   {"peak_memory_mb", m.speicherMb}});
        out << QJsonDocument(QJsonObject{{"starts", starts}, {"seed", int(seed)}, {"repeat", wiederholungen},
                                         {"ranked_rows", gerankt},
                                         {"documents", arr}})
                   .toJson(QJsonDocument::Indented);
    } else {
        out << QString("%1 Starts, Startwert %2, bestes von %3; gerankt: %4 Zeilen\n")
                   .arg(starts).arg(seed).arg(wiederholungen).arg(gerankt);
        for (const auto& m : messungen)
            out << QString("%1 %2 s (Prozessor %6 s)  %3 Seiten  %4 Seiten/s  Spitzenspeicher %5 MB\n")
                       .arg(m.dokument, -21)
                       .arg(m.sekunden, 7, 'f', 3)
                       .arg(m.seiten, 5)
                       .arg(m.sekunden > 0 ? m.seiten / m.sekunden : 0, 7, 'f', 0)
                       .arg(m.speicherMb, 6, 'f', 0)
                       .arg(m.prozessor, 6, 'f', 3);
    }
    return 0;
}

} // namespace Verbs
