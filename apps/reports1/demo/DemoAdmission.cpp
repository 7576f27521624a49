// The admission figures of the generated championship beyond the scores
// writeParameters gives: the youth classes of the air disciplines admit
// everyone, but only so many starters and teams, so the admission list
// shows "Alle" beside a number.

#include "apps/reports1/demo/DemoGenerator.h"

namespace Demo::detail {

void Generator::writeAdmission(int id)
{
    c_.Execute("UPDATE PDISKLA SET ZulassEinzel = 0, ZulassEinzelAnz = 12, ZulassMannsch = 0, ZulassMannschAnz = 3 "
               "WHERE Ident = ? AND Disziplin IN ('110', '210') AND Klasse IN ('30', '31')",
               {id});
}

} // namespace Demo::detail
