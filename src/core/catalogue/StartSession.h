#pragma once
// The start of a calculation session, the same for the desktop program, the batch tool
// and the screenshot tool: the catalogue, its settings, the text mode, the version suffix
// and the required safety in force.
#include <memory>

#include "core/catalogue/Catalogue.h"

struct StartOptions {
  // The catalogue to read; none: the one the session already has, or else DBFN.db where
  // the program looks for it.
  std::shared_ptr<catalogue::Catalogue> catalogue;
  // The busy window is shown while the settings are read (the desktop program).
  bool showBusy = false;
};

// Reads the settings (a catalogue without any shows "Es wurden keine Daten gefunden!"
// and ends the program, as a database error does), decides the text mode (the last
// settings row "PrgVers"; "CusSpeVer" selects the customer text set), sets the version
// suffix and the required safety of load type 0 "ruhend" (StdSiko, in tenths). A StdSiko
// that is no number shows its description titled "sSetLayout!" and leaves the safety
// as it was. The rest of the session (results, the special roller shoe, comments) is
// left as it is: the start screen runs this every time it opens.
void startSession(Session &s, const StartOptions &options = {});
