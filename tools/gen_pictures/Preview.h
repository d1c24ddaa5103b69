// Development previews: boards composed from the written pictures the way the
// game composes them, so the art can be judged in place.
#pragma once

#include <string>

// Reads the six pictures from dataDir and writes board previews (JPEG) into
// previewDir. Returns false when a picture cannot be read or a preview written.
bool writePreviews(const std::string& dataDir, const std::string& previewDir);
