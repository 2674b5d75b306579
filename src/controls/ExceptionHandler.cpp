#include "controls/ExceptionHandler.h"

#include <iostream>
#include <utility>

namespace {

ApplicationExceptionHandler& Installed()
{
    static ApplicationExceptionHandler handler;
    return handler;
}

}  // namespace

void SetApplicationExceptionHandler(ApplicationExceptionHandler handler)
{
    Installed() = std::move(handler);
}

void HandleApplicationException(const std::exception& error)
{
    if (Installed())
        Installed()(error);
    else
        std::cerr << error.what() << '\n';
}
