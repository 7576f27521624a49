#include "CliArgs.h"

CliArgs CliArgs::parse(const QString& verb, const QStringList& args, const CliOptions& erlaubt)
{
    CliArgs a;
    a.verb = verb;
    auto fehler = [&](const QString& text) {
        if (a.error.isEmpty())
            a.error = text;
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString& s = args[i];
        if (s == "--help" || s == "-h") {
            a.help = true;
            continue;
        }
        if (!s.startsWith("--") || s.size() <= 2) {
            if (s.startsWith('-') && s.size() > 1)
                fehler("Unbekannte Option " + s);
            else
                a.positional << s;
            continue;
        }
        QString name = s.mid(2), value;
        const int eq = int(name.indexOf('='));
        const bool mitWert = eq >= 0;
        if (mitWert) {
            value = name.mid(eq + 1);
            name = name.left(eq);
        }
        if (erlaubt.flags.contains(name)) {
            if (mitWert) {
                fehler("Die Option --" + name + " nimmt keinen Wert");
                continue;
            }
            value = "true";
        } else if (erlaubt.values.contains(name)) {
            if (!mitWert) {
                if (i + 1 >= args.size()) {
                    fehler("Die Option --" + name + " braucht einen Wert");
                    continue;
                }
                value = args[++i];
            }
            if (erlaubt.numbers.contains(name)) {
                bool ok = false;
                value.trimmed().toInt(&ok);
                if (!ok)
                    fehler("Die Option --" + name + " braucht eine ganze Zahl, nicht \"" + value + "\"");
            }
        } else {
            fehler("Unbekannte Option --" + name);
            continue;
        }
        a.options.insert(name, value);
        a.order << name + "=" + value;
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
    const int v = value(name).trimmed().toInt(&ok);
    return ok ? v : def;
}
