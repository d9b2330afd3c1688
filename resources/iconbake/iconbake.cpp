// Build tool: turns the icon's XPM source into the images the platforms want.
//   iconbake SOURCE.xpm OUTPUT_DIR NAME SIZE...
// writes NAME.ico (32 x 32, 256-colour palette and transparency mask) and NAME-SIZE.png
// for each SIZE, scaled without smoothing so the pixel art stays crisp.

#include <QFile>
#include <QImage>
#include <QtEndian>

#include <cstdio>

namespace {

constexpr int IcoSize = 32;

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

// One 32 x 32 image, 8 bits per pixel: header, palette, colour rows, mask rows (both bottom-up).
// Palette entry 0 stands under the transparent pixels; the picture's own colours follow, exact.
QByteArray icoFrom(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    QList<QRgb> palette{qRgb(0, 0, 0)};
    QList<uchar> indexes;
    for (int y = IcoSize - 1; y >= 0; --y) {
        for (int x = 0; x < IcoSize; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0) {
                indexes.append(0);
                continue;
            }
            const QRgb colour = qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
            qsizetype index = palette.indexOf(colour, 1);
            if (index < 0) {
                index = palette.size();
                palette.append(colour);
            }
            indexes.append(static_cast<uchar>(index));
        }
    }
    if (palette.size() > 256) {
        return {};
    }
    palette.resize(256, qRgb(0, 0, 0));

    constexpr int colourRow = IcoSize;   // bytes, already a multiple of 4
    constexpr int maskRow = IcoSize / 8; // 4 bytes: 32 bits
    constexpr int bitmapSize = 40 + 256 * 4 + colourRow * IcoSize + maskRow * IcoSize;

    QByteArray out;
    put16(out, 0); // reserved
    put16(out, 1); // type: icon
    put16(out, 1); // one image
    // Width, height, colour count (0: 256) and a reserved byte.
    out.append(char(IcoSize)).append(char(IcoSize)).append(char(0)).append(char(0));
    put16(out, 1); // planes
    put16(out, 8); // bits per pixel
    put32(out, bitmapSize);
    put32(out, 6 + 16);

    put32(out, 40);
    put32(out, IcoSize);
    put32(out, IcoSize * 2); // colour rows and mask rows
    put16(out, 1);
    put16(out, 8);
    put32(out, 0); // no compression
    put32(out, colourRow * IcoSize + maskRow * IcoSize);
    put32(out, 0);
    put32(out, 0);
    put32(out, 256);
    put32(out, 0);
    for (const QRgb colour : palette) {
        out.append(char(qBlue(colour))).append(char(qGreen(colour))).append(char(qRed(colour))).append(char(0));
    }
    for (const uchar index : indexes) {
        out.append(char(index));
    }
    for (int y = IcoSize - 1; y >= 0; --y) {
        quint32 bits = 0;
        for (int x = 0; x < IcoSize; ++x) {
            if (qAlpha(image.pixel(x, y)) == 0) {
                bits |= 0x80000000U >> x;
            }
        }
        const quint32 be = qToBigEndian(bits);
        out.append(reinterpret_cast<const char *>(&be), sizeof be);
    }
    return out;
}

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: iconbake SOURCE.xpm OUTPUT_DIR NAME SIZE...\n");
        return 2;
    }
    const QImage source = QImage(QString::fromLocal8Bit(argv[1]), "XPM").convertToFormat(QImage::Format_ARGB32);
    if (source.isNull() || source.width() != IcoSize || source.height() != IcoSize) {
        std::fprintf(stderr, "iconbake: %s is not a %dx%d XPM image\n", argv[1], IcoSize, IcoSize);
        return 1;
    }
    const QString base = QString::fromLocal8Bit(argv[2]) + QLatin1Char('/') + QString::fromLocal8Bit(argv[3]);
    const QByteArray ico = icoFrom(source);
    if (ico.isEmpty() || !write(base + QStringLiteral(".ico"), ico)) {
        std::fprintf(stderr, "iconbake: cannot write the .ico\n");
        return 1;
    }
    for (int i = 4; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        if (size <= 0) {
            std::fprintf(stderr, "iconbake: %s is not a size\n", argv[i]);
            return 2;
        }
        const QImage scaled = source.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (!scaled.save(base + QStringLiteral("-%1.png").arg(size), "PNG")) {
            std::fprintf(stderr, "iconbake: cannot write the %d pixel PNG\n", size);
            return 1;
        }
    }
    return 0;
}
