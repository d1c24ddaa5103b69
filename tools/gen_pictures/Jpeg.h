// Writing and reading the JPEG files with libjpeg.
#pragma once

#include "Image.h"

#include <optional>
#include <string>

// Writes img as a baseline JPEG with full-resolution colour (4:4:4) at the
// given quality. Returns false (and says why on stderr) when it fails.
bool writeJpeg(const std::string& path, const Image& img, int quality);

// Reads a JPEG file as 8-bit RGB; nothing when the file is missing or damaged.
std::optional<Image> readJpeg(const std::string& path);
