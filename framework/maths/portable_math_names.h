#pragma once

// Included first (-include) in code whose calls to sinf, cosf, atan2f and expf are to be
// the framework's portable ones (maths/portable_math.h): Box2D's sources and the code that
// includes its headers. The C library's header comes first under its own names, so its
// declarations are left alone; every later call is renamed.

#include <math.h>

#ifdef __cplusplus
extern "C" {
#endif
float vela_sinf(float x);
float vela_cosf(float x);
float vela_atan2f(float y, float x);
float vela_expf(float x);
#ifdef __cplusplus
}
#endif

#define sinf vela_sinf
#define cosf vela_cosf
#define atan2f vela_atan2f
#define expf vela_expf
