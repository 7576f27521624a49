#pragma once
// Delimited text files for other programs: a small base that asks for the
// target, quotes the fields, saves the lines and offers to open the result,
// and the export of the started participants per sub-championship, range,
// discipline and class.

#include <QString>
#include <QStringList>
#include <exception>

namespace Udateiexporte {

class TDateiExport {
public:
    TDateiExport();
    virtual ~TDateiExport();

    // The host's progress bar.
    int Fortschritt() const;
    void SetFortschritt(int wert);

    QChar QuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(QChar c) { FQuoteChar = c; }
    bool UseQuotes() const { return FUseQuotes; }
    void SetUseQuotes(bool an) { FUseQuotes = an; }
    QString Delimiter() const { return FDelimiter; }
    void SetDelimiter(const QString& d) { FDelimiter = d; }
    QString Exportname() const { return FExportname; }
    void SetExportname(const QString& n) { FExportname = n; }
    bool AusgabeInVerzeichnis() const { return FAusgabeInVerzeichnis; }
    void SetAusgabeInVerzeichnis(bool an) { FAusgabeInVerzeichnis = an; }
    QString Ausgabepfad() const { return FAusgabepfad; }
    const QStringList& Ausgabe() const { return FAusgabe; }

    // Asks for the target, runs the export and ends it; an error on the
    // way is shown in the status line and passed on.
    void Exportieren();

    // s in QuoteChar with inner QuoteChars doubled (with UseQuotes).
    QString qs(const QString& s) const;
    // The names of headerFieldNames (split at delimiter) each through qs.
    QString quoteFields(const QString& headerFieldNames, const QString& delimiter) const;

protected:
    virtual QString Namensvorschlag();
    virtual void AusgabeSpeichern();
    virtual bool ExportBeginn();
    virtual void ExportAusfuehren() = 0;
    virtual void ExportEnde(const std::exception* E);

    QStringList FAusgabe;
    QString FDelimiter;
    QChar FQuoteChar = QChar(0);
    bool FUseQuotes = false;
    QString FExportname = "Exportdatei";
    bool FAusgabeInVerzeichnis = false;
    QString FAusgabepfad;

private:
    bool sanduhr_ = false;
};

// Started participants per sub-championship, range, discipline and class of
// every championship in the database, as "<date> Startstatistik.csv".
class TStartStatistikExport : public TDateiExport {
protected:
    QString Namensvorschlag() override;
    void ExportAusfuehren() override;
};

// The statement the start statistics run, as written.
QString StartStatistikSQL();

// The results dialog's export button.
void StartStatistikExportieren();

} // namespace Udateiexporte
