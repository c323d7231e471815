#pragma once

// The program between the toolkit's start and the process's end: the application's
// title and help file, the main window at its stored state, and the message loop until
// the main window has closed. Returns the exit code.
int RunProgram();
