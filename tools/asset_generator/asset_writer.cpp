#include "asset_writer.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "vela/graphics/png_writer.h"
#include "vela/system/atomic_file_writer.h"
#include "vorbis_encoder.h"
#include "wav_encoder.h"

namespace assetgen {

bool AssetWriter::MakeFolder(const std::string& name) {
    std::error_code error;
    std::filesystem::create_directory(PathOf(name), error);
    if (error) {
        ++failures_;
        std::fprintf(stderr, "Folder not made: %s: %s\n", PathOf(name).c_str(),
                     error.message().c_str());
        return false;
    }
    return true;
}

void AssetWriter::SavePicture(const std::string& name, Canvas canvas, int margin) {
    if (margin > 0) {
        canvas.ClearOutside(0, 0, canvas.Width(), canvas.Height(), margin);
    }
    SaveImage(name, canvas.ToImage());
}

void AssetWriter::SaveImage(const std::string& name, const vela::ImageData& image) {
    if (vela::PNGWriter::Save(PathOf(name).c_str(), image)) {
        ++written_;
    } else {
        ++failures_;  // PNGWriter has said why
    }
}

void AssetWriter::SaveText(const std::string& name, const std::string& text) {
    SaveBytes(name, text);
}

void AssetWriter::SaveBytes(const std::string& name, const std::string& bytes) {
    // Replaced whole or not at all, as the pictures are.
    vela::AtomicFileWriter file;
    bool ok = file.Open(PathOf(name));
    if (ok) {
        // A short write sets the stream's error, which Commit checks.
        std::fwrite(bytes.data(), 1, bytes.size(), file.Stream());
        ok = file.Commit();
    }
    if (ok) {
        ++written_;
    } else {
        ++failures_;
        std::fprintf(stderr, "File not written: %s\n", file.Error().c_str());
    }
}

void AssetWriter::SaveSound(const std::string& name, const SampleBuffer& sound) {
    SaveBytes(name, WavEncoder::Encode(sound));
}

void AssetWriter::SaveMusic(const std::string& name, const SampleBuffer& music, float quality) {
    std::string bytes;
    if (VorbisEncoder::Encode(music, quality, bytes)) {
        SaveBytes(name, bytes);
    } else {
        ++failures_;
        std::fprintf(stderr, "Music not encoded: %s\n", PathOf(name).c_str());
    }
}

}  // namespace assetgen
