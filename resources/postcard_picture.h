// SPDX-License-Identifier: MIT
// The picture of a postcard's address side that both previews show, and the
// JPEG decoder it goes through.
#pragma once

#include <QByteArray>
#include <QImage>

// Decodes a baseline or progressive JPEG into an RGB image. Anything libjpeg
// finds wrong, a warning about corrupt or missing data included, throws
// AppError("画像を読み込めません"); no half-decoded picture is ever returned.
QImage DecodeJpeg(const QByteArray& jpegBytes);

// The JPEG file built into the program (362 x 500 pixels, progressive).
QByteArray PostcardJpegBytes();

// The built-in picture, decoded afresh on each call; keep the result.
QImage PostcardPicture();
