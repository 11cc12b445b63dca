#pragma once

#include <string>

#include "canvas.h"
#include "sample_buffer.h"
#include "vela/graphics/image_data.h"

namespace assetgen {

// Writes the generated files into one folder and remembers whether any write failed.
class AssetWriter {
public:
    explicit AssetWriter(std::string folder) : folder_(std::move(folder)) {}

    // A sprite picture, cleared to a transparent border of `margin` texels first
    // (0 for pictures that fill their sprite to the edge).
    void SavePicture(const std::string& name, Canvas canvas, int margin);
    void SaveImage(const std::string& name, const vela::ImageData& image);
    void SaveText(const std::string& name, const std::string& text);
    // A sound effect as 16-bit PCM WAVE.
    void SaveSound(const std::string& name, const SampleBuffer& sound);
    // Music as Ogg Vorbis at `quality` (-0.1 .. 1.0).
    void SaveMusic(const std::string& name, const SampleBuffer& music, float quality);

    // A folder below the output for the files named "<name>/..."; false, with a line
    // said and counted as a failure, when it cannot be made.
    bool MakeFolder(const std::string& name);

    bool AllWritten() const { return failures_ == 0; }
    int Written() const { return written_; }
    std::string PathOf(const std::string& name) const { return folder_ + "/" + name; }

private:
    void SaveBytes(const std::string& name, const std::string& bytes);

    std::string folder_;
    int written_ = 0;
    int failures_ = 0;
};

}  // namespace assetgen
