#pragma once

namespace decant {

// Runs the application: one instance per user, the window with its queue,
// files given on the command line opened with it. Returns the exit status.
int applicationMain(int argc, char** argv);

} // namespace decant
