#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "vela/audio/voice.h"

namespace vela {

/// The voice rule of Audio, apart from any device: which slot a new play takes, and
/// handles that go stale when their slot is taken again.
/// A free slot is taken first (the lowest); when none is free, the slot whose play started
/// longest ago among those not looping; when every slot loops, none.
class VoicePool {
public:
    /// `count` slots, at most 255.
    explicit VoicePool(int32_t count);

    /// The slot for a new play, and its handle in `voice`; -1 (and an invalid handle) when
    /// every slot loops. `busy(slot)` tells whether a slot's last play is still going.
    int32_t Acquire(bool loop, const std::function<bool(int32_t)>& busy, Voice& voice);
    /// The slot of a live handle; -1 for an invalid or stale one.
    int32_t Slot(Voice voice) const;
    /// Ends the slot's play: its handle goes stale and the slot is free.
    void Release(int32_t slot);
    /// Marks a slot as looping or not (a voice changed after it started).
    void SetLooping(int32_t slot, bool loop);
    /// The number of slots.
    int32_t Count() const { return int32_t(slots_.size()); }

private:
    struct Slot_ {
        uint32_t generation = 0;  // bumped at every play, so older handles go stale
        uint64_t started = 0;     // play order, for "longest ago"
        bool used = false;
        bool loop = false;
    };
    std::vector<Slot_> slots_;
    uint64_t plays_ = 0;
};

}  // namespace vela
