#pragma once
// Datasets and the database connection, in one include.
//
// Statements are run as written; the one place that adapts the text per
// engine is AdaptSql (SQLite: unchanged; PostgreSQL: see there). Errors are
// thrown as Ado::EDatenfehler with a German message (AdoError.h).

#include "platform/ado/AdoClientDataSet.h"
#include "platform/ado/AdoConnection.h"
#include "platform/ado/AdoDataSet.h"
#include "platform/ado/AdoError.h"
#include "platform/ado/AdoField.h"
#include "platform/ado/AdoQuery.h"
#include "platform/ado/AdoSql.h"
#include "platform/ado/AdoTable.h"
#include "platform/ado/AdoTypes.h"
