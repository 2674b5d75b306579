// The scalar types and result codes of COM, the platform's object model.
//
// Only what the auto-complete edit needs of it: results are 32-bit values
// whose sign bit marks a failure, success codes other than S_OK carry news
// (S_FALSE: "done, but fewer than asked").
#pragma once

#include <cstdint>

using HRESULT = int32_t;
using ULONG = uint32_t;
using DWORD = uint32_t;
using BOOL = int32_t;

// The native edit window an auto-complete object attaches to. Opaque here; the
// window layer knows what it points at.
using HWND = void*;

constexpr HRESULT ResultFromBits(uint32_t bits) { return static_cast<HRESULT>(bits); }

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = ResultFromBits(0x80004001);
inline constexpr HRESULT E_NOINTERFACE = ResultFromBits(0x80004002);
inline constexpr HRESULT E_POINTER = ResultFromBits(0x80004003);
inline constexpr HRESULT E_FAIL = ResultFromBits(0x80004005);
inline constexpr HRESULT E_OUTOFMEMORY = ResultFromBits(0x8007000E);
inline constexpr HRESULT E_INVALIDARG = ResultFromBits(0x80070057);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = ResultFromBits(0x80040110);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = ResultFromBits(0x80040154);
inline constexpr HRESULT CO_E_NOTINITIALIZED = ResultFromBits(0x800401F0);
inline constexpr HRESULT RPC_E_CHANGED_MODE = ResultFromBits(0x80010106);

constexpr bool Succeeded(HRESULT result) { return result >= 0; }
constexpr bool Failed(HRESULT result) { return result < 0; }

// Where CoCreateInstance may look for a class; our registry serves both.
inline constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
inline constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
