#include "executableicon.h"

#include "hostname.h"

#include <QFile>
#include <QtEndian>

#include <optional>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 largestPicture = 1 << 20; // a 256 x 256 picture takes a quarter of it
constexpr quint32 iconType = 3;
constexpr quint32 iconGroupType = 14;
constexpr quint32 mostEntries = 4096;
constexpr quint16 mostSections = 96; // as many as Windows loads

quint16 u16(const QByteArray &data, qsizetype at)
{
    return qFromLittleEndian<quint16>(data.constData() + at);
}

quint32 u32(const QByteArray &data, qsizetype at)
{
    return qFromLittleEndian<quint32>(data.constData() + at);
}

// The parts of a PE file that lead to its resources.
class PeFile
{
public:
    explicit PeFile(QIODevice &file) : m_file(file), m_size(file.size()) {}

    std::optional<QByteArray> bytes(qint64 offset, qint64 count) const
    {
        if (offset < 0 || count < 0 || offset > m_size || count > m_size - offset ||
            !m_file.seek(offset))
            return std::nullopt;
        QByteArray data = m_file.read(count);
        if (data.size() != count)
            return std::nullopt;
        return data;
    }

    // Finds the section table and the resources' place; false for anything
    // that is not a PE file with resources.
    bool open()
    {
        const auto dos = bytes(0, 64);
        if (!dos || !dos->startsWith("MZ"))
            return false;
        const qint64 pe = u32(*dos, 0x3c);
        const auto header = bytes(pe, 24);
        if (!header || !header->startsWith(QByteArrayView("PE\0\0", 4)))
            return false;
        const quint16 sections = u16(*header, 6);
        const quint16 optionalSize = u16(*header, 20);
        const auto optional = bytes(pe + 24, optionalSize);
        if (!optional || optionalSize < 2 || sections > mostSections)
            return false;
        // The resource table is the third of the data directories.
        const quint16 magic = u16(*optional, 0);
        const qsizetype directories = magic == 0x20b ? 112 : magic == 0x10b ? 96 : -1;
        if (directories < 0 || directories + 24 > optionalSize)
            return false;
        m_sections = bytes(pe + 24 + optionalSize, 40 * qint64(sections)).value_or(QByteArray());
        const auto resources = offsetOf(u32(*optional, directories + 16));
        m_resources = resources.value_or(-1);
        return resources.has_value();
    }

    // Where an address of the loaded program lies in the file.
    std::optional<qint64> offsetOf(quint32 address) const
    {
        for (qsizetype at = 0; at + 40 <= m_sections.size(); at += 40) {
            const quint32 start = u32(m_sections, at + 12);
            const quint32 rawSize = u32(m_sections, at + 16);
            if (address >= start && address - start < rawSize)
                return qint64(u32(m_sections, at + 20)) + (address - start);
        }
        return std::nullopt;
    }

    struct Entry
    {
        quint32 name; // a number, unless `named`
        bool named;
        bool folder;
        quint32 offset; // from the start of the resources
    };

    std::vector<Entry> folder(quint32 offset) const
    {
        std::vector<Entry> entries;
        const auto head = bytes(m_resources + offset, 16);
        if (!head)
            return entries;
        const quint32 count = std::min<quint32>(mostEntries, u16(*head, 12) + u16(*head, 14));
        const auto list = bytes(m_resources + offset + 16, 8 * qint64(count));
        for (qsizetype at = 0; list && at < list->size(); at += 8) {
            const quint32 name = u32(*list, at);
            const quint32 target = u32(*list, at + 4);
            entries.push_back(
                {name & 0x7fffffff, bool(name >> 31), bool(target >> 31), target & 0x7fffffff});
        }
        return entries;
    }

    // The data of the resource of a type and number, in its first language;
    // without a number, of the type's first resource.
    std::optional<QByteArray> resource(quint32 type, std::optional<quint32> number) const
    {
        const auto isFolder = [](const Entry &e) { return e.folder; };
        for (const Entry &byType : folder(0)) {
            if (byType.named || byType.name != type || !byType.folder)
                continue;
            for (const Entry &byName : folder(byType.offset)) {
                if (!byName.folder || (number && (byName.named || byName.name != *number)))
                    continue;
                const auto languages = folder(byName.offset);
                const auto data = std::find_if_not(languages.begin(), languages.end(), isFolder);
                return data == languages.end() ? std::nullopt : dataAt(data->offset);
            }
        }
        return std::nullopt;
    }

private:
    std::optional<QByteArray> dataAt(quint32 offset) const
    {
        const auto entry = bytes(m_resources + offset, 16);
        if (!entry || u32(*entry, 4) > largestPicture)
            return std::nullopt;
        const auto at = offsetOf(u32(*entry, 0));
        return at ? bytes(*at, u32(*entry, 4)) : std::nullopt;
    }

    QIODevice &m_file;
    qint64 m_size;
    QByteArray m_sections;
    qint64 m_resources = -1;
};

// The group's entry of the largest picture, the one of most colours among
// those of that size; 0 stands for 256 pixels.
std::optional<qsizetype> largestIn(const QByteArray &group)
{
    if (group.size() < 6 || u16(group, 0) != 0 || u16(group, 2) != 1)
        return std::nullopt;
    const qsizetype count = std::min<qsizetype>(u16(group, 4), (group.size() - 6) / 14);
    std::optional<qsizetype> best;
    const auto rank = [&](qsizetype at) {
        const int width = quint8(group.at(at)) == 0 ? 256 : quint8(group.at(at));
        return std::pair(width, u16(group, at + 6));
    };
    for (qsizetype at = 6; at < 6 + 14 * count; at += 14) {
        if (!best || rank(at) > rank(*best))
            best = at;
    }
    return best;
}

} // namespace

namespace ExecutableIcon {

QByteArray read(QIODevice &file)
{
    PeFile pe(file);
    if (file.isSequential() || !pe.open())
        return {};
    const auto group = pe.resource(iconGroupType, std::nullopt);
    const auto best = group ? largestIn(*group) : std::nullopt;
    if (!best)
        return {};
    const auto picture = pe.resource(iconType, u16(*group, *best + 12));
    if (!picture || picture->isEmpty())
        return {};
    // An .ico file of one picture: its header, its entry, then the picture.
    QByteArray ico(6 + 16, '\0');
    qToLittleEndian<quint16>(1, ico.data() + 2);
    qToLittleEndian<quint16>(1, ico.data() + 4);
    std::copy_n(group->constData() + *best, 8, ico.data() + 6); // size, colours, planes, depth
    qToLittleEndian<quint32>(quint32(picture->size()), ico.data() + 14);
    qToLittleEndian<quint32>(quint32(ico.size()), ico.data() + 18);
    return ico + *picture;
}

QByteArray fromFile(const QString &path)
{
    // Non-blocking, so a named pipe in the program's place cannot hold the
    // open; only a plain file is read.
    const int fd = ::open(HostName::toBytes(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat info
    {
    };
    QFile file;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    return read(file);
}

} // namespace ExecutableIcon
