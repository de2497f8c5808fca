// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/QtRuntime.h"
#include "window/Dice.h"

#include <QApplication>

#include <cstdio>

namespace {

// Without a display Qt aborts with a message about platform plugins; say plainly what is
// missing instead.
bool displayMissing()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    return qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
           qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return false;
#endif
}

} // namespace

int main(int /*argc*/, char *argv[])
{
    if (displayMissing()) {
        // Through fprintf, which a build with _FORTIFY_SOURCE checks (__fprintf_chk): the one
        // call in the program by which hardening-check can see that the release build has it.
        std::fprintf(stderr, "%s: no display found; start it from a graphical desktop session.\n",
                     "quilvane");
        return 1;
    }
    // The command line is read by nobody: Qt's own options (-stylesheet, -qwindowicon and others
    // read files) are not passed on, and the platform is chosen with QT_QPA_PLATFORM.
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    QtRuntime runtime;
    const std::unique_ptr<Dice> dice = makeProgramWindow(runtime);
    dice->show();
    return QApplication::exec();
}
