// SPDX-License-Identifier: MIT
#include "resources/postcard_picture.h"

#include "platform/app_error.h"
#include "text/program_text.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>

extern const unsigned char kPostcardJpeg[];
extern const std::size_t kPostcardJpegSize;

namespace {

constexpr char kUnreadablePicture[] = "画像を読み込めません";

// libjpeg reports failures through these callbacks. They leave by longjmp
// back into DecodeInto, never by unwinding through libjpeg's C frames.
struct JpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf failure;
};

[[noreturn]] void LeaveOnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->failure, 1);
}

// Level -1 is a warning: libjpeg would go on and fill the rest with grey.
void LeaveOnWarning(j_common_ptr info, int level)
{
    if (level < 0) {
        LeaveOnError(info);
    }
}

// False when libjpeg reported anything. Between setjmp and every possible
// longjmp this function constructs no object with a destructor, so jumping
// back skips none.
bool DecodeInto(const QByteArray& jpegBytes, QImage& image)
{
    jpeg_decompress_struct info{};
    JpegErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = LeaveOnError;
    errors.base.emit_message = LeaveOnWarning;
    if (setjmp(errors.failure) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpegBytes.constData()),
                 static_cast<unsigned long>(jpegBytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                   QImage::Format_RGB888);
    if (image.isNull() || info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

QImage DecodeJpeg(const QByteArray& jpegBytes)
{
    QImage image;
    if (!DecodeInto(jpegBytes, image)) {
        throw AppError(uiText(kUnreadablePicture));
    }
    return image;
}

QByteArray PostcardJpegBytes()
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(kPostcardJpeg),
                                   static_cast<qsizetype>(kPostcardJpegSize));
}

QImage PostcardPicture()
{
    return DecodeJpeg(PostcardJpegBytes());
}
