// Renders the program icon (drawn in AppIcons.cpp) to PNG files for the
// desktop's icon theme: icon-export FOLDER SIZE... writes FOLDER/SIZE/tessaline.png.
#include "app/AppIcons.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FOLDER SIZE...\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = std::stoi(argv[i]);
        const QString sub = folder + "/" + QString::number(size);
        if (!QDir().mkpath(sub) || !RenderProgramIcon(size).save(sub + "/tessaline.png")) {
            std::fprintf(stderr, "cannot write %s/tessaline.png\n", sub.toLocal8Bit().constData());
            return 1;
        }
    }
    return 0;
}
