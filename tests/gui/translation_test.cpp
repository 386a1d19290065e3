#include "../engine/check/check_designs.h"
#include "engine/base/language.h"
#include "engine/script/scripted_prompter.h"
#include "engine/session/design_session.h"
#include "gui/about/frm_about.h"
#include "gui/base/quiet_desktop.h"
#include "gui/base/widget_text.h"
#include "gui/design/frm_fanji.h"
#include "gui/wire/frm_wire_tools.h"
#include "window_fixture.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>

namespace kelvane::gui {
namespace {

const QRegularExpression& han() {
    static const QRegularExpression expression(QStringLiteral("\\p{Han}"));
    return expression;
}

// Installs a language for one test and gives Chinese back after it.
class LanguageScope {
public:
    explicit LanguageScope(Language language) { m_loaded = useLanguage(language); }
    ~LanguageScope() { useLanguage(Language::Chinese); }
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;
    [[nodiscard]] bool loaded() const { return m_loaded; }

private:
    bool m_loaded = false;
};

// English loaded before the windows are made, Chinese given back after.
class EnglishFirst {
protected:
    LanguageScope english{Language::English};
};

// The design window in English, its boxes answered by the script's rules.
class EnglishWindow : public EnglishFirst, public WindowFixture {
protected:
    EnglishWindow() { window.setScripted(true); }
};

// What a person reads in a window, by where it stands: labels, buttons,
// boxes, tabs, menus, column headings and the title. Fields (line edits,
// combo boxes) hold the design's texts, which are the same in every
// language, and so are left out.
QStringList shownTexts(QWidget* window) {
    QStringList texts{QStringLiteral("title: ") + window->windowTitle()};
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        texts.append(label->objectName() + QStringLiteral(": ") + label->text());
    }
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        texts.append(button->objectName() + QStringLiteral(": ") + button->text());
    }
    for (const QGroupBox* box : window->findChildren<QGroupBox*>()) {
        texts.append(box->objectName() + QStringLiteral(": ") + box->title());
    }
    for (const QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            texts.append(tabs->objectName() + QStringLiteral(" tab: ") + tabs->tabText(i));
        }
    }
    for (const QAction* action : window->findChildren<QAction*>()) {
        texts.append(QStringLiteral("menu ") + action->objectName() + QStringLiteral(": ") +
                     action->text());
    }
    for (const QTableView* view : window->findChildren<QTableView*>()) {
        const QAbstractItemModel* model = view->model();
        for (int c = 0; model != nullptr && c < model->columnCount(); ++c) {
            texts.append(view->objectName() + QStringLiteral(" heading: ") +
                         model->headerData(c, Qt::Horizontal).toString());
        }
    }
    return texts;
}

// Every window in English: nothing a person reads is left in Chinese. The
// language item of the Help menu names itself in both, on purpose.
TEST_F(EnglishWindow, ShowsNoChineseText) {
    ASSERT_TRUE(english.loaded());
    engine.click(sheet::Check::Option1);  // the flyback, so that the check has items
    engine.click(sheet::Command::TOOL);
    engine.click(sheet::Command::HE);
    window.findChild<QAction*>(QStringLiteral("ADVISOR"))->trigger();
    QApplication::processEvents();
    const QStringList bilingual = {QStringLiteral("menu Language: 语言 / Language"),
                                   QStringLiteral("menu Language.zh: 中文")};
    int windows = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible()) {
            continue;
        }
        ++windows;
        for (const QString& text : shownTexts(top)) {
            if (!bilingual.contains(text)) {
                EXPECT_FALSE(text.contains(han()))
                    << top->objectName().toStdString() << ' ' << text.toStdString();
            }
        }
    }
    EXPECT_EQ(windows, 4);  // design window, wire calculator, About, core advice
}

// A field or a list item the engine writes as a message shows in English,
// and reads back as the engine wrote it, so that scripts and design files
// see the same text in both languages; what the engineer types over it is
// read as typed. Numbers and units are never touched.
TEST(EnglishFields, ShowEngineTextsTranslatedAndReadThemAsWritten) {
    const LanguageScope english(Language::English);
    ASSERT_TRUE(english.loaded());
    QLineEdit power;
    const QString powerText = QStringLiteral("当前磁芯功率为：85.3W");
    mirrorWidgetText(&power, powerText);
    EXPECT_FALSE(power.text().contains(han())) << power.text().toStdString();
    EXPECT_TRUE(power.text().endsWith(QStringLiteral("85.3W"))) << power.text().toStdString();
    EXPECT_EQ(widgetText(&power), powerText);
    power.setText(QStringLiteral("90W"));
    EXPECT_EQ(widgetText(&power), QStringLiteral("90W"));
    mirrorWidgetText(&power, QStringLiteral("12.5"));
    EXPECT_EQ(power.text(), QStringLiteral("12.5"));
    EXPECT_EQ(widgetText(&power), QStringLiteral("12.5"));

    QComboBox wires;
    addComboItems(&wires, {QStringLiteral("漆包线"), QStringLiteral("三层绝缘线")});
    ASSERT_EQ(wires.count(), 2);
    for (int i = 0; i < wires.count(); ++i) {
        EXPECT_FALSE(wires.itemText(i).contains(han())) << wires.itemText(i).toStdString();
    }
    EXPECT_EQ(comboItemText(&wires, 1), QStringLiteral("三层绝缘线"));
}

// The wire calculator's material box: English items, the engine's text.
TEST_F(EnglishWindow, ListsTheWireMaterialsInEnglish) {
    ASSERT_TRUE(english.loaded());
    engine.click(sheet::Command::TOOL);
    QApplication::processEvents();
    QComboBox* material = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* box = top->findChild<QComboBox*>(QStringLiteral("CmbWire"))) {
            material = box;
        }
    }
    ASSERT_NE(material, nullptr);
    ASSERT_GT(material->count(), 0);
    EXPECT_FALSE(material->currentText().contains(han())) << material->currentText().toStdString();
    EXPECT_EQ(widgetText(material), engine.wireTools().text(QStringLiteral("CmbWire")));
    EXPECT_TRUE(widgetText(material).contains(han()));
}

// The check in English reads as English: no Chinese left in a caption or
// a sentence, and a word never runs into the number after it ("Air gap
// 1.97 mm", not "Air gap1.97 mm"), while a formula's symbol keeps its index.
TEST(EnglishCheck, SpellsItsItemsAsSentences) {
    const LanguageScope english(Language::English);
    ASSERT_TRUE(english.loaded());
    const QRegularExpression glued(QStringLiteral("\\b[a-z]{3,}\\d"));
    const QMap<QString, check::CheckInput> designs = check::testing::workedDesigns();
    ASSERT_FALSE(designs.isEmpty());
    for (auto design = designs.cbegin(); design != designs.cend(); ++design) {
        check::CheckInput input = *design;
        input.gapMm = 1.97;
        for (const check::CheckItem& item : check::runCheck(input).items) {
            const std::string where = design.key().toStdString() + ' ' + item.id.toStdString();
            EXPECT_FALSE(item.caption.contains(han())) << where;
            EXPECT_FALSE(item.sentence.contains(han()))
                << where << ": " << item.sentence.toStdString();
            EXPECT_FALSE(item.sentence.contains(glued))
                << where << ": " << item.sentence.toStdString();
        }
    }
}

// The engine's messages stay Chinese for scripts; a person sees them
// translated, pattern and values alike, and an unknown text as it is.
TEST(HumanText, TranslatesTheEngineMessagesShown) {
    const struct {
        const char* chinese;
        const char* english;
    } cases[] = {
        {"输出电压、电流不能为空", "Output voltage and current must not be empty"},
        {"保存失败：“abc”不是数字（ae）", "Save failed: \"abc\" is not a number (ae)"},
        {"保存失败：文件格式错误（第3行）", "Save failed: Bad file format (line 3)"},
        {"打印失败：打印机不可用", "Printing failed: No printer available"},
        {"输出2实际电压", "Output 2 actual voltage"},
        {"no such text", "no such text"},
    };
    for (const auto& row : cases) {
        const QString chinese = QString::fromUtf8(row.chinese);
        {
            const LanguageScope english(Language::English);
            ASSERT_TRUE(english.loaded());
            EXPECT_EQ(humanText(chinese), QString::fromUtf8(row.english)) << row.chinese;
        }
        EXPECT_EQ(humanText(chinese), chinese) << row.chinese;
    }
}

// lupdate over the sources finds every text of i18n/kelvane_en.ts
// translated, and none that the code no longer has.
TEST(TranslationFile, HasNoUnfinishedOrObsoleteEntry) {
    QTemporaryDir directory;
    const QString copy = directory.filePath(QStringLiteral("kelvane_en.ts"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KELVANE_SOURCE_DIR "/i18n/kelvane_en.ts"), copy));
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(KELVANE_SOURCE_DIR));
    lupdate.start(QStringLiteral(KELVANE_LUPDATE),
                  {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral("src"), QStringLiteral("-ts"), copy});
    ASSERT_TRUE(lupdate.waitForFinished(120000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString updated = QString::fromUtf8(file.readAll());
    static const QRegularExpression open(QStringLiteral(
        "<source>([^<]*)</source>\\s*<translation type=\"(unfinished|vanished|obsolete)\""));
    QStringList open_entries;
    for (const QRegularExpressionMatch& match : open.globalMatch(updated)) {
        open_entries.append(match.captured(2) + QStringLiteral(": ") + match.captured(1));
    }
    EXPECT_TRUE(open_entries.isEmpty()) << open_entries.join(u'\n').toStdString();
}

// A Chinese text in the windows' code is for a person: it stands inside
// tr(), a translate call or a QT_TR(ANSLATE)_NOOP mark. The language item
// and its notice name themselves in both languages and are left as they are.
TEST(GuiSources, MarkEveryChineseTextForTranslation) {
    static const QRegularExpression literal(QStringLiteral("\"(?:[^\"\\\\]|\\\\.)*\""));
    static const QRegularExpression marked(
        QStringLiteral("(\\btr|\\btranslate|QT_TR_NOOP|QT_TRANSLATE_NOOP)\\s*\\([^\"]*"
                       "(\"[^\"]*\"\\s*,\\s*)?$"));
    const QStringList bilingual = {QStringLiteral("语言 / Language"), QStringLiteral("中文")};
    QStringList unmarked;
    QDirIterator files(QStringLiteral(KELVANE_SOURCE_DIR "/src/gui"),
                       {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                       QDirIterator::Subdirectories);
    int read = 0;
    while (files.hasNext()) {
        QFile file(files.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        ++read;
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        for (int n = 0; n < lines.size(); ++n) {
            const QString line =
                lines[n].section(QStringLiteral("//"), 0, 0, QString::SectionDefault);
            for (const QRegularExpressionMatch& match : literal.globalMatch(lines[n])) {
                const QString text = match.captured().mid(1, match.capturedLength() - 2);
                if (!text.contains(han()) || line.size() < match.capturedStart()) {
                    continue;  // no Chinese, or inside a comment
                }
                const bool both =
                    bilingual.contains(text) || text.contains(QStringLiteral("Kelvane will start"));
                // The call or mark may open on this line or the one before.
                const QString before = (n > 0 ? lines[n - 1] + u' ' : QString()) +
                                       lines[n].left(match.capturedStart());
                if (!both && !marked.match(before).hasMatch()) {
                    unmarked.append(QFileInfo(file).fileName() + u':' + QString::number(n + 1) +
                                    QStringLiteral(": ") + text);
                }
            }
        }
    }
    EXPECT_GT(read, 10);
    EXPECT_TRUE(unmarked.isEmpty()) << unmarked.join(u'\n').toStdString();
}

}  // namespace
}  // namespace kelvane::gui
