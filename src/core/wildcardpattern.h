#pragma once

#include <QString>
#include <QStringView>

// A DOS file name pattern: * stands for any run of characters, ? for exactly
// one, and letters compare without regard to case. Names are case-folded once
// (fold()) when a folder is read, so each keystroke only walks characters.
//
// Two DOS habits are kept: a pattern ending in ".*" also matches names without
// any dot ("*.*" lists every file, "readme.*" finds "readme"), and a pattern
// ending in a lone "." matches names without an extension ("*." lists them).
class WildcardPattern
{
public:
    WildcardPattern() = default; // empty: matches every name
    explicit WildcardPattern(const QString &pattern);

    static QString fold(const QString &name) { return name.toCaseFolded(); }

    bool matchesFolded(QStringView foldedName) const;
    bool matches(const QString &name) const { return matchesFolded(fold(name)); }

    const QString &text() const { return m_text; }

private:
    static bool glob(QStringView pattern, QStringView name);

    QString m_text;
    QString m_folded;
    QString m_withoutDotTail; // the pattern without its ".*" or "." ending, if it has one
    bool m_all = true;
    bool m_literal = false;
};
