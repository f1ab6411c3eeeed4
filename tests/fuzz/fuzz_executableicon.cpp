// ExecutableIcon reading any bytes as a program file. Whatever they hold: no
// crash, no read beyond the file, and either nothing or an .ico file of one
// picture whose entry says where that picture is and how long it is.

#include "fuzzcheck.h"

#include "core/executableicon.h"

#include <QBuffer>
#include <QtEndian>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QBuffer file;
    file.setData(reinterpret_cast<const char *>(data), qsizetype(size));
    file.open(QIODevice::ReadOnly);
    const QByteArray ico = ExecutableIcon::read(file);
    if (ico.isEmpty())
        return 0;
    const auto at = [&](int offset) {
        return qFromLittleEndian<quint32>(ico.constData() + offset);
    };
    if (ico.size() <= 22 || !ico.startsWith(QByteArrayView("\0\0\1\0\1\0", 6)) || at(18) != 22 ||
        at(14) != quint32(ico.size() - 22) || ico.size() > (1 << 20) + 22)
        fuzzFault("ico",
                  QStringLiteral("%1 bytes that are no icon of one picture").arg(ico.size()));
    return 0;
}
