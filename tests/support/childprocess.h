#pragma once

#include <QProcess>

#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>
#include <functional>

// A process a test starts ends with the test, however the test ends: a failed check, an abort,
// QtTest's watchdog or ctest's timeout. Left running, it would hold a port, a database or
// ctest's output pipe, and ctest would wait for it. `alsoInChild` runs in the child before its
// program starts, as a child process modifier would.
inline void endWithThisProcess(QProcess &process, std::function<void()> alsoInChild = {})
{
    const pid_t parent = ::getpid();
    process.setChildProcessModifier([parent, alsoInChild] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        // The test may have ended between the fork and the line above.
        if (::getppid() != parent)
            ::_exit(1);
        if (alsoInChild)
            alsoInChild();
    });
}
