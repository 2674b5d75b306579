// What the platform's default handler shows for an error that no handler
// caught: the window puts it in an error box, the command line prints it.
#pragma once

#include <string>
#include <string_view>

// The application title the platform forms from the executable's file name:
// folder removed, cut at the first ".", every character after the first in
// lower case ("/usr/bin/Tessaline.bin" gives "Tessaline").
std::string ApplicationTitle(std::string_view executablePath);

// The message with a full stop appended when it is not empty and its last
// character comes after "." in character order: none after a space, "!",
// ")", "," or ".".
std::string ErrorBoxMessage(std::string_view message);
