#pragma once

#include <functional>
#include <future>

namespace vela {

/// Keeps trying to open the sound device until it opens: an attempt every
/// `retry_seconds`, run on a worker thread so that a frame never waits for a device that
/// takes its time to answer (inline where the program has no threads). It knows nothing of
/// OpenAL: `try_open` does the opening and keeps what it opened.
class DeviceKeeper {
public:
    DeviceKeeper(std::function<bool()> try_open, double retry_seconds, bool background);
    /// Waits for an attempt in flight.
    ~DeviceKeeper();
    DeviceKeeper(const DeviceKeeper&) = delete;
    DeviceKeeper& operator=(const DeviceKeeper&) = delete;

    /// Begins retrying: the first attempt at `now` + the retry interval.
    void Start(double now);
    /// Called every frame with the clock in seconds; never blocks. True once, in the frame
    /// where an attempt has succeeded (retrying then stops).
    bool Poll(double now);
    /// True while retrying (an attempt pending or in flight).
    bool Retrying() const { return retrying_; }
    /// Attempts begun so far.
    int Attempts() const { return attempts_; }

private:
    std::function<bool()> try_open_;
    double retry_seconds_;
    bool background_;
    bool retrying_ = false;
    double next_attempt_ = 0.0;
    int attempts_ = 0;
    std::future<bool> attempt_;
};

}  // namespace vela
