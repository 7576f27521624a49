#pragma once
// The report output library in one include.

#include "platform/report/Rpbars.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpdefine.h"
#include "platform/report/Rpfiler.h"
#include "platform/report/Rplabel.h"
#include "platform/report/Rplayout.h"
#include "platform/report/Rppdf.h"
#include "platform/report/Rprender.h"
#include "platform/report/Rpstream.h"
