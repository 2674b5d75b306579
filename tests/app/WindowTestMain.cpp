// The window tests run inside one application object, as the program does:
// COM initialised on the main thread, the error box installed as the default
// handler, the system code page pinned to Windows-1252 (the sample library's).
#include "app/ErrorBoxDialog.h"
#include "app/TApplication.h"
#include "platform/CodePage.h"
#include "platform/ComRuntime.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    if (Failed(InitComObj())) return 1;
    SetACP(1252);
    InstallErrorBox();
    const int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
