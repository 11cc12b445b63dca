#!/usr/bin/env bash
# Remakes the Ogg Vorbis fixtures of the audio tests with SoX (Debian: sox, whose base
# formats include Vorbis). Needed only to change them; the build never runs it. Vorbis
# encoding gives new bytes (a new stream serial) each run, the same sound.
set -euo pipefail
cd "$(dirname "$0")"
# 0.5 s of a 440 Hz sine at half scale, mono, 22050 Hz.
sox -n -r 22050 -c 1 sine_mono_22050.ogg synth 0.5 sine 440 vol 0.5
# 0.25 s, 44100 Hz stereo: 440 Hz on the left, 1000 Hz on the right, both at half scale.
sox -n -r 44100 -c 2 sine_stereo_44100.ogg synth 0.25 sine 440 sine 1000 vol 0.5
# 0.1 s of three channels, which the reader refuses.
sox -n -r 8000 -c 3 three_channels_8000.ogg synth 0.1 sine 300 vol 0.5
ls -l ./*.ogg
