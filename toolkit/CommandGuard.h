#pragma once
#include <windows.h>

#include <new>

// What follows when memory runs out inside the handling of a message: the windows the
// failed command disabled come back (all but the owners of what is still modal), and the
// application-wide error report says so.
void RecoverFromOutOfMemory();

// Runs the handling of one message of the toolkit's windows. An exception must not
// leave through the platform's frames, so an out-of-memory ends here.
template <typename Handling> LRESULT Guarded(Handling&& handling)
{
    try {
        return handling();
    } catch (const std::bad_alloc&) {
        RecoverFromOutOfMemory();
        return 0;
    }
}
