#include "engine/base/language.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTranslator>
#include <QXmlStreamReader>

#include <algorithm>
#include <vector>

namespace kelvane {
namespace {

// Where the build puts the compiled translation and its source, which the
// programs embed as resources.
const QString kTranslation = QStringLiteral(":/i18n/kelvane_en.qm");
const QString kTranslationSource = QStringLiteral(":/i18n/kelvane_en.ts");
// The context the engine's messages are marked in.
const QString kMessages = QStringLiteral("kelvane::messages");

Language g_language = Language::Chinese;

QTranslator& translator() {
    static QTranslator* const instance = new QTranslator(QCoreApplication::instance());
    return *instance;
}

// A message pattern with values: its source as an expression whose groups
// are the values in the order of %1, %2, …, and the translation.
struct Pattern {
    QRegularExpression source;
    std::vector<int> order;  // the %N of each group
    QString translation;
    qsizetype literal = 0;  // characters of the source that are no placeholder
};

struct Messages {
    QHash<QString, QString> exact;
    std::vector<Pattern> patterns;
    // The exact sources, the longest first, for texts that join them to
    // other text ("保存失败：" + a reason, "关于 " + the title).
    QStringList byLength;
};

const QRegularExpression& placeholders() {
    static const QRegularExpression expression(QStringLiteral("%([1-9])"));
    return expression;
}

Pattern makePattern(const QString& source, const QString& translation) {
    Pattern pattern;
    QString expression = QStringLiteral("^");
    qsizetype at = 0;
    for (const QRegularExpressionMatch& match : placeholders().globalMatch(source)) {
        expression += QRegularExpression::escape(source.mid(at, match.capturedStart() - at));
        expression += QStringLiteral("(.+?)");
        pattern.order.push_back(match.captured(1).toInt());
        at = match.capturedEnd();
    }
    expression += QRegularExpression::escape(source.mid(at)) + u'$';
    pattern.source = QRegularExpression(expression, QRegularExpression::DotMatchesEverythingOption);
    pattern.translation = translation;
    pattern.literal = source.size() - 2 * qsizetype(pattern.order.size());
    return pattern;
}

// The engine's messages and their translations, read once from the
// translation source built into the program.
const Messages& messages() {
    static const Messages read = [] {
        Messages result;
        QFile file(kTranslationSource);
        if (!file.open(QIODevice::ReadOnly)) {
            return result;
        }
        QXmlStreamReader xml(&file);
        QString context;
        QString source;
        while (!xml.atEnd()) {
            if (!xml.readNextStartElement()) {
                continue;
            }
            if (xml.name() == u"name") {
                context = xml.readElementText();
            } else if (xml.name() == u"source") {
                source = xml.readElementText();
            } else if (xml.name() == u"translation" && context == kMessages) {
                const QString translation = xml.readElementText();
                if (translation.isEmpty()) {
                    continue;
                }
                if (source.contains(placeholders())) {
                    result.patterns.push_back(makePattern(source, translation));
                } else {
                    result.exact.insert(source, translation);
                }
            }
        }
        // The pattern with the most text of its own first: "保存失败：“%1”不是
        // 数字（%2）" explains a text better than "保存失败：%1".
        std::stable_sort(result.patterns.begin(), result.patterns.end(),
                         [](const Pattern& a, const Pattern& b) { return a.literal > b.literal; });
        result.byLength = result.exact.keys();
        std::sort(result.byLength.begin(), result.byLength.end(),
                  [](const QString& a, const QString& b) {
                      return a.size() != b.size() ? a.size() > b.size() : a < b;
                  });
        return result;
    }();
    return read;
}

QString translateMessage(const QString& text) {
    const Messages& known = messages();
    if (const auto found = known.exact.constFind(text); found != known.exact.cend()) {
        return *found;
    }
    for (const Pattern& pattern : known.patterns) {
        const QRegularExpressionMatch match = pattern.source.match(text);
        if (!match.hasMatch()) {
            continue;
        }
        // Each %N of the translation once, so that a value holding "%2" is
        // left as it is.
        QHash<int, QString> values;
        for (size_t group = 0; group < pattern.order.size(); ++group) {
            values.insert(pattern.order[group], translateMessage(match.captured(int(group) + 1)));
        }
        QString translated;
        qsizetype at = 0;
        for (const QRegularExpressionMatch& place :
             placeholders().globalMatch(pattern.translation)) {
            translated += pattern.translation.mid(at, place.capturedStart() - at);
            translated += values.value(place.captured(1).toInt(), place.captured());
            at = place.capturedEnd();
        }
        return translated + pattern.translation.mid(at);
    }
    if (text.contains(u'\n')) {
        QStringList lines = text.split(u'\n');
        for (QString& line : lines) {
            line = translateMessage(line);
        }
        return lines.join(u'\n');
    }
    // A known text followed by another: each in turn.
    for (const QString& source : known.byLength) {
        if (source.size() < text.size() && text.startsWith(source)) {
            return known.exact.value(source) + translateMessage(text.mid(source.size()));
        }
    }
    // Known texts inside one no rule explains (a window title).
    QString replaced = text;
    for (const QString& source : known.byLength) {
        if (source.size() > 1 && replaced.contains(source)) {
            replaced.replace(source, known.exact.value(source));
        }
    }
    return replaced;
}

}  // namespace

std::optional<Language> languageNamed(QStringView name) {
    if (name == u"zh") {
        return Language::Chinese;
    }
    if (name == u"en") {
        return Language::English;
    }
    return std::nullopt;
}

QString languageName(Language language) {
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("zh");
}

bool useLanguage(Language language) {
    QCoreApplication::removeTranslator(&translator());
    g_language = Language::Chinese;
    if (language == Language::Chinese) {
        return true;
    }
    if (!translator().load(kTranslation) || !QCoreApplication::installTranslator(&translator())) {
        return false;
    }
    g_language = language;
    return true;
}

Language currentLanguage() {
    return g_language;
}

QString humanText(const QString& text) {
    return g_language == Language::Chinese ? text : translateMessage(text);
}

}  // namespace kelvane
