// The baked icon files: the .ico holds an image for each size Windows asks for, each with a
// 256-colour palette and a transparency mask, and they and the PNGs show exactly the pixels of
// the XPM source, scaled without smoothing.

#include <QFile>
#include <QImage>
#include <QTest>
#include <QtEndian>

#include <iterator>

namespace {

const QString SourceDir = QStringLiteral(PRINCE_SOURCE_DIR);
const QString IconDir = QStringLiteral(PRINCE_ICON_DIR);

quint16 u16(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 u32(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

QImage sourceIcon()
{
    return QImage(SourceDir + QStringLiteral("/resources/hamburger.xpm"), "XPM").convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class ResourcesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void icoHoldsEverySizeWithPaletteAndMask_data()
    {
        QTest::addColumn<int>("size");
        for (const int size : {PRINCE_ICO_SIZES}) {
            QTest::addRow("%d", size) << size;
        }
    }
    void icoHoldsEverySizeWithPaletteAndMask()
    {
        QFETCH(int, size);
        QFile file(IconDir + QStringLiteral("/prince-trials.ico"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray ico = file.readAll();
        QCOMPARE(u16(ico, 0), quint16{0});
        QCOMPARE(u16(ico, 2), quint16{1}); // icon
        const int count = u16(ico, 4);
        QCOMPARE(count, int(std::size({PRINCE_ICO_SIZES})));

        int entry = 6;
        while (entry < 6 + 16 * count && quint8(ico[entry]) != size) {
            entry += 16;
        }
        QVERIFY2(entry < 6 + 16 * count, "no image of this size");
        QCOMPARE(quint8(ico[entry + 1]), quint8(size));
        QCOMPARE(u16(ico, entry + 6), quint16{8});
        const int header = int(u32(ico, entry + 12));
        QCOMPARE(u32(ico, header), quint32{40});
        QCOMPARE(u32(ico, header + 4), quint32(size));
        QCOMPARE(u32(ico, header + 8), quint32(size * 2)); // colour and mask
        QCOMPARE(u16(ico, header + 14), quint16{8});
        QCOMPARE(u32(ico, header + 16), quint32{0});

        // Rows are padded to 32 bits and stored bottom-up; the mask marks the clear pixels.
        const int palette = header + 40;
        const int colours = palette + 256 * 4;
        const int maskRow = (((size + 7) / 8) + 3) / 4 * 4;
        const int mask = colours + size * size;
        QCOMPARE(qsizetype(u32(ico, entry + 8)), qsizetype(mask + maskRow * size - header));

        // The 32 x 32 image is the picture itself; the others, scaled without smoothing.
        const QImage expected = sourceIcon().scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        int transparent = 0;
        for (int y = 0; y < size; ++y) {
            const int row = size - 1 - y;
            for (int x = 0; x < size; ++x) {
                const QRgb want = expected.pixel(x, y);
                const bool clear = (quint8(ico[mask + row * maskRow + x / 8]) & (0x80U >> (x % 8))) != 0;
                QCOMPARE(clear, qAlpha(want) == 0);
                if (clear) {
                    ++transparent;
                    continue;
                }
                const int index = quint8(ico[colours + row * size + x]);
                const int at = palette + index * 4;
                QCOMPARE(qRgb(quint8(ico[at + 2]), quint8(ico[at + 1]), quint8(ico[at])), qRgb(qRed(want), qGreen(want), qBlue(want)));
            }
        }
        QVERIFY(transparent > 0 && transparent < size * size);
    }

    void pngsScaleThePixelArt_data()
    {
        QTest::addColumn<int>("size");
        for (const int size : {PRINCE_ICON_SIZES}) {
            QTest::addRow("%d", size) << size;
        }
    }
    void pngsScaleThePixelArt()
    {
        QFETCH(int, size);
        const QImage png = QImage(IconDir + QStringLiteral("/prince-trials-%1.png").arg(size)).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(png.size(), QSize(size, size));
        const QImage expected = sourceIcon().scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        QCOMPARE(png, expected);
        QCOMPARE(qAlpha(png.pixel(0, 0)), 0);
    }
};

QTEST_APPLESS_MAIN(ResourcesTest)
#include "tst_resources.moc"
