#include "fixtures/QtApp.h"
#include "ui/QtShell.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The pause between two names of a Sage 200 file: timers and painting go on, clicks do not.
TEST(QtShellWait, APauseLetsTheEventLoopRunItsTimers) {
    fixtures::QtApp();
    ui::QtShell shell;
    int timers = 0;
    QTimer::singleShot(0, [&] { ++timers; });
    QTimer::singleShot(5, [&] { ++timers; });
    shell.Esperar(60);
    EXPECT_EQ(timers, 2);
}

} // namespace
