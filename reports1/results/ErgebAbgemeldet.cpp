#include "reports1/results/ErgebAbgemeldet.h"

#include "reports1/entries/Abmeldung1.h"

namespace ErgebAbgemeldet {

void Abgemeldetliste(bool Auswahl) { Abmeldung1::Abgemeldete(Auswahl); }

} // namespace ErgebAbgemeldet
