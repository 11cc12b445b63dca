#include "vela/audio/voice_pool.h"

#include <algorithm>

namespace vela {

namespace {

// A handle is the slot in the low byte (plus one, so 0 stays "no voice") and the slot's
// play count above it.
constexpr uint32_t kSlotBits = 8;
constexpr uint32_t kSlotMask = (1u << kSlotBits) - 1u;
constexpr uint32_t kGenerationMask = 0xffffffu;

}  // namespace

VoicePool::VoicePool(int32_t count) : slots_(size_t(std::clamp(count, 0, 255))) {}

int32_t VoicePool::Acquire(bool loop, const std::function<bool(int32_t)>& busy, Voice& voice) {
    voice = Voice();
    int32_t chosen = -1;
    for (int32_t i = 0; i < Count(); ++i) {
        if (!slots_[size_t(i)].used || !busy(i)) {
            chosen = i;
            break;
        }
    }
    if (chosen < 0) {
        for (int32_t i = 0; i < Count(); ++i) {
            const Slot_& slot = slots_[size_t(i)];
            if (!slot.loop && (chosen < 0 || slot.started < slots_[size_t(chosen)].started)) {
                chosen = i;
            }
        }
    }
    if (chosen < 0) {
        return -1;
    }
    Slot_& slot = slots_[size_t(chosen)];
    slot.generation = (slot.generation + 1u) & kGenerationMask;
    if (slot.generation == 0) {
        slot.generation = 1;
    }
    slot.started = ++plays_;
    slot.used = true;
    slot.loop = loop;
    voice.id = (slot.generation << kSlotBits) | uint32_t(chosen + 1);
    return chosen;
}

int32_t VoicePool::Slot(Voice voice) const {
    const int32_t index = int32_t(voice.id & kSlotMask) - 1;
    if (index < 0 || index >= Count()) {
        return -1;
    }
    const Slot_& slot = slots_[size_t(index)];
    return slot.used && slot.generation == (voice.id >> kSlotBits) ? index : -1;
}

void VoicePool::Release(int32_t slot) {
    if (slot >= 0 && slot < Count()) {
        slots_[size_t(slot)].used = false;
        slots_[size_t(slot)].loop = false;
    }
}

void VoicePool::SetLooping(int32_t slot, bool loop) {
    if (slot >= 0 && slot < Count()) {
        slots_[size_t(slot)].loop = loop;
    }
}

}  // namespace vela
