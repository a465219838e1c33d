#pragma once
// Gamepads at the party: pad n plays lane n (race screen), A or Start closes a message box as
// Return does, Start on the results screen runs the same players again, and the entry screen
// marks the players whose pads are connected.
#include "pads/pads.h"

struct Forms;

void playWithPads(pads::Pads&, Forms&);
