// Renders the main window to PNG files for the README and for review:
// window_screenshot TABLE FOLDER writes FOLDER/window-empty.png (as it starts)
// and FOLDER/window-sample.png (with TABLE opened through the open handler).
// Run it on Qt's offscreen platform (scripts/screenshot does).
#include "app/ErrorBoxDialog.h"
#include "app/TApplication.h"
#include "app/TdlImportAccess.h"
#include "platform/ComRuntime.h"

#include <QPixmap>

#include <cstdio>

namespace {

bool Save(QWidget& window, const QString& path)
{
    QCoreApplication::processEvents();
    if (window.grab().save(path)) return true;
    std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TABLE FOLDER\n", argv[0]);
        return 2;
    }
    if (Failed(InitComObj())) return 1;
    bool failed = false;
    SetErrorBoxHook([&failed](const QString& title, const QString& text) {
        std::fprintf(stderr, "%s: %s\n", title.toLocal8Bit().constData(), text.toLocal8Bit().constData());
        failed = true;
    });
    InstallErrorBox();

    const QString table = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    WindowDialogs dialogs = QtWindowDialogs();
    dialogs.pickDatabase = [&table](QWidget*) { return table; };
    int result = 0;
    {
        TdlImportAccess window(MakeTableComponent(), dialogs);
        window.show();
        if (!Save(window, folder + "/window-empty.png")) result = 1;
        window.dxBarButton1Click();
        if (failed || !Save(window, folder + "/window-sample.png")) result = 1;
    }
    CoUninitialize();
    return result;
}
