#include "alsa_quiet.h"

#ifdef VELA_QUIET_ALSA
#include <alsa/asoundlib.h>
#endif

namespace vela {

#ifdef VELA_QUIET_ALSA
namespace {

void DropAlsaError(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void QuietenAlsa() { snd_lib_error_set_handler(DropAlsaError); }
#else
void QuietenAlsa() {}
#endif

}  // namespace vela
