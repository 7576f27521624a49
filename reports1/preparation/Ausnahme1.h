#pragma once
// Exception permits: the participants of one range, competition day and
// weapon group who are younger on that day than the group's age limit.
// The preparation centre records its prints in DruckjobID too.

#include "platform/vcl/ModalForm.h"

#include <QDate>
#include <QVector>
#include <memory>

namespace Ui { class TAusnahmeForm; }
namespace Ado { class TADOQuery; }
namespace Report {
class TBaseReport;
class TRvNDRWriter;
} // namespace Report

class TAusnahmeForm : public Vcl::TModalForm {
    Q_OBJECT
public:
    TAusnahmeForm();
    ~TAusnahmeForm() override;

    Report::TRvNDRWriter* rf_Ausnahmen;

    void bt_OKClick();

    // One line of the list: a start whose participant needs a permit.
    struct TZeile {
        QString DisName, Name, Verein, Geburtstag, Durchgang, Stand, StartNr;
    };
    // The birth date of a member as the list reads it: an empty or "00"
    // day counts as the 1st; invalid when month or year cannot be read.
    static QDate Geburtsdatum(const QString& Tag, const QString& Monat, const QString& Jahrgang);
    // Whether someone born on Geburt needs a permit on Wettkampftag under
    // the stored age limit Grenze (years the day is moved by).
    static bool Ausnahme(const QDate& Wettkampftag, int Grenze, const QDate& Geburt);

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void rf_AusnahmenBeforePrint(Report::TBaseReport& Report);
    void rf_AusnahmenPrint(Report::TBaseReport& Report);

    Ui::TAusnahmeForm* ui;
    std::unique_ptr<Ado::TADOQuery> q_Anlage;
    QVector<TZeile> Zeilen; // the lines of the print
};

namespace Ausnahme1 {

extern TAusnahmeForm* AusnahmeForm;
extern int DruckjobID;

// Shows the exception permits' form modally; returns its modal result.
int Ausnahmen();

} // namespace Ausnahme1
