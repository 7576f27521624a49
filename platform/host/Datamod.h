#pragma once
// The host's data module: the connection to the championship database, the
// current championship and the services jobs call through DataModule1().

#include "platform/ado/Ado.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace Datamod {

// A host object that carries one key, such as the club number that belongs
// to a file of PDFStringList.
class TDisziplin {
public:
    explicit TDisziplin(QString disziplin = {}) : Disziplin(std::move(disziplin)) {}
    QString Disziplin;
};

// A list of texts, each with an object it owns (the host's string list
// with objects).
class TObjectStringList {
public:
    void Clear() { items_.clear(); }
    int Add(const QString& s) { return AddObject(s, nullptr); }
    int AddObject(const QString& s, std::unique_ptr<TDisziplin> object);
    int Count() const { return int(items_.size()); }
    QString Strings(int i) const { return items_.at(size_t(i)).first; }
    TDisziplin* Objects(int i) const { return items_.at(size_t(i)).second.get(); }
    QStringList ToStringList() const;

private:
    std::vector<std::pair<QString, std::unique_ptr<TDisziplin>>> items_;
};

class TDataModule1 : public QObject {
    Q_OBJECT
public:
    TDataModule1();
    ~TDataModule1() override;

    // The user confirms (or chooses) the championship's organiser.
    bool VeranstalterAuswaehlen();

    // Opens the championship database: an SQLite file or a "postgres://" URL.
    // Installs the database's settings store and sets iIdent (Einstell),
    // sVeranstaltung (the championship's name in ZKTMP) and iVerband
    // (setting Allgemein/Verband). False with a message when it fails.
    bool OpenDatabase(const QString& fileOrUrl, QString* error = nullptr);
    void CloseDatabase();
    bool DatabaseOpen() const;
    // Makes another championship of the open database the current one:
    // iIdent, sVeranstaltung and iVerband follow it.
    void SetCurrentChampionship(int ident);
    Ado::TADOConnection* Connection() const { return connection_.get(); }

    // A new query on the database, opened at once unless its text has
    // parameters (then the caller sets them and calls Open). Freed by the caller.
    std::unique_ptr<Ado::TADOQuery> DynQuery(const QString& sql, Ado::TCursorLocation location = Ado::clUseServer,
                                             Ado::TLockType lock = Ado::ltUnspecified);
    // Runs a statement.
    void DynSQL(const QString& sql);
    // A client dataset filled from the statement (opened unless it has
    // parameters); readOnly refuses edits.
    std::unique_ptr<Ado::TClientDataSet> DynCLDS(const QString& sql, bool readOnly);

    // Copies the report file named in sDruckPfad into the folder
    // "Daten/Archiv" with the time of archiving in its name
    // ("Starterliste_20250308-141502-317.ndr"), written under a temporary
    // name and renamed when complete. Nothing happens without a file.
    // False with the German reason in fehler when the copy could not be
    // made; the print itself is not touched either way. The archive keeps the
    // newest ArchivHoechstzahl copies within ArchivHoechstgroesse bytes.
    bool DruckdateiSpeichern(QString* fehler = nullptr);
    static constexpr int ArchivHoechstzahl = 200;
    static constexpr qint64 ArchivHoechstgroesse = qint64(1) << 30; // 1 GiB
    // The archived copy of the last DruckdateiSpeichern ("" when none).
    QString LetzteArchivdatei() const { return lastArchive_; }
    // Removes the oldest files of folder until at most hoechstzahl files
    // within hoechstgroesse bytes are left.
    static void ArchivBegrenzen(const QString& folder, int hoechstzahl = ArchivHoechstzahl,
                                qint64 hoechstgroesse = ArchivHoechstgroesse);

    // Records one re-registration of a team of the current championship:
    // its count EMANNSCH.Ummeldung (which the invoices charge) goes up by
    // one. Zusatz is kept for the host's other callers and not stored.
    void UmmeldungSpeichern(const QString& VereinNr, const QString& Disziplin, const QString& Klasse,
                            const QString& MannschNr, const QString& Zusatz);

    // Packs each entry of Liste (a file or a folder, with a TDisziplin
    // holding its club number) into an archive of its own beside it,
    // "<entry>.zip", a folder with everything below it. When Passwoerter
    // holds a password for the entry's club, every file of its archive is
    // encrypted with AES-256 under it. Each archive is written under a
    // temporary name and renamed when complete. Returns the archives
    // written; an entry that holds no file gives none.
    QStringList ZipFileErstellen(const TObjectStringList& Liste, const QHash<QString, QString>& Passwoerter);

private:
    std::unique_ptr<Ado::TADOConnection> connection_;
    QString lastArchive_;
};

TDataModule1* DataModule1();

// Host variables.
extern int iIdent;               // the current championship
extern QString sVeranstaltung;   // its name: the settings' program scope
extern QString sDruckPfad;       // the report file to archive next
extern int iVerband;             // federation: 0 BSV, 1 PSSB, 2 ZKT, 3 BSSB (setting Allgemein/Verband)
extern TObjectStringList PDFStringList; // files made per club, each with a TDisziplin holding the club number

// Display names of the federations, chosen by iVerband.
extern QString BSV;
extern QString PSSB;
extern QString ZKT;
extern QString BSSB;
QString VerbandName(int verband); // "" for other values

// Switches of the host data module that jobs read or set.
extern bool bVerbandTitel;       // print the federation's name in page headers of higher levels
                                 // (setting Allgemein/VerbandTitel = "J", read with the championship)
extern bool bDSB;                // the overall list is produced in the national federation's form
extern QString sTeilmeisterschaft; // the current sub-championship, copied in by the preparation centre

} // namespace Datamod
