#pragma once
// The host's settings store: values by program (the championship's name),
// user ("alle Benutzer" for shared values), section and key. Values are kept
// in the championship database, so every workstation sees the same settings.
// A key that was never written reads as "" or 0.

#include <QString>
#include <memory>

namespace Qvsettings {

class TQvSettings;

// One setting, addressed by the scope in force when it was fetched.
class TQvSetting {
public:
    TQvSetting(TQvSettings* owner, QString programm, QString benutzer, QString bereich, QString key);
    QString GetAsString() const;
    int GetAsInteger() const;
    void SetAsString(const QString& value);   // stored at once
    void SetAsInteger(int value);             // stored at once
    const QString& Key() const { return key_; }
private:
    TQvSettings* owner_;
    QString programm_, benutzer_, bereich_, key_;
};

class TQvSettings {
public:
    TQvSettings();
    virtual ~TQvSettings();

    void SetProgramm(const QString& programm) { programm_ = programm; }
    void SetBenutzer(const QString& benutzer) { benutzer_ = benutzer; }
    void SetBereich(const QString& bereich) { bereich_ = bereich; }
    const QString& Programm() const { return programm_; }
    const QString& Benutzer() const { return benutzer_; }
    const QString& Bereich() const { return bereich_; }

    // The setting Key of the current section.
    TQvSetting* GetQvSetting(const QString& key);

    // Storage, by full address. Overridden by the database-backed store.
    virtual QString Read(const QString& programm, const QString& benutzer,
                         const QString& bereich, const QString& key) const;
    virtual void Write(const QString& programm, const QString& benutzer,
                       const QString& bereich, const QString& key, const QString& value);

private:
    QString programm_, benutzer_ = "alle Benutzer", bereich_;
    std::unique_ptr<TQvSetting> last_;
    struct Memory;
    std::unique_ptr<Memory> memory_;
};

// The store in force.
TQvSettings* Settings();
// Installs another store (the database one); nullptr returns to memory.
void SetSettingsStore(std::unique_ptr<TQvSettings> store);

// Shorthands for the common read and write with the shared scope
// (program = Datamod::sVeranstaltung, user = "alle Benutzer").
QString GetString(const QString& bereich, const QString& key);
int GetInteger(const QString& bereich, const QString& key);
void SetString(const QString& bereich, const QString& key, const QString& value);
void SetInteger(const QString& bereich, const QString& key, int value);

} // namespace Qvsettings
