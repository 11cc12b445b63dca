#include "device_keeper.h"

#include <chrono>
#include <utility>

namespace vela {

DeviceKeeper::DeviceKeeper(std::function<bool()> try_open, double retry_seconds, bool background)
    : try_open_(std::move(try_open)), retry_seconds_(retry_seconds), background_(background) {}

DeviceKeeper::~DeviceKeeper() {
    if (attempt_.valid()) {
        attempt_.wait();
    }
}

void DeviceKeeper::Start(double now) {
    retrying_ = true;
    next_attempt_ = now + retry_seconds_;
}

bool DeviceKeeper::Poll(double now) {
    if (!retrying_) {
        return false;
    }
    if (attempt_.valid()) {
        if (attempt_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
            return false;
        }
        if (attempt_.get()) {
            retrying_ = false;
            return true;
        }
        next_attempt_ = now + retry_seconds_;
        return false;
    }
    if (now < next_attempt_) {
        return false;
    }
    ++attempts_;
    if (!background_) {
        if (try_open_()) {
            retrying_ = false;
            return true;
        }
        next_attempt_ = now + retry_seconds_;
        return false;
    }
    attempt_ = std::async(std::launch::async, try_open_);
    return false;
}

}  // namespace vela
