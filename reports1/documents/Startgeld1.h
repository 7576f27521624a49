#pragma once
// The entry-fee workplace of a championship: the two free texts printed on
// invoices, a general fee per club, clearing all fees, the three invoice
// documents, and the direct debit of the clubs' fees with its accompanying
// sheet.

#include "platform/host/Qvform.h"

#include <QStringList>
#include <memory>

namespace Ui { class TStartgeldForm; }
namespace Ado {
class TADOQuery;
class TDataSet;
} // namespace Ado
namespace Report {
class TBaseReport;
class TRvNDRWriter;
} // namespace Report
class QPlainTextEdit;

class TStartgeldForm : public Qvform::TQuarvelForm {
    Q_OBJECT
public:
    TStartgeldForm();
    ~TStartgeldForm() override;

    std::unique_ptr<Ado::TADOQuery> q_Verein; // EVEREIN, the clubs and their fees
    Report::TRvNDRWriter* rf_Bankeinzug;

    // --- Handlers ---------------------------------------------------------
    void mo_StartgeldExit();
    void mo_AbsenderExit();
    void cb_TeilmClick();
    void bt_StartgClick();
    void bt_StgLoeschenClick();
    void bt_StartgDruckClick();
    void bt_RechnungEClick();
    void bt_RechnungDClick();
    void bt_BankeinzugClick();
    void bt_SaveClick();
    void bt_AusgebenClick();
    void bt_AusgZurueckClick();

    // What the invoices read from the window: the restriction to the
    // current sub-championship, the closing text and the sender.
    bool Teilm() const;
    QStringList StartgeldText() const;
    QStringList AbsenderText() const;
    Ado::TDataSet* Vereine() const;

    // The accompanying sheet of the debit files (two pages: the exchange
    // file's and the SEPA file's), from the five result texts.
    void rf_BankeinzugPrint(Report::TBaseReport& Report);

protected:
    void FormShow() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void VereineLesen();
    void MemoSchreiben(QPlainTextEdit* memo, int Hoechstens, const QString& Datei);

    Ui::TStartgeldForm* ui;
    QString sOrdner;         // the target folder of the debit files
    QStringList Ergebnis;    // the five result texts of the debit
};

namespace Startgeld1 {

extern TStartgeldForm* StartgeldForm;
extern int DruckjobID;

// The window's text files in the data folder.
inline const QString StartgDatei = QStringLiteral("STARTG.DAT");
inline const QString AbsenderDatei = QStringLiteral("ABSENDER.DAT");
// The closing text's limit: more lines are refused.
inline constexpr int StartgeldZeilen = 10;

bool Erstellen();
void Druckfertig(int JobId);
void Finalization();

} // namespace Startgeld1
