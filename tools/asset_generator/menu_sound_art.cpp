#include "menu_sound_art.h"

#include "instrument.h"
#include "pitch.h"
#include "sound_format.h"

namespace assetgen {

using sound::kEffectRate;

namespace {

SampleBuffer Blank(double seconds) {
    return SampleBuffer::Silence(kEffectRate, seconds);
}

}  // namespace

SampleBuffer MenuSoundArt::Move() const {
    SampleBuffer s = Blank(0.06);
    Timbre blip;
    blip.wave = Waveform::Sine;
    blip.attack = 0.002;
    blip.decay = 0.018;
    blip.release = 0.0;
    Instrument(blip).Glide(s, 0.0, 0.06, 1400.0, 1250.0, 1.0f);
    Instrument(blip).Play(s, 0.0, 0.06, 2800.0, 0.12f);  // a touch of sparkle
    sound::Finish(s, -9.0, 0.002, 0.008);
    return s;
}

SampleBuffer MenuSoundArt::Choose() const {
    SampleBuffer s = Blank(0.15);
    Timbre chip;
    chip.wave = Waveform::Square;
    chip.attack = 0.002;
    chip.decay = 0.07;
    chip.release = 0.008;
    chip.cutoff = 4500.0;
    const Instrument notes(chip);
    notes.Play(s, 0.0, 0.055, NoteHz(83), 1.0f);   // B5
    notes.Play(s, 0.06, 0.082, NoteHz(88), 1.0f);  // E6, a fourth up
    Timbre under = chip;
    under.wave = Waveform::Sine;
    Instrument(under).Play(s, 0.06, 0.082, NoteHz(76), 0.5f);  // E5 for body
    sound::Finish(s, -6.0, 0.001, 0.01);
    return s;
}

SampleBuffer MenuSoundArt::Back() const {
    SampleBuffer s = Blank(0.12);
    Timbre blip;
    blip.wave = Waveform::Triangle;
    blip.attack = 0.002;
    blip.decay = 0.06;
    blip.release = 0.01;
    Instrument(blip).Glide(s, 0.0, 0.105, 900.0, 420.0, 1.0f);
    sound::Finish(s, -7.0, 0.002, 0.01);
    return s;
}

SampleBuffer MenuSoundArt::Win() const {
    SampleBuffer s = Blank(1.5);
    Timbre lead;
    lead.wave = Waveform::Square;
    lead.attack = 0.003;
    lead.decay = 0.25;
    lead.release = 0.04;
    lead.cutoff = 3800.0;
    const Instrument up(lead);
    // G4 C5 E5 G5 climbing to C6.
    const int climb[] = {67, 72, 76, 79};
    for (int i = 0; i < 4; ++i) {
        up.Play(s, 0.1 * i, 0.09, NoteHz(climb[i]), 0.8f);
    }
    Timbre bell;
    bell.wave = Waveform::Triangle;
    bell.attack = 0.008;
    bell.decay = 0.45;
    bell.release = 0.35;
    bell.vibrato_hz = 6.0;
    bell.vibrato_depth = 0.12;
    bell.vibrato_delay = 0.2;
    const Instrument chord(bell);
    for (int note : {84, 79, 76}) {  // C major, C6 on top
        chord.Play(s, 0.42, 0.7, NoteHz(note), note == 84 ? 0.9f : 0.5f);
    }
    up.Play(s, 0.42, 0.1, NoteHz(84), 0.6f);
    Timbre bass = bell;
    bass.vibrato_depth = 0.0;
    Instrument(bass).Play(s, 0.42, 0.7, NoteHz(48), 0.6f);  // C3
    sound::Finish(s, -5.0, 0.002, 0.05);
    return s;
}

SampleBuffer MenuSoundArt::Lose() const {
    SampleBuffer s = Blank(1.5);
    Timbre horn;
    horn.wave = Waveform::Saw;
    horn.attack = 0.03;
    horn.decay = 0.9;
    horn.release = 0.06;
    horn.cutoff = 1300.0;
    const Instrument wah(horn);
    // D4, C#4, C4 falling a semitone at a time, then a long wobbling B3.
    for (int i = 0; i < 3; ++i) {
        wah.Play(s, 0.3 * i, 0.22, NoteHz(62 - i), 1.0f);
    }
    Timbre last = horn;
    last.decay = 0.5;
    last.release = 0.12;
    last.vibrato_hz = 5.0;
    last.vibrato_depth = 0.35;
    last.vibrato_delay = 0.1;
    Instrument(last).Glide(s, 0.9, 0.46, NoteHz(59), NoteHz(58.6), 1.0f);
    sound::Finish(s, -5.0, 0.003, 0.05);
    return s;
}

}  // namespace assetgen
