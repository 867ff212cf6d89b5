// The program's start and end: the capture objects, the main window and the
// message loop, and the exit routine that releases what start-up created.
#pragma once

namespace qm {

// Creates the process-wide objects, shows the main window and runs the
// message loop until it closes; returns the exit code (0, or 1 when the
// window could not be created).
int StartUp();
// Releases what StartUp created; safe to run more than once and after a
// start-up that stopped early.
void ShutDown();

}  // namespace qm
