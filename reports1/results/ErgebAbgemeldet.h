#pragma once
// The page service that opens the list of deregistered and non-admitted
// starts for the dialogs' buttons; it lives beside the results dialog, as
// the page services themselves may not reach a job.

namespace ErgebAbgemeldet {

// Opens the list: the deregistered starts of the championship (Auswahl
// true) or the archive of one discipline (false).
void Abgemeldetliste(bool Auswahl);

} // namespace ErgebAbgemeldet
