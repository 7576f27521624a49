#pragma once
// The host's choice of the current championship.

namespace Einstell {

class TIniFile {
public:
    // The championship to work on: the one given on the command line
    // (--ident) when there is one, else the lowest Ident of ZKTMP in the open
    // database; 0 when neither exists.
    int GetIdent() const;
    void SetIdent(int ident);
    void ClearIdent();
    bool HasIdent() const { return set_; }

private:
    int ident_ = 0;
    bool set_ = false;
};

extern TIniFile IniFile;

} // namespace Einstell
