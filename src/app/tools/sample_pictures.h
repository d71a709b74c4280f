#pragma once
// A few 72 x 28 pictures drawn in code, for the screenshots of the windows
// that show pictures.

#include <vector>

#include "core/store/picture_image.h"

namespace zeph {

// A heart, a smiley, a house, the word "HI" and a sun.
std::vector<PictureImage> SamplePictures();

// The house with its roof and door still to draw: a picture half way
// through its drawing.
PictureImage HalfDrawnHouse();

}  // namespace zeph
