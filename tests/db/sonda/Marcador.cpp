// A library that, once loaded into a process, leaves a marker file (named by
// TA_MARCADOR): planted where the engine looks for its libraries, the marker
// tells whether the engine loaded it.

#include <cstdio>
#include <cstdlib>

__attribute__((constructor)) static void deixarMarcador() {
    if (const char* marker = std::getenv("TA_MARCADOR"))
        if (FILE* file = std::fopen(marker, "w")) std::fclose(file);
}
