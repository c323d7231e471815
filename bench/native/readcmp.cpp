/* Native floor of the contents check: read two files in 32 KiB blocks and compare
   them, stopping at the first difference. Prints one RESULT line with the minimum
   and median seconds over the repetitions. */
#include "timing.h"

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

enum { BlockSize = 32768 };

static int same_contents(const char* a, const char* b)
{
    static char bufa[BlockSize], bufb[BlockSize];
    int fa = open(a, O_RDONLY), fb = open(b, O_RDONLY);
    if (fa < 0 || fb < 0) {
        perror("open");
        exit(1);
    }
    int same = 1;
    for (;;) {
        ssize_t ra = read(fa, bufa, BlockSize), rb = read(fb, bufb, BlockSize);
        if (ra < 0 || rb < 0) {
            perror("read");
            exit(1);
        }
        if (ra != rb || memcmp(bufa, bufb, (size_t)ra) != 0) {
            same = 0;
            break;
        }
        if (ra == 0) break;
    }
    close(fa);
    close(fb);
    return same;
}

int main(int argc, char** argv)
{
    if (argc != 5) {
        fprintf(stderr, "usage: readcmp NAME FILE1 FILE2 REPS\n");
        return 2;
    }
    int reps = atoi(argv[4]);
    double* times = (double*)calloc((size_t)reps, sizeof(double));
    int same = 0;
    for (int i = 0; i < reps; ++i) {
        double start = now_seconds();
        same = same_contents(argv[2], argv[3]);
        times[i] = now_seconds() - start;
    }
    print_result(argv[1], times, reps, same ? "same" : "differ");
    return 0;
}
