// Prints the ANSI code page this process was given; built with the program's own manifest.
#include <cstdio>
#include <windows.h>

int main()
{
    std::printf("%u\n", GetACP());
    return 0;
}
