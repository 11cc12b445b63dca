#include "game_sound_art.h"

#include <cmath>
#include <cstdint>

#include "filter.h"
#include "filtered_noise.h"
#include "instrument.h"
#include "sound_format.h"

namespace assetgen {

using sound::kEffectRate;

namespace {

SampleBuffer Blank(double seconds) {
    return SampleBuffer::Silence(kEffectRate, seconds);
}

// A ringing partial, struck: sine, instant attack, exponential decay.
void Ring(SampleBuffer& out, double hz, double seconds, double decay, float gain) {
    Timbre t;
    t.wave = Waveform::Sine;
    t.attack = 0.0005;
    t.decay = decay;
    t.release = 0.0;
    Instrument(t).Play(out, 0.0, seconds, hz, gain);
}

}  // namespace

SampleBuffer GameSoundArt::Throw() const {
    SampleBuffer s = Blank(0.25);
    // Air rushing past: band-passed noise swelling as its centre rises, easing off as it
    // falls; a second, wider band fills it out.
    const Envelope level = Envelope(0.0f).To(0.09, 1.0f, 0.7f).To(0.16, 0.0f, 1.6f);
    const Envelope centre = Envelope(450.0f).To(0.09, 2400.0f, 1.5f).To(0.16, 700.0f, 1.5f);
    FilteredNoise(0x7410, Response::Band, 2.2).Play(s, 0.0, level, centre, 1.0f);
    const Envelope wide = Envelope(300.0f).To(0.09, 1400.0f, 1.5f).To(0.16, 400.0f, 1.5f);
    FilteredNoise(0x7411, Response::Band, 0.8).Play(s, 0.0, level, wide, 0.6f);
    sound::Finish(s, -6.0, 0.004, 0.02);
    return s;
}

SampleBuffer GameSoundArt::Bounce() const {
    SampleBuffer s = Blank(0.12);
    // The thud: a low sine falling in pitch.
    Timbre thud;
    thud.wave = Waveform::Sine;
    thud.attack = 0.001;
    thud.decay = 0.035;
    thud.release = 0.0;
    Instrument(thud).Glide(s, 0.0, 0.12, 150.0, 70.0, 1.0f);
    // The contact: a dull click of low-passed noise.
    FilteredNoise(0xb0, Response::Low, 0.9)
        .Play(s, 0.0, Envelope(1.0f).To(0.018, 0.0f, 2.5f), Envelope(2200.0f), 0.55f);
    // The frag is metal: a few inharmonic partials ring briefly.
    Ring(s, 1130.0, 0.12, 0.022, 0.16f);
    Ring(s, 1790.0, 0.12, 0.016, 0.11f);
    Ring(s, 2630.0, 0.12, 0.011, 0.08f);
    sound::Finish(s, -4.0, 0.001, 0.01);
    return s;
}

SampleBuffer GameSoundArt::Strike() const {
    SampleBuffer s = Blank(0.15);
    // A woody knock falling fast over a heavier body: the cartoon bonk.
    Timbre knock;
    knock.wave = Waveform::Triangle;
    knock.attack = 0.001;
    knock.decay = 0.045;
    knock.release = 0.0;
    Instrument(knock).Glide(s, 0.0, 0.15, 520.0, 190.0, 0.8f);
    Timbre body = knock;
    body.wave = Waveform::Sine;
    body.decay = 0.06;
    Instrument(body).Glide(s, 0.0, 0.15, 200.0, 85.0, 1.0f);
    // The slap of contact.
    FilteredNoise(0x5a, Response::Low, 0.8)
        .Play(s, 0.0, Envelope(1.0f).To(0.025, 0.0f, 2.5f), Envelope(1600.0f), 0.6f);
    sound::Finish(s, -4.0, 0.001, 0.012);
    return s;
}

SampleBuffer GameSoundArt::Explosion() const {
    const double length = 1.2;
    // Each layer is levelled on its own first so the mix below reads as proportions.
    SampleBuffer crack = Blank(length);
    const Envelope crack_level =
        Envelope(0.0f).To(0.003, 1.0f).To(0.35, 0.22f, 2.5f).To(length - 0.353, 0.0f, 1.5f);
    const Envelope crack_cutoff = Envelope(7000.0f).To(0.9, 350.0f, 3.0f).To(0.3, 250.0f);
    FilteredNoise(0xb1a57, Response::Low, 0.8).Play(crack, 0.0, crack_level, crack_cutoff, 1.0f);
    crack.NormaliseTo(1.0f);

    SampleBuffer rumble = Blank(length);
    const Envelope rumble_level =
        Envelope(0.0f).To(0.03, 1.0f, 1.5f).To(0.5, 0.45f, 1.5f).To(length - 0.53, 0.0f, 1.3f);
    FilteredNoise(0x4b1e, Response::Low, 1.1)
        .Play(rumble, 0.0, rumble_level, Envelope(160.0f).To(length, 70.0f), 1.0f);
    rumble.NormaliseTo(1.0f);

    SampleBuffer thump = Blank(length);
    Timbre low;
    low.wave = Waveform::Sine;
    low.attack = 0.002;
    low.decay = 0.16;
    low.release = 0.05;
    Instrument(low).Glide(thump, 0.0, 0.5, 75.0, 36.0, 1.0f);

    SampleBuffer s = Blank(length);
    s.Mix(crack, 0.0, 0.7f);
    s.Mix(rumble, 0.0, 0.55f);
    s.Mix(thump, 0.0, 0.5f);
    sound::Finish(s, -3.5, 0.001, 0.15);
    return s;
}

SampleBuffer GameSoundArt::Kill() const {
    // A wobbling squeal sliding down: a buzzy voice shaped into an "oo" by two
    // resonances, with a little of the raw buzz left for bite.
    Timbre voice;
    voice.wave = Waveform::Saw;
    voice.attack = 0.012;
    voice.decay = 0.0;
    voice.release = 0.09;
    voice.vibrato_hz = 11.0;
    voice.vibrato_depth = 0.5;
    voice.vibrato_delay = 0.02;
    SampleBuffer raw = Blank(0.4);
    Instrument(voice).Glide(raw, 0.0, 0.31, 880.0, 170.0, 1.0f);

    SampleBuffer s = Blank(0.4);
    StateVariableFilter low(kEffectRate), high(kEffectRate), tone(kEffectRate);
    low.Tune(520.0, 3.0);
    high.Tune(1150.0, 4.0);
    tone.Tune(3000.0, 0.7071);
    for (int i = 0; i < raw.Frames(); ++i) {
        const float x = raw[i];
        s.Add(i, low.Process(x).band + 0.7f * high.Process(x).band + 0.15f * tone.Process(x).low);
    }
    sound::Finish(s, -5.0, 0.002, 0.03);
    return s;
}

SampleBuffer GameSoundArt::Recall() const {
    SampleBuffer s = Blank(0.3);
    // Breath through a soft band rising a little, with a low body under it.
    const Envelope level = Envelope(0.0f).To(0.025, 1.0f, 0.8f).To(0.275, 0.0f, 2.2f);
    FilteredNoise(0x9u, Response::Band, 0.9)
        .Play(s, 0.0, level, Envelope(700.0f).To(0.3, 1700.0f, 1.5f), 1.0f);
    FilteredNoise(0xau, Response::Low, 0.7).Play(s, 0.0, level, Envelope(500.0f), 0.5f);
    sound::Finish(s, -7.0, 0.003, 0.02);
    return s;
}

SampleBuffer GameSoundArt::Charge() const {
    const double pi = 3.14159265358979323846;
    const int frames = static_cast<int>(kChargeSeconds * kEffectRate);
    SampleBuffer s(kEffectRate, frames);
    // Whole harmonics of a tone with a whole number of cycles, and a tremolo of whole
    // cycles too: the last frame leads into the first as any frame into the next. Phases
    // are taken from integer products so no rounding builds up over the loop.
    const struct {
        int harmonic;
        float gain;
    } partials[] = {{1, 1.0f}, {2, 0.35f}, {3, 0.18f}, {5, 0.06f}};
    constexpr int kTremoloCycles = 4;
    for (int n = 0; n < frames; ++n) {
        double v = 0.0;
        for (const auto& p : partials) {
            const int64_t step = int64_t{p.harmonic} * kChargeHz * n % kEffectRate;
            v += p.gain * std::sin(2.0 * pi * static_cast<double>(step) / kEffectRate);
        }
        const double wobble = std::cos(2.0 * pi * kTremoloCycles * n / frames);
        s.Add(n, static_cast<float>(v * (0.88 + 0.12 * wobble)));
    }
    s.NormaliseTo(sound::Decibels(-10.0));
    return s;
}

}  // namespace assetgen
