#pragma once
// Arguments of the command line: a verb, positional arguments and options.
// Options are "--name value" or "--name=value"; flags ("--demo", "--json")
// take no value. Repeatable options keep every value in order.

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

struct CliArgs {
    QString verb;
    QStringList positional;
    QMultiMap<QString, QString> options; // name without "--"
    QStringList order;                   // "name=value" in command-line order
    QString error;

    // Flags are the options that take no value.
    static CliArgs parse(const QStringList& args, const QSet<QString>& flags);

    bool has(const QString& name) const { return options.contains(name); }
    QString value(const QString& name, const QString& def = {}) const;
    QStringList values(const QString& name) const; // in command-line order
    int intValue(const QString& name, int def) const;
};
