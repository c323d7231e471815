#pragma once

// Processes every pending window message once, so windows repaint, timers tick and
// buttons can be pressed while a long operation runs on the only thread.
void ProcessMessages();

// Called by long operations at their fixed points. A pump costs a server round trip
// under Wine (tens of microseconds), so it only pumps when about 20 ms have passed
// since the last pump: windows still repaint and a cancel is seen at the next point.
void PumpAtFixedPoint();

// Makes the next fixed point pump at once (used at the start of an operation).
void ResetPumpThrottle();
