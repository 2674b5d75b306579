// The COM run time: per-thread initialisation and object creation over a
// small in-process registry of classes.
//
// On Windows the classes live in the system's registry; here the pieces that
// stand in for the shell register themselves at program load, and a class
// nobody registered fails exactly as an absent one fails there.
#pragma once

#include "platform/ComPtr.h"

#include <functional>

inline constexpr int COINIT_MULTITHREADED = 0;
inline constexpr int COINIT_APARTMENTTHREADED = 2;
inline constexpr int kCoInitModeNotChosen = -1;

// The mode in which program start-up initialises COM on the main thread;
// kCoInitModeNotChosen until some unit chooses one.
extern int CoInitFlags;

// Chooses `mode` unless a mode was chosen already (units call it at program
// load; the first choice wins).
void ChooseCoInitMode(int mode);

// Initialises COM on the calling thread: S_OK the first time, S_FALSE when
// already initialised in that mode (each success needs one CoUninitialize),
// RPC_E_CHANGED_MODE when already initialised in another.
HRESULT CoInitializeEx(void* reserved, int mode);
void CoUninitialize();

// What program start-up calls: initialises the calling thread in the chosen
// mode, apartment-threaded when none was chosen.
HRESULT InitComObj();

// Makes a new object of a class, its reference count 0 (like the platform's
// interfaced objects right after construction). Null when it cannot.
using ComClassFactory = std::function<IUnknown*()>;

// Registers (or replaces) the class; gives back the factory it replaced, empty
// if there was none, so a test can put it back.
ComClassFactory CoRegisterClass(const GUID& clsid, ComClassFactory factory);
void CoUnregisterClass(const GUID& clsid);

// Creates an object of a registered class and asks it for `iid`:
// CO_E_NOTINITIALIZED on a thread without COM, CLASS_E_NOAGGREGATION with an
// outer object, REGDB_E_CLASSNOTREG for a class not registered (or not asked
// for in-process or local), E_OUTOFMEMORY when the factory gives nothing,
// E_NOINTERFACE when the object lacks the interface (it is then freed).
HRESULT CoCreateInstance(const GUID& clsid, IUnknown* outer, DWORD context, const GUID& iid,
                         void** object);
