// Switches the web engine reads once, at its start: set by the program
// before the application object, beside what the user's environment gives.
#pragma once

// WebRTC may reach no address on its own: no page of the program has a
// peer to talk to, and its connections pass every request check.
void AppendEngineSwitches();
