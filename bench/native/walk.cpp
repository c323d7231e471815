/* Native floor of file collection: a depth-first readdir walk that stats every entry
   (what a directory search returns per entry: attributes, size, time). */
#include "timing.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

static long walk(int parent, const char* name)
{
    int fd = openat(parent, name, O_RDONLY | O_DIRECTORY);
    if (fd < 0) return 0;
    DIR* dir = fdopendir(fd);
    if (!dir) return 0;
    long count = 0;
    struct dirent* entry;
    while ((entry = readdir(dir)) != NULL) {
        if (!strcmp(entry->d_name, ".") || !strcmp(entry->d_name, "..")) continue;
        struct stat st;
        if (fstatat(fd, entry->d_name, &st, 0) != 0) continue;
        ++count;
        if (S_ISDIR(st.st_mode)) count += walk(fd, entry->d_name);
    }
    closedir(dir);
    return count;
}

int main(int argc, char** argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: walk NAME FOLDER REPS\n");
        return 2;
    }
    int reps = atoi(argv[3]);
    double* times = (double*)calloc((size_t)reps, sizeof(double));
    long count = 0;
    for (int i = 0; i < reps; ++i) {
        double start = now_seconds();
        count = walk(AT_FDCWD, argv[2]);
        times[i] = now_seconds() - start;
    }
    char note[32];
    snprintf(note, sizeof note, "entries=%ld", count);
    print_result(argv[1], times, reps, note);
    return 0;
}
