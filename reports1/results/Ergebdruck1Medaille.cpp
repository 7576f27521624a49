// The results dialog's medal page: the medal table counted, printed or
// shown as a bar and a pie chart, and the charts saved as PNG or PDF.

#include "reports1/results/Ergebdruck1.h"
#include "ui_Ergebdruck1.h"

#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Guard.h"
#include "platform/host/HostUi.h"
#include "platform/host/Qvsettings.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/results/ErgebMedaille.h"

#include <QFileInfo>
#include <QLayout>

namespace {

ErgebMedaille::TOptionen optionen(bool einzel, bool mannschaft, bool bildschirm, int verband, int art)
{
    ErgebMedaille::TOptionen o;
    o.Einzel = einzel;
    o.Mannschaft = mannschaft;
    o.Bildschirm = bildschirm;
    o.Verband = verband;
    o.Art = art;
    return o;
}

// Replaces the chart in a panel.
QWidget* einsetzen(QWidget* panel, QWidget* diagramm)
{
    QLayout* l = panel->layout();
    while (QLayoutItem* i = l->takeAt(0)) {
        delete i->widget();
        delete i;
    }
    l->addWidget(diagramm);
    return diagramm;
}

// Where the command line wants the charts written ("" = nowhere).
QString& diagrammDatei()
{
    static QString datei;
    return datei;
}

} // namespace

namespace Ergebdruck1 {

void DiagrammAusgabe(const QString& Datei) { diagrammDatei() = Datei; }

} // namespace Ergebdruck1

void TErgebDruckForm::MedaillenspiegelEinrichten()
{
    rf_Medaillenspiegel = Druckjob::Listenschreiber(this, "rf_Medaillenspiegel", "Medaillenspiegel");
    rf_Medaillenspiegel->OnPrint = [this](Report::TBaseReport& r) {
        ErgebMedaille::TabelleDrucken(r, optionen(medaillen_.Einzel, medaillen_.Mannschaft, false, medaillen_.Verband,
                                                  medaillen_.Art));
    };
    ui->gb_MAuswahl->SetItems({"Gold", "Silber", "Bronze"});
    ui->gb_MAuswahl->SetItemIndex(0);
    const auto klick = &QAbstractButton::clicked;
    Host::Connect(ui->bt_Erstellen, klick, this, &TErgebDruckForm::bt_ErstellenClick);
    Host::Connect(ui->bt_Kuchen, klick, this, [this] { ui->pc_Ergebnisse->setCurrentWidget(ui->ts_Kuchen); });
    Host::Connect(ui->gb_MAuswahl, &Vcl::TRadioGroup::Click, this, [this] { DiagrammeZeigen(); });
    auto speichern = [this](QWidget* panel) {
        const QString datei = Host::ui().chooseSaveFile("Diagramm speichern", "Medaillenspiegel.pdf",
                                                        "PDF-Dateien|*.pdf|PNG-Bilder|*.png", "pdf");
        if (datei.isEmpty() || !panel->layout()->count())
            return;
        QString fehler;
        if (!ErgebMedaille::DiagrammSpeichern(panel->layout()->itemAt(0)->widget(), datei, &fehler))
            throw EHostFehler(fehler);
    };
    Host::Connect(ui->bt_SpeichernSpiegel, klick, this, [=, this] { speichern(ui->pn_Spiegel); });
    Host::Connect(ui->bt_SpeichernKuchen, klick, this, [=, this] { speichern(ui->pn_Kuchen); });
}

void TErgebDruckForm::bt_ErstellenClick()
{
    if (!ui->cb_Einzel->isChecked() && !ui->cb_Mannschaft->isChecked()) {
        ui->cb_Einzel->setFocus();
        throw Eingabefehler("Es wurde keine Auswahl getroffen");
    }
    medaillen_ = {ui->cb_Einzel->isChecked(), ui->cb_Mannschaft->isChecked(), ui->rb_Bildschirm->isChecked(),
                  Datamod::iVerband, Qvsettings::GetInteger("Allgemein", "VeranstaltungsArt")};
    const auto o = optionen(medaillen_.Einzel, medaillen_.Mannschaft, medaillen_.Bildschirm, medaillen_.Verband,
                            medaillen_.Art);
    const bool gezaehlt = ErgebMedaille::Zaehlen(Datamod::iIdent, o);
    Druckjob::Ende();
    if (!gezaehlt)
        return;
    if (!medaillen_.Bildschirm) {
        Druckjob::Vorschau(*rf_Medaillenspiegel, Ergebdruck1::DruckjobID);
        return;
    }
    ui->pc_Ergebnisse->setCurrentWidget(ui->ts_Spiegel);
    DiagrammeZeigen();
    // The command line writes both charts: the bars to its file, the pie
    // of the chosen medal beside it with "-2" before the extension.
    if (const QString datei = diagrammDatei(); !datei.isEmpty()) {
        const QFileInfo f(datei);
        const QString zweite = f.path() + "/" + f.completeBaseName() + "-2." + f.suffix();
        QString fehler;
        if (!ErgebMedaille::DiagrammSpeichern(ui->pn_Spiegel->layout()->itemAt(0)->widget(), datei, &fehler)
            || !ErgebMedaille::DiagrammSpeichern(ui->pn_Kuchen->layout()->itemAt(0)->widget(), zweite, &fehler))
            throw EHostFehler(fehler);
    }
}

void TErgebDruckForm::DiagrammeZeigen()
{
    const auto o = optionen(medaillen_.Einzel, medaillen_.Mannschaft, true, medaillen_.Verband, medaillen_.Art);
    einsetzen(ui->pn_Spiegel, ErgebMedaille::BalkenDiagramm(o, ui->pn_Spiegel));
    einsetzen(ui->pn_Kuchen, ErgebMedaille::KuchenDiagramm(o, ui->gb_MAuswahl->ItemIndex(), ui->pn_Kuchen));
}
