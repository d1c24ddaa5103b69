// Loading of the intro's resources from the program's Qt resources.
#pragma once

#include <QByteArray>

#include "IntroAssets.h"

namespace reversi::intro {

// The mesh and the three packed pictures, unpacked and prepared. Throws
// graphics::ResourceError naming a resource that is missing or damaged.
IntroAssets LoadIntroAssets();

// The start-up logo's JPEG bytes (empty when missing).
QByteArray StartUpLogoJpeg();

}  // namespace reversi::intro
