#pragma once

// The one way this platform includes windows.h and the Direct3D, DXGI and DirectInput
// headers: include it before anything else. windows.h renames CreateFile to CreateFileA,
// which would rename Platform::CreateFile in these files but not in portable code; call
// ::CreateFileA by name instead. near/far are empty macros there too.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef DIRECTINPUT_VERSION
#define DIRECTINPUT_VERSION 0x0800
#endif
#include <windows.h>

#include <d3d11.h>
#include <d3dcompiler.h>
#include <dinput.h>
#include <dxgi.h>
#include <mmsystem.h>  // timeBeginPeriod

#ifdef CreateFile
#undef CreateFile
#endif
#ifdef near
#undef near
#endif
#ifdef far
#undef far
#endif

namespace vela {

// Releases a COM interface and nulls the pointer; null is fine.
template <typename T>
void SafeRelease(T*& object) {
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}

}  // namespace vela
