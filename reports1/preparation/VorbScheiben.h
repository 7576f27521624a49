#pragma once
// The target order form: one ruled row per article with the quantity
// ordered (rounded up to whole packs), the article number and name, the
// smallest pack and the carton size; under a head addressed to the
// association and over a foot with the orderer, the invoice address, the
// delivery date and the legend of the marks. Blank (every article that is
// offered, no quantities, no addresses) or filled from the championship's
// planned targets.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QObject;
namespace Ado {
class TADOQuery;
class TDataSet;
} // namespace Ado
namespace Report {
class TBaseReport;
class TRvNDRWriter;
} // namespace Report

namespace VorbScheiben {

// The articles of the form: the planned targets of the championship
// (parameter :Ident) or, blank, every article offered (Sort below 100).
QString ScheibenSQL(bool Blanko);

// The quantity ordered of Menge when the smallest pack holds Packung:
// raised to the next whole pack when it is not one already.
int Bestellmenge(int Menge, int Packung);

// The marks of a planned row: "P" sighting target, "SN" numbered
// consecutively (with the numbers), "K", "L", "SE" kneeling, prone and
// standing symbol, "M" scoring target. Empty on the blank form.
QString Kennzeichen(Ado::TDataSet& q);

// The settings a filled form needs: the association's postcode, town and
// fax, the orderer's postcode and town, and with "Check" = "N" the
// invoice address's postcode and town. Raises the error "Wichtige
// Adressfelder wurden nicht ausgefüllt." when one is empty.
void AdressenPruefen();

// Draws the form over the rows of q, Seiten pages in all (0: unknown, the
// head and foot then leave the count to be written in); Fortschritt, when
// given, hears of each row.
void ScheibenPrint(Report::TBaseReport& Report, Ado::TDataSet& q, bool Blanko, int Seiten,
                   const std::function<void(int)>& Fortschritt = {});

// The form of the preparation centre: its writer rf_Scheiben and the run
// from the question's answer to the preview.
class TScheibenBestellung {
public:
    explicit TScheibenBestellung(QObject* Owner);
    ~TScheibenBestellung();

    Report::TRvNDRWriter* rf_Scheiben;

    // Checks, reads the articles and hands the form to the preview (its id
    // to DruckjobID); tells the user when there is nothing to order and,
    // afterwards, when quantities were raised to whole packs.
    void Drucken(bool Blanko, int& DruckjobID);

private:
    std::unique_ptr<Ado::TADOQuery> Q1;
    bool blanko_ = false;
    int seiten_ = 0;
};

// The question, then the form: what the centre's button does, for the
// command line without the centre.
void Scheibenbestellung(int& DruckjobID);

} // namespace VorbScheiben
