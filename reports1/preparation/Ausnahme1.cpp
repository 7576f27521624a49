#include "reports1/preparation/Ausnahme1.h"

namespace Ausnahme1 {

int DruckjobID = 0;

} // namespace Ausnahme1
