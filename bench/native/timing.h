/* Wall-clock timing and the RESULT line shared by the native floor programs. */
#pragma once
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static inline double now_seconds(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (double)ts.tv_sec + (double)ts.tv_nsec / 1e9;
}

static inline int compare_doubles(const void* a, const void* b)
{
    double x = *(const double*)a, y = *(const double*)b;
    return (x > y) - (x < y);
}

/* RESULT <name> <min seconds> <median seconds> <note> */
static inline void print_result(const char* name, double* times, int reps, const char* note)
{
    qsort(times, (size_t)reps, sizeof(double), compare_doubles);
    double median = reps % 2 ? times[reps / 2] : (times[reps / 2 - 1] + times[reps / 2]) / 2;
    printf("RESULT %s %.6f %.6f %s\n", name, times[0], median, note);
}
