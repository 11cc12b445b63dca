#pragma once

// The OpenAL headers of whichever library the build links: OpenAL Soft on Linux and
// Windows, Emscripten's Web Audio implementation in the browser (which has no alext.h:
// it offers neither loopback nor disconnect, and the code asks before using either).
#include <AL/al.h>
#include <AL/alc.h>
#if defined(__has_include)
#if __has_include(<AL/alext.h>)
#include <AL/alext.h>
#define VELA_AL_HAVE_ALEXT 1
#endif
#endif

#ifndef ALC_APIENTRY
#define ALC_APIENTRY
#endif
#ifndef ALC_CONNECTED
#define ALC_CONNECTED 0x313
#endif
