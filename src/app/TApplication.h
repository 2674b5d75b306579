// The application object: Qt's, with the platform's last line of defence. An
// error that some event handler failed to catch ends up in the error box
// instead of tearing down the program.
#pragma once

#include <QApplication>

class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
