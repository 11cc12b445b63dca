#pragma once

namespace vela {

/// Music streamed from an Ogg Vorbis file: decoded a chunk at a time as it plays, never
/// whole. Made by Audio::CreateMusic and owned by the caller, who deletes it before the
/// Audio. Audio::Update keeps it fed; nothing plays between updates' worth of buffers.
class Music {
public:
    Music() = default;
    Music(const Music&) = delete;
    Music& operator=(const Music&) = delete;
    virtual ~Music() = default;

    /// Starts from the beginning (or restarts); at the end it starts over when `loop`.
    virtual void Play(bool loop) = 0;
    /// Holds the place; Resume goes on from it.
    virtual void Pause() = 0;
    /// Goes on after Pause; nothing when not paused.
    virtual void Resume() = 0;
    /// Stops and goes back to the beginning.
    virtual void Stop() = 0;
    /// Sets the gain at once (0..1, more amplifies), ending any fade.
    virtual void SetGain(float gain) = 0;
    /// Moves the gain to `gain` over `seconds` of updates; a fade to 0 ends in Stop when
    /// `stop_at_end`.
    virtual void FadeTo(float gain, float seconds, bool stop_at_end = false) = 0;
    /// The gain now, fade included.
    virtual float Gain() const = 0;
    /// True from Play until Stop or the end of an unlooped stream (paused counts as playing).
    virtual bool IsPlaying() const = 0;
    /// True between Pause and Resume.
    virtual bool IsPaused() const = 0;
};

}  // namespace vela
