#include "music_art.h"

#include <cstdint>

#include "filtered_noise.h"
#include "instrument.h"
#include "pitch.h"
#include "sound_format.h"

namespace assetgen {

namespace {

// One chord a bar, I vi IV V I vi ii V in C, voiced close around middle C; the last
// bar leads back to the first.
struct Chord {
    int bass;      // MIDI note of the root, low
    int tones[4];  // the voicing, low to high
};

const Chord kChords[MusicArt::kBars] = {
    {48, {60, 64, 67, 72}},  // C
    {45, {57, 60, 64, 69}},  // Am
    {41, {57, 60, 65, 69}},  // F
    {43, {55, 59, 62, 67}},  // G
    {48, {60, 64, 67, 72}},  // C
    {45, {57, 60, 64, 69}},  // Am
    {50, {57, 62, 65, 69}},  // Dm
    {43, {55, 59, 62, 67}},  // G
};

struct Note {
    int bar;
    double beat, beats;
    int pitch;
};

// A question over the first four bars, its answer over the next four.
const Note kMelody[] = {
    {0, 0, 2, 76}, {0, 2, 1, 79}, {0, 3, 1, 77},  // E G F
    {1, 0, 3, 76}, {1, 3, 1, 72},                 // E C
    {2, 0, 1, 72}, {2, 1, 1, 74}, {2, 2, 2, 77},  // C D F
    {3, 0, 1, 76}, {3, 1, 3, 74},                 // E D
    {4, 0, 2, 76}, {4, 2, 1, 79}, {4, 3, 1, 84},  // E G C
    {5, 0, 1, 83}, {5, 1, 3, 81},                 // B A
    {6, 0, 2, 77}, {6, 2, 2, 74},                 // F D
    {7, 0, 2, 71}, {7, 2, 1, 74}, {7, 3, 1, 79},  // B D G, down to E again
};

double At(int bar, double beat) {
    return (bar * MusicArt::kBeatsPerBar + beat) * MusicArt::kBeat;
}

}  // namespace

SampleBuffer MusicArt::MenuLoop() const {
    SampleBuffer s = SampleBuffer::Silence(sound::kMusicRate, kLoopSeconds, true);
    Pad(s);
    Arpeggio(s);
    Bass(s);
    Ticks(s);
    Lead(s);
    s.RemoveDc();
    // Quiet, so it sits under the effects.
    s.NormaliseTo(sound::Decibels(-12.0));
    return s;
}

void MusicArt::Pad(SampleBuffer& out) const {
    Timbre t;
    t.wave = Waveform::Sine;
    t.attack = 0.35;
    t.release = 0.5;
    const Instrument pad(t);
    for (int bar = 0; bar < kBars; ++bar) {
        for (int i = 0; i < 3; ++i) {
            pad.Play(out, At(bar, 0), kBeatsPerBar * kBeat - 0.2, NoteHz(kChords[bar].tones[i]),
                     0.08f);
        }
    }
}

void MusicArt::Arpeggio(SampleBuffer& out) const {
    Timbre t;
    t.wave = Waveform::Triangle;
    t.attack = 0.004;
    t.decay = 0.3;
    t.release = 0.08;
    t.cutoff = 2400.0;
    const Instrument pluck(t);
    const int pattern[8] = {0, 1, 2, 3, 2, 1, 2, 1};
    for (int bar = 0; bar < kBars; ++bar) {
        for (int e = 0; e < 8; ++e) {
            // Down beats a little stronger than the off beats.
            const float gain = e % 2 == 0 ? 0.22f : 0.16f;
            pluck.Play(out, At(bar, e * 0.5), kBeat * 0.45, NoteHz(kChords[bar].tones[pattern[e]]),
                       gain);
        }
    }
}

void MusicArt::Bass(SampleBuffer& out) const {
    Timbre t;
    t.wave = Waveform::Triangle;
    t.attack = 0.01;
    t.decay = 0.8;
    t.release = 0.06;
    t.cutoff = 500.0;
    const Instrument bass(t);
    // Root, a push on the off beat, the fifth, the octave.
    const struct {
        double beat, beats;
        int interval;
    } steps[] = {{0, 1.5, 0}, {1.5, 0.5, 0}, {2, 1, 7}, {3, 1, 12}};
    for (int bar = 0; bar < kBars; ++bar) {
        for (const auto& step : steps) {
            bass.Play(out, At(bar, step.beat), step.beats * kBeat - 0.04,
                      NoteHz(kChords[bar].bass + step.interval), 0.5f);
        }
    }
}

void MusicArt::Ticks(SampleBuffer& out) const {
    // A soft shaker on every off beat keeps it moving.
    const Envelope level = Envelope(1.0f).To(0.04, 0.0f, 2.5f);
    const Envelope cutoff(6500.0f);
    for (int beat = 0; beat < kBars * kBeatsPerBar; ++beat) {
        FilteredNoise(0x71c0u + static_cast<uint64_t>(beat), Response::High, 0.7)
            .Play(out, (beat + 0.5) * kBeat, level, cutoff, 0.06f);
    }
}

void MusicArt::Lead(SampleBuffer& out) const {
    Timbre t;
    t.wave = Waveform::Triangle;
    t.attack = 0.04;
    t.decay = 1.4;
    t.release = 0.18;
    t.cutoff = 1800.0;
    t.vibrato_hz = 5.0;
    t.vibrato_depth = 0.12;
    t.vibrato_delay = 0.25;
    const Instrument lead(t);
    for (const Note& n : kMelody) {
        lead.Play(out, At(n.bar, n.beat), n.beats * kBeat - 0.06, NoteHz(n.pitch), 0.3f);
    }
}

}  // namespace assetgen
