// A module by the print system's module's name, as anybody could leave one in a folder: loaded, it leaves
// its mark.
#include <cstdio>
#include <cstdlib>

__attribute__((constructor)) static void leaveMark() {
    if (const char* mark = std::getenv("VORNEL_PLANTED_MARK"))
        if (std::FILE* file = std::fopen(mark, "w"))
            std::fclose(file);
}
