#pragma once

namespace vela {

/// ALSA prints a dozen lines to standard error for every failed attempt to open a device
/// (no sound card, a headless machine): OpenAL Soft tries it whenever we retry. Our own
/// single line says what matters, so ALSA's are dropped. Nothing where ALSA is not linked.
void QuietenAlsa();

}  // namespace vela
