#include "testfiles.h"

#include "core/executableicon.h"
#include "ui/menuicon.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

// The low `size` bytes of the value, least significant first.
QByteArray le(quint32 value, int size)
{
    const quint32 bytes = qToLittleEndian(value);
    return QByteArray(reinterpret_cast<const char *>(&bytes), size);
}

// A resource: a folder of nodes, or data when it has none.
struct Node
{
    quint32 id;
    QList<Node> children;
    QByteArray data = {};
};

// Appends a resource folder to `res`; its offset. Data addresses count from
// `base`, where the resources are loaded.
quint32 put(QByteArray &res, const QList<Node> &nodes, quint32 base)
{
    const quint32 at = quint32(res.size());
    res += QByteArray(12, '\0') + le(0, 2) + le(quint32(nodes.size()), 2);
    res += QByteArray(8 * nodes.size(), '\0');
    for (int i = 0; i < nodes.size(); ++i) {
        quint32 target = quint32(res.size());
        if (nodes[i].children.isEmpty())
            res += le(base + target + 16, 4) + le(quint32(nodes[i].data.size()), 4) +
                   QByteArray(8, '\0') + nodes[i].data;
        else
            target = put(res, nodes[i].children, base) | 0x80000000;
        res.replace(at + 16 + 8 * i, 8, le(nodes[i].id, 4) + le(target, 4));
    }
    return at;
}

// A 64-bit Windows program of one section, its resources loaded at 0x200.
QByteArray program(const QList<Node> &resources)
{
    QByteArray res;
    put(res, resources, 0x200);
    QByteArray file = "MZ" + QByteArray(0x3a, '\0') + le(0x40, 4);
    file += QByteArray("PE\0\0", 4) + le(0x8664, 2) + le(1, 2) + QByteArray(12, '\0') + le(240, 2) +
            le(0x22, 2);
    QByteArray optional = le(0x20b, 2) + QByteArray(106, '\0') + le(16, 4) + QByteArray(128, '\0');
    optional.replace(128, 8, le(0x200, 4) + le(quint32(res.size()), 4));
    file += optional + QByteArray(".rsrc\0\0\0", 8) + le(quint32(res.size()), 4) + le(0x200, 4) +
            le(quint32(res.size()), 4) + le(0x200, 4) + QByteArray(16, '\0');
    return file + QByteArray(0x200 - file.size(), '\0') + res;
}

// A square picture of one colour, as an icon resource holds it.
QByteArray picture(int size, quint32 bgra)
{
    QByteArray dib =
        le(40, 4) + le(size, 4) + le(2 * size, 4) + le(1, 2) + le(32, 2) + QByteArray(24, '\0');
    for (int i = 0; i < size * size; ++i)
        dib += le(bgra, 4);
    return dib + QByteArray(4 * size, '\0'); // the mask: all shown
}

QByteArray groupOf(const QList<std::pair<int, quint16>> &pictures) // size, resource number
{
    QByteArray group = le(0, 2) + le(1, 2) + le(quint32(pictures.size()), 2);
    for (const auto &[size, number] : pictures)
        group += QByteArray(1, char(size)) + QByteArray(1, char(size)) + QByteArray(2, '\0') +
                 le(1, 2) + le(32, 2) + le(quint32(picture(size, 0).size()), 4) + le(number, 2);
    return group;
}

const QByteArray withIcon = program(
    {{3,
      {{1, {{0x409, {}, picture(16, 0xff00ff00)}}}, {2, {{0x409, {}, picture(32, 0xffff0000)}}}}},
     {14, {{101, {{0x409, {}, groupOf({{16, 1}, {32, 2}})}}}}}});

} // namespace

// The picture a batch file's menu entry shows: the program's own icon, read
// out of its file, or Tolvane's where there is none to read.
class TestMenuIcon : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;

private Q_SLOTS:
    void icon_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("size"); // 0: Tolvane's own

        QTest::newRow("the larger of two pictures") << withIcon << 32;
        QTest::newRow("pictures but no group")
            << program({{3, {{1, {{0, {}, picture(16, 0)}}}}}}) << 0;
        QTest::newRow("a group naming no picture")
            << program({{3, {}}, {14, {{1, {{0, {}, groupOf({{16, 9}})}}}}}}) << 0;
        QTest::newRow("no Windows program") << QByteArray("MZ just a DOS program") << 0;
        QTest::newRow("cut short") << withIcon.left(withIcon.size() - 100) << 0;
        QByteArray far = withIcon;
        far.replace(0x3c, 4, le(0x7ffffff0, 4));
        QTest::newRow("header far past the end") << far << 0;
        // The root's first entry leads back to the root itself.
        QByteArray loop = withIcon;
        loop.replace(0x200 + 20, 4, le(0x80000000, 4));
        QTest::newRow("a folder that holds itself") << loop << 0;
    }

    void icon()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, size);
        const QString path = m_tmp.filePath(QStringLiteral("program.exe"));
        TestFiles::write(path, file);
        QCOMPARE(ExecutableIcon::fromFile(path).isEmpty(), size == 0);
        const QImage shown = QImage::fromData(menuIconPng(path), "PNG");
        if (size == 0) {
            QCOMPARE(shown, QImage(QStringLiteral(":/tolvane/tolvane.png")));
        } else {
            QCOMPARE(shown.size(), QSize(size, size));
            QCOMPARE(shown.pixel(size / 2, size / 2), qRgba(255, 0, 0, 255));
        }
    }
};

QTEST_MAIN(TestMenuIcon)
#include "tst_menuicon.moc"
