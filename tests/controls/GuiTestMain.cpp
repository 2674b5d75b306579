// The GUI tests run inside one QApplication, on a thread with COM initialised
// as program start-up does it, and with the locale pinned so that the list
// order does not depend on the machine.
#include "platform/ComRuntime.h"

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    if (Failed(InitComObj())) return 1;
    const int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
