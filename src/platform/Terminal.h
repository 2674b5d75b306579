// Whether an output stream goes to a person at a terminal.
#pragma once

#include <cstdio>

bool IsTerminal(std::FILE* stream);
