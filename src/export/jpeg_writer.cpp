#include "export/jpeg_writer.h"

#include <QIODevice>
#include <QImage>

#include <csetjmp>
#include <cstdio>
#include <vector>

// libjpeg's header needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace plantrek {

namespace {

constexpr int kJpegMaxSide = 65500;
constexpr std::size_t kBufferSize = 64 * 1024;

// libjpeg reports a fatal error by calling error_exit, which must not return; it jumps back
// to the encoding function instead of ending the program.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void OnFatalError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void OnMessage(j_common_ptr /*info*/) {}

struct DeviceDestination {
    jpeg_destination_mgr pub;
    QIODevice* device;
    JOCTET* buffer;
};

void InitDestination(j_compress_ptr info) {
    auto* dest = reinterpret_cast<DeviceDestination*>(info->dest);
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = kBufferSize;
}

boolean EmptyOutputBuffer(j_compress_ptr info) {
    auto* dest = reinterpret_cast<DeviceDestination*>(info->dest);
    const auto size = static_cast<qint64>(kBufferSize);
    if (dest->device->write(reinterpret_cast<const char*>(dest->buffer), size) != size) {
        ERREXIT(info, JERR_FILE_WRITE);
    }
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = kBufferSize;
    return TRUE;
}

void TermDestination(j_compress_ptr info) {
    auto* dest = reinterpret_cast<DeviceDestination*>(info->dest);
    const auto size = static_cast<qint64>(kBufferSize - dest->pub.free_in_buffer);
    if (size > 0 &&
        dest->device->write(reinterpret_cast<const char*>(dest->buffer), size) != size) {
        ERREXIT(info, JERR_FILE_WRITE);
    }
}

// Everything that lives across setjmp is plain data owned by the caller, so a jump out of
// libjpeg skips no destructor.
bool Compress(jpeg_compress_struct* info, ErrorManager* errors, DeviceDestination* dest,
              const QImage* image, JSAMPLE* row, int quality, int dotsPerInch) {
    info->err = jpeg_std_error(&errors->pub);
    errors->pub.error_exit = OnFatalError;
    errors->pub.output_message = OnMessage;
    if (setjmp(errors->jump) != 0) {
        jpeg_destroy_compress(info);
        return false;
    }
    jpeg_create_compress(info);
    dest->pub.init_destination = InitDestination;
    dest->pub.empty_output_buffer = EmptyOutputBuffer;
    dest->pub.term_destination = TermDestination;
    info->dest = &dest->pub;

    info->image_width = static_cast<JDIMENSION>(image->width());
    info->image_height = static_cast<JDIMENSION>(image->height());
    info->input_components = 3;
    info->in_color_space = JCS_RGB;
    jpeg_set_defaults(info);
    jpeg_set_quality(info, quality, TRUE);
    info->write_JFIF_header = TRUE;
    info->density_unit = 1;  // dots per inch
    info->X_density = static_cast<UINT16>(dotsPerInch);
    info->Y_density = static_cast<UINT16>(dotsPerInch);

    jpeg_start_compress(info, TRUE);
    while (info->next_scanline < info->image_height) {
        const auto* source = reinterpret_cast<const QRgb*>(
            image->constScanLine(static_cast<int>(info->next_scanline)));
        for (int x = 0; x < image->width(); ++x) {
            row[3 * x] = static_cast<JSAMPLE>(qRed(source[x]));
            row[3 * x + 1] = static_cast<JSAMPLE>(qGreen(source[x]));
            row[3 * x + 2] = static_cast<JSAMPLE>(qBlue(source[x]));
        }
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(info, rows, 1);
    }
    jpeg_finish_compress(info);
    jpeg_destroy_compress(info);
    return true;
}

}  // namespace

bool WriteJpeg(QIODevice& device, const QImage& image, int quality, int dotsPerInch) {
    if (image.isNull() || image.width() > kJpegMaxSide || image.height() > kJpegMaxSide ||
        dotsPerInch < 1 || dotsPerInch > 65535) {
        return false;
    }
    const QImage rgb =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
            ? image
            : image.convertToFormat(QImage::Format_RGB32);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(rgb.width()) * 3);
    std::vector<JOCTET> buffer(kBufferSize);
    jpeg_compress_struct info{};
    ErrorManager errors{};
    DeviceDestination dest{};
    dest.device = &device;
    dest.buffer = buffer.data();
    return Compress(&info, &errors, &dest, &rgb, row.data(), quality, dotsPerInch);
}

}  // namespace plantrek
