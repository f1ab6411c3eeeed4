#include "wildcardpattern.h"

WildcardPattern::WildcardPattern(const QString &pattern) : m_text(pattern), m_folded(fold(pattern))
{
    m_all =
        m_folded.isEmpty() || m_folded == QStringLiteral("*") || m_folded == QStringLiteral("*.*");
    m_literal = !m_folded.contains(QLatin1Char('*')) && !m_folded.contains(QLatin1Char('?'));
    if (m_folded.endsWith(QStringLiteral(".*")))
        m_withoutDotTail = m_folded.chopped(2);
    else if (m_folded.endsWith(QLatin1Char('.')) && !m_folded.endsWith(QStringLiteral("..")))
        m_withoutDotTail = m_folded.chopped(1);
}

bool WildcardPattern::matchesFolded(QStringView foldedName) const
{
    if (m_all)
        return true;
    const bool withoutDot = !m_withoutDotTail.isEmpty() && !foldedName.contains(QLatin1Char('.'));
    if (withoutDot && glob(m_withoutDotTail, foldedName))
        return true;
    if (m_literal)
        return foldedName == m_folded;
    return glob(m_folded, foldedName);
}

// The usual walk with one remembered star: on a mismatch the last star takes
// one more character. Linear for the patterns people type.
bool WildcardPattern::glob(QStringView pattern, QStringView name)
{
    qsizetype p = 0;
    qsizetype n = 0;
    qsizetype star = -1;
    qsizetype starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            star = p++;
            starName = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == QLatin1Char('?') || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (star >= 0) {
            p = star + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}
