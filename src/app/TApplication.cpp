#include "app/TApplication.h"

#include "app/HandlerGuard.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    // Our handlers catch at their own boundary (RunGuarded); this only catches
    // what a Qt virtual we override might still let out.
    bool handled = false;
    RunGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
