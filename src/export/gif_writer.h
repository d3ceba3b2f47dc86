#pragma once

#include "export/palette.h"

class QIODevice;

// GIF89a pictures with the image's 256-colour palette as the global colour table.
namespace plantrek {

// False when the image is empty, wider or taller than the format's 65535 pixels, or the
// device refuses the bytes.
bool WriteGif(QIODevice& device, const IndexedImage& image);

}  // namespace plantrek
