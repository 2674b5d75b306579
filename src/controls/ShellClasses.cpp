#include "controls/ShellClasses.h"

#include "controls/QtAutoComplete.h"
#include "controls/ShellNamespaceList.h"
#include "platform/ComRuntime.h"

void RegisterShellClasses()
{
    CoRegisterClass(CLSID_AutoComplete, NewQtAutoComplete);
    CoRegisterClass(CLSID_ACListISF, NewShellNamespaceList);
}
