#pragma once
// Encodes one mono sound as an Ogg Vorbis file.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace gensounds {

// Writes `samples` (mono, -1..1) at `sampleRate` to `path` with the given VBR
// quality (-0.1..1.0). `serial` is the Ogg stream serial number; a fixed value
// keeps the output identical from run to run. Returns an error text, empty on success.
std::string writeOggVorbis(const std::filesystem::path& path, const std::vector<float>& samples,
                           int sampleRate, float quality, std::uint32_t serial,
                           const std::string& title);

}  // namespace gensounds
