#pragma once
// The host's selection codes that windows hand to the print jobs they start.

namespace Host {

// What a multi-purpose job dialog is opened for; each job gives the values
// it takes a meaning of its own.
enum TAuswahl {
    fDurchgang = 0,
    fErgEingabe = 1,
    fMannschaft = 2,
    fEtikettenM = 3,
    fEtikettenL = 4,
    fTeilnehmer = 5,
    fMitarbeiter = 6,
    fAuszahlung = 7,
    fMEtiketten = 8,
};

// The kind of start document.
enum TDruckArt {
    daEineStartkarte = 0,
    daZweiStartkarten = 1,
    daDreiStartkarten = 2,
    daVierStartkarten = 3,
    daStartzusammenfassung = 4,
    daMitarbeiteruebersicht = 5,
    daMitarbeiterBestaetigung = 6,
    daStartzusammenfassungKreis = 7,
    daSchusszettel = 8,
};

} // namespace Host
