#pragma once
// Exception permits. The preparation centre records its prints here too.

namespace Ausnahme1 {

extern int DruckjobID;

} // namespace Ausnahme1
