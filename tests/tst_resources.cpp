// The baked icon files: the .ico is one 32 x 32 image with a 256-colour palette and a
// transparency mask, and it and the PNGs show exactly the pixels of the XPM source.

#include <QFile>
#include <QImage>
#include <QTest>
#include <QtEndian>

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
    void icoIsOne32x32PaletteImageWithMask()
    {
        QFile file(IconDir + QStringLiteral("/prince-trials.ico"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray ico = file.readAll();

        QCOMPARE(u16(ico, 0), quint16{0});
        QCOMPARE(u16(ico, 2), quint16{1}); // icon
        QCOMPARE(u16(ico, 4), quint16{1}); // one image
        QCOMPARE(quint8(ico[6]), quint8{32});
        QCOMPARE(quint8(ico[7]), quint8{32});
        QCOMPARE(u16(ico, 12), quint16{8});
        const quint32 size = u32(ico, 14);
        const quint32 offset = u32(ico, 18);
        QCOMPARE(qsizetype(offset + size), ico.size());

        const int header = int(offset);
        QCOMPARE(u32(ico, header), quint32{40});
        QCOMPARE(u32(ico, header + 4), quint32{32});
        QCOMPARE(u32(ico, header + 8), quint32{64}); // colour and mask
        QCOMPARE(u16(ico, header + 14), quint16{8});
        QCOMPARE(u32(ico, header + 16), quint32{0});

        const int palette = header + 40;
        const int colours = palette + 256 * 4;
        const int mask = colours + 32 * 32;
        QCOMPARE(ico.size(), qsizetype(mask + 32 * 4));

        const QImage source = sourceIcon();
        int transparent = 0;
        for (int y = 0; y < 32; ++y) {
            const int row = 31 - y; // rows are stored bottom-up
            const quint32 maskBits = qFromBigEndian<quint32>(ico.constData() + mask + row * 4);
            for (int x = 0; x < 32; ++x) {
                const QRgb expected = source.pixel(x, y);
                const bool clear = (maskBits & (0x80000000U >> x)) != 0;
                QCOMPARE(clear, qAlpha(expected) == 0);
                if (clear) {
                    ++transparent;
                    continue;
                }
                const int index = quint8(ico[colours + row * 32 + x]);
                const int entry = palette + index * 4;
                const QRgb stored = qRgb(quint8(ico[entry + 2]), quint8(ico[entry + 1]), quint8(ico[entry]));
                QCOMPARE(stored, qRgb(qRed(expected), qGreen(expected), qBlue(expected)));
            }
        }
        QVERIFY(transparent > 0 && transparent < 32 * 32);
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
