#pragma once
// Ctrl-C and the system's request to end (SIGINT and SIGTERM; the console's
// Ctrl-C, Ctrl-Break and close on Windows) are taken as a wish to stop: a
// run that waits for its encoders asks `interrupted()` and ends them itself,
// so it can remove what they were writing and say what is complete.
namespace velkart::runtime {

// From now on the requests set the flag instead of ending the program.
void catch_interruptions();
bool interrupted();
// As if the user had pressed Ctrl-C (tests); false clears it.
void set_interrupted(bool on);

}  // namespace velkart::runtime
