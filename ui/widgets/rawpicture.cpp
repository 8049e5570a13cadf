#include "ui/widgets/rawpicture.h"

#include <cstdint>
#include <cstring>

namespace veldor {
namespace {

constexpr char kMark[4] = {'V', 'R', 'P', '1'};
constexpr qint64 kHeadSize = 16;

struct RawHead
{
    char mark[4];
    uint32_t width, height, format;
};
static_assert(sizeof(RawHead) == kHeadSize);

bool isRawFormat(uint32_t format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

QByteArray RawPictureBytes(const QImage& image)
{
    const QImage pixels = image.convertToFormat(
        image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    RawHead head;
    std::memcpy(head.mark, kMark, sizeof kMark);
    head.width = uint32_t(pixels.width());
    head.height = uint32_t(pixels.height());
    head.format = uint32_t(pixels.format());
    QByteArray bytes(reinterpret_cast<const char*>(&head), kHeadSize);
    const qsizetype rowBytes = qsizetype(pixels.width()) * 4;
    bytes.reserve(kHeadSize + rowBytes * pixels.height());
    for (int y = 0; y < pixels.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(pixels.constScanLine(y)), rowBytes);
    return bytes;
}

QImage RawPicture(const uchar* bytes, qint64 size)
{
    RawHead head;
    if (bytes == nullptr || size < kHeadSize)
        return {};
    std::memcpy(&head, bytes, kHeadSize);
    if (std::memcmp(head.mark, kMark, sizeof kMark) != 0 || !isRawFormat(head.format) ||
        head.width == 0 || head.height == 0 || head.width > 0x8000 || head.height > 0x8000 ||
        size != kHeadSize + qint64(head.width) * head.height * 4)
        return {};
    const uchar* pixels = bytes + kHeadSize;
    const QImage shared(pixels, int(head.width), int(head.height), int(head.width) * 4,
                        QImage::Format(head.format));
    // Pixels a QImage reads as 32-bit words must be aligned to them.
    if (reinterpret_cast<quintptr>(pixels) % alignof(uint32_t) != 0)
        return shared.copy();
    return shared;
}

} // namespace veldor
