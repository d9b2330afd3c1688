// Build tool: turns the icon's XPM source into the images the platforms want.
//   iconbake SOURCE.xpm OUTPUT_DIR NAME ICO_SIZES PNG_SIZES
// writes NAME.ico, one image for each of ICO_SIZES (each with a 256-colour palette and a
// transparency mask), and NAME-SIZE.png for each of PNG_SIZES; sizes are comma-separated. Every
// size is scaled without smoothing, so the pixel art stays crisp: by whole factors where the
// size allows it, the nearest source pixel otherwise.

#include <QFile>
#include <QImage>
#include <QtEndian>

#include <cstdio>

namespace {

constexpr int SourceSize = 32;

void put16(QByteArray &out, quint16 value)
{
    const quint16 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&le), sizeof le);
}

void put32(QByteArray &out, quint32 value)
{
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&le), sizeof le);
}

// Rows of a bitmap are padded to whole 32-bit words.
constexpr int padded(int bytes)
{
    return (bytes + 3) / 4 * 4;
}

// One square image, 8 bits per pixel: header, palette, colour rows and mask rows, both
// bottom-up. Palette entry 0 stands under the transparent pixels; the picture's own colours
// follow, exact. Empty where the picture has more than 255 colours.
QByteArray bitmapFrom(const QImage &image)
{
    const int size = image.width();
    QList<QRgb> palette{qRgb(0, 0, 0)};
    QByteArray colours;
    QByteArray mask;
    for (int y = size - 1; y >= 0; --y) {
        QByteArray maskRow(padded((size + 7) / 8), '\0');
        for (int x = 0; x < size; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0) {
                colours.append(char(0));
                maskRow[x / 8] = char(uchar(maskRow[x / 8]) | (0x80U >> (x % 8)));
                continue;
            }
            const QRgb colour = qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
            qsizetype index = palette.indexOf(colour, 1);
            if (index < 0) {
                index = palette.size();
                palette.append(colour);
            }
            colours.append(char(index));
        }
        colours.append(QByteArray(padded(size) - size, '\0'));
        mask.append(maskRow);
    }
    if (palette.size() > 256) {
        return {};
    }
    palette.resize(256, qRgb(0, 0, 0));

    QByteArray out;
    put32(out, 40);
    put32(out, quint32(size));
    put32(out, quint32(size * 2)); // colour rows and mask rows
    put16(out, 1);
    put16(out, 8);
    put32(out, 0); // no compression
    put32(out, quint32(colours.size() + mask.size()));
    put32(out, 0);
    put32(out, 0);
    put32(out, 256);
    put32(out, 0);
    for (const QRgb colour : palette) {
        out.append(char(qBlue(colour))).append(char(qGreen(colour))).append(char(qRed(colour))).append(char(0));
    }
    return out + colours + mask;
}

// An icon file of the picture at each size: the directory, then the images in its order.
QByteArray icoFrom(const QImage &source, const QList<int> &sizes)
{
    QList<QByteArray> bitmaps;
    for (const int size : sizes) {
        bitmaps.append(bitmapFrom(source.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
        if (bitmaps.back().isEmpty() || size > 255) {
            return {};
        }
    }
    QByteArray out;
    put16(out, 0); // reserved
    put16(out, 1); // type: icon
    put16(out, quint16(sizes.size()));
    quint32 offset = 6 + 16 * quint32(sizes.size());
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        // Width, height, colour count (0: 256) and a reserved byte; planes, bits per pixel,
        // the image's length and where it starts.
        out.append(char(sizes[i])).append(char(sizes[i])).append(char(0)).append(char(0));
        put16(out, 1);
        put16(out, 8);
        put32(out, quint32(bitmaps[i].size()));
        put32(out, offset);
        offset += quint32(bitmaps[i].size());
    }
    for (const QByteArray &bitmap : bitmaps) {
        out.append(bitmap);
    }
    return out;
}

// "16,24,32": the sizes, or none where one is not a size.
QList<int> sizesIn(const char *list)
{
    QList<int> sizes;
    for (const QByteArray &word : QByteArray(list).split(',')) {
        bool ok = false;
        const int size = word.toInt(&ok);
        if (!ok || size <= 0) {
            return {};
        }
        sizes.append(size);
    }
    return sizes;
}

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: iconbake SOURCE.xpm OUTPUT_DIR NAME ICO_SIZES PNG_SIZES\n");
        return 2;
    }
    const QImage source = QImage(QString::fromLocal8Bit(argv[1]), "XPM").convertToFormat(QImage::Format_ARGB32);
    if (source.isNull() || source.width() != SourceSize || source.height() != SourceSize) {
        std::fprintf(stderr, "iconbake: %s is not a %dx%d XPM image\n", argv[1], SourceSize, SourceSize);
        return 1;
    }
    const QList<int> icoSizes = sizesIn(argv[4]);
    const QList<int> pngSizes = sizesIn(argv[5]);
    if (icoSizes.isEmpty() || pngSizes.isEmpty()) {
        std::fprintf(stderr, "iconbake: %s or %s is not a list of sizes\n", argv[4], argv[5]);
        return 2;
    }
    const QString base = QString::fromLocal8Bit(argv[2]) + QLatin1Char('/') + QString::fromLocal8Bit(argv[3]);
    const QByteArray ico = icoFrom(source, icoSizes);
    if (ico.isEmpty() || !write(base + QStringLiteral(".ico"), ico)) {
        std::fprintf(stderr, "iconbake: cannot write the .ico\n");
        return 1;
    }
    for (const int size : pngSizes) {
        const QImage scaled = source.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (!scaled.save(base + QStringLiteral("-%1.png").arg(size), "PNG")) {
            std::fprintf(stderr, "iconbake: cannot write the %d pixel PNG\n", size);
            return 1;
        }
    }
    return 0;
}
