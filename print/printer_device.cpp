// SPDX-License-Identifier: MIT
#include "print/printer_device.h"

#include <cstdlib>

vertical::FaceRecord ToFaceRecord(const LogFontRecord& font)
{
    vertical::FaceRecord face;
    face.face = font.lfFaceName;
    // Either sign of lfHeight asks for that character height here.
    face.height = std::abs(font.lfHeight);
    face.escapement = font.lfEscapement;
    face.weight = font.lfWeight;
    return face;
}
