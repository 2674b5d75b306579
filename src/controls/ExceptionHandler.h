// Where errors go that arise inside the window system's event handling, which
// must not let them through: the platform's default handler. The window
// installs one that shows an error box; until then the text goes to standard
// error.
#pragma once

#include <exception>
#include <functional>

using ApplicationExceptionHandler = std::function<void(const std::exception&)>;

// Installs the handler; an empty one goes back to standard error.
void SetApplicationExceptionHandler(ApplicationExceptionHandler handler);
void HandleApplicationException(const std::exception& error);
