#include "CliArgs.h"

CliArgs CliArgs::parse(const QStringList& args, const QSet<QString>& flags)
{
    CliArgs a;
    for (int i = 0; i < args.size(); ++i) {
        const QString& s = args[i];
        if (s.startsWith("--") && s.size() > 2) {
            QString name = s.mid(2), value;
            int eq = name.indexOf('=');
            if (eq >= 0) {
                value = name.mid(eq + 1);
                name = name.left(eq);
            } else if (flags.contains(name)) {
                value = "true";
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                a.error = "Die Option --" + name + " braucht einen Wert";
                return a;
            }
            a.options.insert(name, value);
            a.order << name + "=" + value;
        } else if (a.verb.isEmpty()) {
            a.verb = s;
        } else {
            a.positional << s;
        }
    }
    return a;
}

QString CliArgs::value(const QString& name, const QString& def) const
{
    QStringList v = values(name);
    return v.isEmpty() ? def : v.last();
}

QStringList CliArgs::values(const QString& name) const
{
    QStringList out;
    const QString prefix = name + "=";
    for (const QString& o : order)
        if (o.startsWith(prefix))
            out << o.mid(prefix.size());
    return out;
}

int CliArgs::intValue(const QString& name, int def) const
{
    bool ok = false;
    int v = value(name).toInt(&ok);
    return ok ? v : def;
}
