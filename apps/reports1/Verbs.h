#pragma once
// The verbs of the command line. Each verb is one function; later verbs are
// added to the table in Verbs.cpp.

#include "CliArgs.h"

namespace Verbs {

struct Verb {
    const char* name;
    int (*run)(const CliArgs&);
};

const Verb* find(const QString& name);
QSet<QString> flagOptions();

int message(const CliArgs& a);

} // namespace Verbs
