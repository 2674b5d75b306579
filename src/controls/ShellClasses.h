// Registers the classes that stand in for the Windows shell's: the completion
// engine (CLSID_AutoComplete) and the namespace list (CLSID_ACListISF). The
// shell's history and recently-used lists have no counterpart here and stay
// unregistered, so creating them fails with "Class not registered".
#pragma once

void RegisterShellClasses();
