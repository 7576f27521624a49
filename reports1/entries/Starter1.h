#pragma once
// The start list: starts per discipline and class with totals per
// discipline, per range and overall.

#include "platform/vcl/ModalForm.h"

#include <QStringList>
#include <QVector>
#include <memory>

namespace Ui { class TStarterForm; }
namespace Ado { class TADOQuery; }
namespace Report {
class TBaseReport;
class TRvNDRWriter;
class TRTFFiler;
} // namespace Report

class TStarterForm : public Vcl::TModalForm {
    Q_OBJECT
public:
    TStarterForm();
    ~TStarterForm() override;

    Report::TRvNDRWriter* rf_Starterliste;
    Report::TRTFFiler* rtf_Starterliste;

    void bt_OKClick();
    // Draws the body on either output's surface.
    void StartListe(Report::TBaseReport& Report);

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void rf_StarterlisteBeforePrint(Report::TBaseReport& Report);
    void rf_StarterlistePrint(Report::TBaseReport& Report);
    void rf_StarterlisteAfterPrint(Report::TBaseReport& Report);
    void rtf_StarterlisteBeforePrint(Report::TBaseReport& Report);
    void rtf_StarterlistePrint(Report::TBaseReport& Report);

    Ui::TStarterForm* ui;
    std::unique_ptr<Ado::TADOQuery> Q1;
    // The groups of the list in order: range (order 1 only), discipline, class.
    struct TStarterGruppe {
        QString Anlage, Disziplin, Klasse;
        bool operator==(const TStarterGruppe&) const = default;
    };
    QVector<TStarterGruppe> StarterListen;
    QString sLaufwerk;
    int iAuswahl = 0;         // the order chosen at OK
    bool bAlleTeilm = false;  // all sub-championships
    bool bMitTab = false;
};

namespace Starter1 {

extern TStarterForm* StarterForm;
extern bool bAuswahl;
extern int DruckjobID;

// Shows the start list's form modally; returns its modal result.
int Starterliste(bool Auswahl);

} // namespace Starter1
