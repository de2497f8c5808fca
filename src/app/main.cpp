#include "runtime/QtRuntime.h"
#include "window/Appearance.h"
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

int main(int argc, char *argv[])
{
    if (displayMissing()) {
        std::fputs("quilvane: no display found; start it from a graphical desktop session.\n",
                   stderr);
        return 1;
    }
    QApplication application(argc, argv);
    Appearance::configureApplication();
    QtRuntime runtime;
    Dice dice(runtime);
    dice.show();
    return QApplication::exec();
}
