// The boundary between Qt's event loop and our code: exceptions must never
// travel through Qt, so every handler body runs inside RunGuarded, and what
// escapes it goes to the application's default handler (the error box).
#pragma once

#include "controls/ExceptionHandler.h"

#include <stdexcept>
#include <utility>

// Runs `body`; an exception it throws is handed to HandleApplicationException
// and goes no further. Returns whether the body ended normally.
template <class Body>
bool RunGuarded(Body&& body) noexcept
{
    try {
        std::forward<Body>(body)();
        return true;
    } catch (const std::exception& error) {
        HandleApplicationException(error);
    } catch (...) {
        // Only our own code throws, and it throws std::exceptions; anything
        // else still must not reach Qt.
        HandleApplicationException(std::runtime_error("Unknown error"));
    }
    return false;
}
