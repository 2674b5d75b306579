// The window's side of the default error handler: the error box (error icon,
// OK only), titled with the application title and holding the message with
// the full-stop rule (platform/ErrorBox.h formats both).
#pragma once

#include <QString>

#include <exception>
#include <functional>

// What would be shown: the box's title and text.
using ErrorBoxHook = std::function<void(const QString& title, const QString& text)>;

// While a hook is set, ShowErrorBox hands the box to it instead of showing
// it (tests capture it this way); an empty hook shows boxes again.
void SetErrorBoxHook(ErrorBoxHook hook);

// Shows the error box for `error`, modal to the active window.
void ShowErrorBox(const std::exception& error);

// Makes ShowErrorBox the application's default handler for errors that leave
// a handler (controls/ExceptionHandler.h).
void InstallErrorBox();
