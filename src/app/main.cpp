// tessaline: the window program. No command line, nothing saved at exit.
#include "app/ErrorBoxDialog.h"
#include "app/TApplication.h"
#include "app/TdlImportAccess.h"
#include "platform/ComRuntime.h"

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    // Lets the desktop match the window to tessaline.desktop and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tessaline"));
    // The auto-complete edit chose its COM mode at program load.
    if (Failed(InitComObj())) return 1;
    InstallErrorBox();
    int result = 0;
    {
        TdlImportAccess window;
        window.show();
        result = application.exec();
    }
    CoUninitialize();
    return result;
}
