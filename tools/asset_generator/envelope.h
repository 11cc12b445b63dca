#pragma once

#include <vector>

namespace assetgen {

// A level over time as a chain of segments from a starting level, each reaching its
// level after its length; the last level holds after the end.
class Envelope {
public:
    explicit Envelope(float start = 0.0f) : start_(start) {}
    // Curve 1 is a straight line; above 1 the segment moves fast first and eases in, as a
    // struck or plucked sound decays.
    Envelope& To(double seconds, float level, float curve = 1.0f);
    float At(double seconds) const;
    double Length() const { return length_; }

private:
    struct Segment {
        double start, length;
        float from, to, curve;
    };
    float start_;
    double length_ = 0.0;
    std::vector<Segment> segments_;
};

}  // namespace assetgen
