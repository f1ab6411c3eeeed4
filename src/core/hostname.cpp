#include "hostname.h"

namespace {

constexpr char16_t firstRaw = 0xDC80;
constexpr char16_t lastRaw = 0xDCFF;

bool isContinuation(uchar byte, uchar low = 0x80, uchar high = 0xBF)
{
    return byte >= low && byte <= high;
}

// The length of the valid UTF-8 sequence at `at`, or 0 when there is none:
// no overlong forms, no surrogates, nothing above U+10FFFF.
qsizetype sequenceAt(QByteArrayView bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) {
        return at + i < bytes.size() ? static_cast<uchar>(bytes[at + i]) : uchar(0);
    };
    const uchar lead = byte(0);
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return isContinuation(byte(1)) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const uchar low = lead == 0xE0 ? 0xA0 : 0x80;
        const uchar high = lead == 0xED ? 0x9F : 0xBF;
        return isContinuation(byte(1), low, high) && isContinuation(byte(2)) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const uchar low = lead == 0xF0 ? 0x90 : 0x80;
        const uchar high = lead == 0xF4 ? 0x8F : 0xBF;
        return isContinuation(byte(1), low, high) && isContinuation(byte(2)) &&
                       isContinuation(byte(3))
                   ? 4
                   : 0;
    }
    return 0;
}

// A raw byte's stand-in, unless it is the second half of a surrogate pair.
bool isRawAt(QStringView text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    return c >= firstRaw && c <= lastRaw && (i == 0 || !text[i - 1].isHighSurrogate());
}

} // namespace

namespace HostName {

QString fromBytes(QByteArrayView bytes)
{
    QString text;
    qsizetype runStart = 0;
    qsizetype at = 0;
    while (at < bytes.size()) {
        if (const qsizetype length = sequenceAt(bytes, at)) {
            at += length;
            continue;
        }
        if (runStart == 0 && text.isEmpty())
            text.reserve(bytes.size());
        text += QString::fromUtf8(bytes.sliced(runStart, at - runStart));
        text += QChar(char16_t(0xDC00 + static_cast<uchar>(bytes[at])));
        runStart = ++at;
    }
    if (runStart == 0)
        return QString::fromUtf8(bytes);
    return text + QString::fromUtf8(bytes.sliced(runStart));
}

QByteArray toBytes(QStringView text)
{
    QByteArray bytes;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isRawAt(text, i))
            continue;
        bytes += text.sliced(runStart, i - runStart).toUtf8();
        bytes += static_cast<char>(text[i].unicode() - 0xDC00);
        runStart = i + 1;
    }
    if (runStart == 0)
        return text.toUtf8();
    return bytes + text.sliced(runStart).toUtf8();
}

bool hasRawBytes(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isRawAt(text, i))
            return true;
    }
    return false;
}

QString forDisplay(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isRawAt(text, i))
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

} // namespace HostName
