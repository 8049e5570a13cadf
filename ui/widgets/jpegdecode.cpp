#include "ui/widgets/jpegdecode.h"

#include <csetjmp>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace veldor {
namespace {

// libjpeg's own error handler ends the process; this one jumps back to the decoder instead.
struct JumpingErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void jumpBack(j_common_ptr info)
{
    auto* manager = reinterpret_cast<JumpingErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void ignoreWarning(j_common_ptr, int) {}

// Runs the decode proper. Kept free of objects with destructors: longjmp skips them.
bool decodeInto(jpeg_decompress_struct& info, const QByteArray& bytes, QImage& image)
{
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK)
        return false;
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (image.isNull())
        return false;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray& bytes, QString& error)
{
    if (bytes.isEmpty()) {
        error = QStringLiteral("图片是空的。");
        return {};
    }
    jpeg_decompress_struct info;
    JumpingErrorManager manager;
    info.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = jumpBack;
    manager.base.emit_message = ignoreWarning;
    manager.message[0] = '\0';
    QImage image;
    if (setjmp(manager.jump) != 0) {
        jpeg_destroy_decompress(&info);
        error = QStringLiteral("图片无法解码：%1").arg(QString::fromLocal8Bit(manager.message));
        return {};
    }
    jpeg_create_decompress(&info);
    const bool decoded = decodeInto(info, bytes, image);
    jpeg_destroy_decompress(&info);
    if (!decoded) {
        error = QStringLiteral("图片无法解码。");
        return {};
    }
    return image;
}

} // namespace veldor
