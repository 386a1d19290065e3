#include "engine/catalogue/search_rule.h"

#include <QStringList>

namespace kelvane::catalogue {

namespace {

QChar foldAscii(QChar c) {
    return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + 32) : c;
}

bool sameAscii(QStringView a, QStringView b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (foldAscii(a[i]) != foldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

QString prefixPattern(const QString& search) {
    QString pattern;
    for (QChar c : search) {
        if (c == u'*') {
            pattern.append(u'%');
        } else {
            if (c == u'%' || c == u'_' || c == u'\\') {
                pattern.append(u'\\');
            }
            pattern.append(c);
        }
    }
    return pattern + u'%';
}

bool matchesPrefixSearch(QStringView value, const QString& search) {
    return PrefixSearch(search).matches(value);
}

bool PrefixSearch::matches(QStringView value) const {
    qsizetype at = 0;
    for (int i = 0; i < m_parts.size(); ++i) {
        const QStringView part(m_parts[i]);
        if (i == 0) {
            if (value.size() < part.size() || !sameAscii(value.first(part.size()), part)) {
                return false;
            }
            at = part.size();
            continue;
        }
        qsizetype found = -1;
        for (qsizetype from = at; from + part.size() <= value.size(); ++from) {
            if (sameAscii(value.mid(from, part.size()), part)) {
                found = from;
                break;
            }
        }
        if (found < 0) {
            return false;
        }
        at = found + part.size();
    }
    return true;
}

}  // namespace kelvane::catalogue
