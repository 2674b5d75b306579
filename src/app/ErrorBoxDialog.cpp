#include "app/ErrorBoxDialog.h"

#include "controls/ExceptionHandler.h"
#include "platform/ErrorBox.h"

#include <QApplication>
#include <QMessageBox>

#include <utility>

namespace {

ErrorBoxHook& InstalledHook()
{
    static ErrorBoxHook hook;
    return hook;
}

}  // namespace

void SetErrorBoxHook(ErrorBoxHook hook) { InstalledHook() = std::move(hook); }

void ShowErrorBox(const std::exception& error)
{
    // The program never sets a title of its own: the executable's name is it.
    const QString title = QString::fromStdString(
        ApplicationTitle(QCoreApplication::applicationFilePath().toStdString()));
    // Our messages are UTF-8: file names are native paths, table text was
    // decoded before it went into a message.
    const QString text = QString::fromStdString(ErrorBoxMessage(error.what()));
    if (InstalledHook()) {
        InstalledHook()(title, text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void InstallErrorBox() { SetApplicationExceptionHandler(ShowErrorBox); }
