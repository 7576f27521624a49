#pragma once
// The verbs of the command line, one function each. The table is in
// Verbs.cpp; the verbs live beside the area they serve.

#include "CliArgs.h"

class QTextStream;

namespace Verbs {

struct Verb {
    const char* name;
    int (*run)(const CliArgs&);
    QString usage;   // the verb's lines of the usage text
    CliOptions options;
};

const Verb* find(const QString& name);
// The usage text of every verb.
QString Usage();
// The options of reports1 run (also those of reports1 check run).
CliOptions RunOptions();

int message(const CliArgs& a);       // Verbs.cpp
int initDb(const CliArgs& a);        // VerbsData.cpp
int dump(const CliArgs& a);          // VerbsReport.cpp
int pdf(const CliArgs& a);           // VerbsReport.cpp
int check(const CliArgs& a);         // VerbsReport.cpp, VerbsRun.cpp
int run(const CliArgs& a);           // VerbsRun.cpp
// A job run as by run; with check each print is given to the layout check
// instead of the outputs, and any finding ends the run with status 1.
int runJob(const CliArgs& a, bool check);
int bench(const CliArgs& a);         // VerbsBench.cpp
int publish(const CliArgs& a);       // VerbsPublish.cpp
// Opens --db and chooses the championship --ident as the host does; false,
// after saying why, when that fails. VerbsRun.cpp
bool datenbankOeffnen(const CliArgs& a, QTextStream& out);

} // namespace Verbs
