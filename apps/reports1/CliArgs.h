#pragma once
// Arguments of the command line: a verb, positional arguments and options.
// Options are "--name value" or "--name=value"; flags ("--demo", "--json")
// take no value. Repeatable options keep every value in order. Each verb
// names the options it takes; anything else is an error that names it.

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

// The options a verb takes.
struct CliOptions {
    QSet<QString> values;   // options with a value
    QSet<QString> flags;    // options without
    QSet<QString> numbers;  // value options that must be whole numbers
};

struct CliArgs {
    QString verb;
    QStringList positional;
    QMultiMap<QString, QString> options; // name without "--"
    QStringList order;                   // "name=value" in command-line order
    QString error;                       // German, naming the offending argument
    bool help = false;                   // --help or -h was given

    // args: everything after the verb.
    static CliArgs parse(const QString& verb, const QStringList& args, const CliOptions& erlaubt);

    bool has(const QString& name) const { return options.contains(name); }
    QString value(const QString& name, const QString& def = {}) const;
    QStringList values(const QString& name) const; // in command-line order
    // A number option; the parser has checked that it is one.
    int intValue(const QString& name, int def) const;
};
