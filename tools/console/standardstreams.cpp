#include "tools/console/standardstreams.h"

#include <cstdio>
#include <fcntl.h>

#ifdef _WIN32
#include <cstdlib>
#include <io.h>
#include <windows.h>
#else
#include <csignal>
#include <unistd.h>
#endif

namespace veldor {

#ifdef _WIN32

namespace {

UINT consoleCodePageAtStart = 0;

void restoreConsoleCodePage()
{
    SetConsoleOutputCP(consoleCodePageAtStart);
}

} // namespace

void PrepareStandardStreams()
{
    // Started without a standard input, "-" would otherwise read whatever file takes its place.
    if (_get_osfhandle(0) == -1) {
        const int fd = _open("NUL", _O_RDONLY | _O_BINARY);
        if (fd > 0) {
            _dup2(fd, 0);
            _close(fd);
        }
    }
    // The C library turns "\n" into "\r\n" and stops reading at ^Z in text mode: a scenario
    // piped through would lose its bytes, and the output would differ from the Linux build's.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // The messages are UTF-8; a console shows them in its own code page unless told otherwise.
    // The console outlives the program, so its code page is given back at exit.
    const UINT codePage = GetConsoleOutputCP();
    if (codePage != 0 && codePage != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
        consoleCodePageAtStart = codePage;
        std::atexit(restoreConsoleCodePage);
    }
    // Windows has no SIGPIPE: a write to a closed pipe already fails with EPIPE/EINVAL.
}

#else

void PrepareStandardStreams()
{
    // Started with descriptor 0 closed, the first file Qt opens would take its number, and "-"
    // would read that instead of an empty input.
    if (::fcntl(STDIN_FILENO, F_GETFD) == -1)
        ::open("/dev/null", O_RDONLY);
    // A reader that goes away is a failed write to report, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
}

#endif

} // namespace veldor
