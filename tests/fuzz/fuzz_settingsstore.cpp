// The settings store reading an arbitrary file, then reading, writing and
// deleting sections as the input says. After every step it checks what the
// program relies on: a written value reads back exactly, under its names in
// any letter case and from a fresh store on the same file; a deleted section
// reads as absent; a value with a line break or a NUL is refused and changes
// nothing.

#include "fuzzcheck.h"

#include "core/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <utility>

namespace {

const char *const programNames[] = {
    "Settings",         "LoadOnStartup", "TolvaneConfirm",        "ShowWindow",
    "TrayIconSettings", "Enable",        "Path/Filename",         "Batch",
    "InstallDirectory", "Directory",     "TolvaneConfirmSettings"};

// The program's own names, or one made of the characters names are made of.
QString name(FuzzedDataProvider &in)
{
    if (in.ConsumeBool())
        return QString::fromLatin1(
            programNames[in.ConsumeIntegralInRange<size_t>(0, std::size(programNames) - 1)]);
    static const char alphabet[] = "abcXYZ019/ _.-";
    QString made;
    for (const char c : in.ConsumeRandomLengthString(12))
        made += QLatin1Char(alphabet[static_cast<unsigned char>(c) % (sizeof alphabet - 1)]);
    made = made.trimmed();
    return made.isEmpty() ? QStringLiteral("x") : made;
}

QString inAnyCase(const QString &name, FuzzedDataProvider &in)
{
    QString other = name;
    for (QChar &c : other) {
        if (c.unicode() < 128 && c.isLetter() && in.ConsumeBool())
            c = c.isUpper() ? c.toLower() : c.toUpper();
    }
    return other;
}

using EntryName = std::pair<QString, QString>; // lower case

struct Model
{
    std::map<EntryName, QString> written;
    std::set<QString> wiped; // deleted sections: absent unless written since

    // What a read must give, when the model knows.
    std::optional<std::optional<QString>> expect(const QString &section, const QString &key) const
    {
        const auto it = written.find({section.toLower(), key.toLower()});
        if (it != written.end())
            return std::optional<QString>(it->second);
        if (wiped.count(section.toLower()))
            return std::optional<QString>();
        return std::nullopt;
    }
};

const QString absent = QStringLiteral("\x01<absent>");

void checkRead(const SettingsStore &store, const Model &model, const QString &section,
               const QString &key, const char *where)
{
    const auto expected = model.expect(section, key);
    if (!expected)
        return;
    const QString got = store.read(section, key, absent);
    const QString want = expected->value_or(absent);
    if (got != want)
        fuzzFault(
            where,
            QStringLiteral("[%1] %2: read \"%3\", expected \"%4\"").arg(section, key, got, want));
}

struct Place
{
    QTemporaryDir dir;
    QString ini = dir.filePath(QStringLiteral("Tolvane/Tolvane.ini"));
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Place place;
    FuzzedDataProvider in(data, size);

    QDir(place.dir.path()).removeRecursively();
    QDir().mkpath(QFileInfo(place.ini).absolutePath());
    {
        QFile file(place.ini);
        if (!file.open(QIODevice::WriteOnly))
            fuzzFault("setup", file.errorString());
        const std::string text = in.ConsumeRandomLengthString(4096);
        file.write(text.data(), qint64(text.size()));
    }

    SettingsStore store(place.ini);
    Model model;
    bool allSaved = !store.isMemoryOnly();
    for (int step = 0; step < 24 && in.remaining_bytes() > 0; ++step) {
        const QString section = name(in);
        const QString key = name(in);
        switch (in.ConsumeIntegralInRange(0, 2)) {
        case 0:
            store.read(inAnyCase(section, in), inAnyCase(key, in), absent);
            break;
        case 1: {
            const QString value = QString::fromStdString(in.ConsumeRandomLengthString(80));
            const bool lineBreak = value.contains(QLatin1Char('\n')) ||
                                   value.contains(QLatin1Char('\r')) || value.contains(QChar::Null);
            const bool saved = store.write(inAnyCase(section, in), inAnyCase(key, in), value);
            if (lineBreak) {
                if (saved)
                    fuzzFault("write",
                              QStringLiteral("a value with a line break or NUL was taken"));
            } else {
                model.written[{section.toLower(), key.toLower()}] = value;
                allSaved = allSaved && saved;
                if (!saved && !store.isMemoryOnly())
                    fuzzFault("write", QStringLiteral("failed: ") + store.problem());
            }
            break;
        }
        case 2: {
            store.deleteSection(inAnyCase(section, in));
            const QString wiped = section.toLower();
            model.wiped.insert(wiped);
            for (auto it = model.written.begin(); it != model.written.end();)
                it = it->first.first == wiped ? model.written.erase(it) : std::next(it);
            break;
        }
        }
        checkRead(store, model, inAnyCase(section, in), inAnyCase(key, in), "same store");
    }

    // Everything the model knows, again from this store and from the file.
    for (const auto &[entry, value] : model.written)
        checkRead(store, model, entry.first, entry.second, "same store, at the end");
    if (allSaved) {
        const SettingsStore next(place.ini);
        for (const auto &[entry, value] : model.written)
            checkRead(next, model, entry.first.toUpper(), entry.second, "fresh store");
        for (const QString &section : model.wiped)
            checkRead(next, model, section, QStringLiteral("Settings"), "fresh store, deleted");
    }
    return 0;
}
