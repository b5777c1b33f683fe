// A stand-in program for launching tests: writes its command line and its
// current folder, one per line, to the file named by RECORD_LAUNCH_TO.
#include <windows.h>

#include <cstdio>
#include <string>

int main()
{
    char out[MAX_PATH] = {};
    if (!::GetEnvironmentVariableA("RECORD_LAUNCH_TO", out, sizeof out))
        return 2;
    char current[MAX_PATH] = {};
    ::GetCurrentDirectoryA(sizeof current, current);
    const std::string partial = std::string(out) + ".part";
    FILE* file = std::fopen(partial.c_str(), "wb");
    if (!file)
        return 3;
    std::fprintf(file, "%s\n%s\n", ::GetCommandLineA(), current);
    std::fclose(file);
    // Appears whole or not at all for the test that waits for it.
    return ::MoveFileA(partial.c_str(), out) ? 0 : 4;
}
