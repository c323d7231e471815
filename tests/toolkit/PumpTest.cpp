#include <gtest/gtest.h>

#include "toolkit/Pump.h"
#include "toolkit/Timer.h"

// A timer ticks only through pumps; the throttled pump lets it through once enough time passed.
TEST(Pump, FixedPointPumpsLetTimersTick)
{
    int ticks = 0;
    Timer timer;
    timer.OnTimer = [&] { ++ticks; };
    timer.SetInterval(10);
    timer.SetEnabled(true);
    ULONGLONG start = GetTickCount64();
    while (ticks == 0 && GetTickCount64() - start < 2000) PumpAtFixedPoint();
    EXPECT_GT(ticks, 0);
}
