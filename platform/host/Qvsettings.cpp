#include "platform/host/Qvsettings.h"
#include "platform/host/Datamod.h"

#include <QHash>

namespace Qvsettings {

struct TQvSettings::Memory {
    QHash<QString, QString> values;
};

namespace {
QString address(const QString& p, const QString& u, const QString& b, const QString& k)
{
    return p + QChar(0x1f) + u + QChar(0x1f) + b + QChar(0x1f) + k;
}
} // namespace

TQvSetting::TQvSetting(TQvSettings* owner, QString programm, QString benutzer, QString bereich, QString key)
    : owner_(owner), programm_(std::move(programm)), benutzer_(std::move(benutzer)),
      bereich_(std::move(bereich)), key_(std::move(key))
{
}

QString TQvSetting::GetAsString() const { return owner_->Read(programm_, benutzer_, bereich_, key_); }

int TQvSetting::GetAsInteger() const
{
    bool ok = false;
    int v = GetAsString().trimmed().toInt(&ok);
    return ok ? v : 0;
}

void TQvSetting::SetAsString(const QString& value) { owner_->Write(programm_, benutzer_, bereich_, key_, value); }
void TQvSetting::SetAsInteger(int value) { SetAsString(QString::number(value)); }

TQvSettings::TQvSettings() : memory_(std::make_unique<Memory>()) {}
TQvSettings::~TQvSettings() = default;

TQvSetting* TQvSettings::GetQvSetting(const QString& key)
{
    last_ = std::make_unique<TQvSetting>(this, programm_, benutzer_, bereich_, key);
    return last_.get();
}

QString TQvSettings::Read(const QString& p, const QString& u, const QString& b, const QString& k) const
{
    return memory_->values.value(address(p, u, b, k));
}

void TQvSettings::Write(const QString& p, const QString& u, const QString& b, const QString& k, const QString& v)
{
    memory_->values.insert(address(p, u, b, k), v);
}

namespace {
std::unique_ptr<TQvSettings>& store()
{
    static std::unique_ptr<TQvSettings> s = std::make_unique<TQvSettings>();
    return s;
}
} // namespace

TQvSettings* Settings() { return store().get(); }

void SetSettingsStore(std::unique_ptr<TQvSettings> s)
{
    store() = s ? std::move(s) : std::make_unique<TQvSettings>();
}

QString GetString(const QString& bereich, const QString& key)
{
    return Settings()->Read(Datamod::sVeranstaltung, "alle Benutzer", bereich, key);
}

int GetInteger(const QString& bereich, const QString& key)
{
    bool ok = false;
    int v = GetString(bereich, key).trimmed().toInt(&ok);
    return ok ? v : 0;
}

void SetString(const QString& bereich, const QString& key, const QString& value)
{
    Settings()->Write(Datamod::sVeranstaltung, "alle Benutzer", bereich, key, value);
}

void SetInteger(const QString& bereich, const QString& key, int value)
{
    SetString(bereich, key, QString::number(value));
}

} // namespace Qvsettings
