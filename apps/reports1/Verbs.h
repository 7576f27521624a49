#pragma once
// The verbs of the command line, one function each. The table is in
// Verbs.cpp; the verbs live beside the area they serve.

#include "CliArgs.h"

namespace Verbs {

struct Verb {
    const char* name;
    int (*run)(const CliArgs&);
};

const Verb* find(const QString& name);
QSet<QString> flagOptions();

int message(const CliArgs& a);       // Verbs.cpp
int initDb(const CliArgs& a);        // VerbsData.cpp
int dump(const CliArgs& a);          // VerbsReport.cpp
int pdf(const CliArgs& a);           // VerbsReport.cpp
int run(const CliArgs& a);           // VerbsRun.cpp
int bench(const CliArgs& a);         // VerbsBench.cpp

} // namespace Verbs
