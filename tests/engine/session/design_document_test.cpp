#include "design_fixture.h"

namespace kelvane::session {
namespace {

const QString kBareTitle = QStringLiteral("Kelvane开关变压器设计程序 v%1.%2.%3")
                               .arg(KELVANE_VERSION_MAJOR)
                               .arg(KELVANE_VERSION_MINOR)
                               .arg(KELVANE_VERSION_PATCH);

class DesignDocumentTest : public DesignFixture {
protected:
    DesignDocument& document() { return window.document(); }
    QString savedPath() { return directory.filePath(QStringLiteral("design.dat")); }
};

// The window opening writes many fields and may show a message (no
// catalogue); neither is an edit, and the message never sees the title
// claiming one.
TEST(DesignDocumentOpening, OpeningIsNoEdit) {
    class TitleRecorder : public Prompter {
    public:
        void message(const QString&, const QString&) override { titles.append(document->title()); }
        bool question(const QString&, const QString&) override { return false; }
        std::optional<QString> input(const QString&, const QString&) override { return {}; }
        DesignDocument* document = nullptr;
        QStringList titles;
    } prompter;
    DesignSession session(prompter, QStringLiteral("/nonexistent/catalogue.db"),
                          QStringLiteral("/pictures"));
    prompter.document = &session.document();
    session.open();
    ASSERT_FALSE(prompter.titles.isEmpty());  // the missing catalogue was said
    for (const QString& title : std::as_const(prompter.titles)) {
        EXPECT_EQ(title, kBareTitle);
    }
    EXPECT_FALSE(session.document().isModified());
    EXPECT_EQ(session.document().title(), kBareTitle);
}

// Every kind of change after the opening is an edit: a typed text, a
// clicked option, an output added to the table.
TEST_F(DesignDocumentTest, EveryChangeAfterOpeningIsAnEdit) {
    const std::function<void()> edits[] = {
        [this] { type("TxtUmin", QStringLiteral("100")); },
        [this] { click("Option2"); },
        [this] { addOutput(QStringLiteral("12"), QStringLiteral("2")); },
    };
    for (const auto& edit : edits) {
        document().setSaved(savedPath());
        ASSERT_FALSE(document().isModified());
        edit();
        EXPECT_TRUE(document().isModified());
        EXPECT_EQ(document().title(), kBareTitle + QStringLiteral(" - design.dat*"));
    }
}

// The title names the file once there is one, "未命名" for an edited design
// that has none, and carries "*" exactly while edited; each change of it is
// announced once.
TEST_F(DesignDocumentTest, TitleFollowsFileAndEdits) {
    int changes = 0;
    QObject::connect(&document(), &DesignDocument::titleChanged, [&changes] { ++changes; });
    type("TxtUmin", QStringLiteral("100"));
    EXPECT_EQ(document().title(), kBareTitle + QStringLiteral(" - 未命名*"));
    type("TxtUmin", QStringLiteral("110"));
    EXPECT_EQ(changes, 1);

    ASSERT_TRUE(window.saveDesign(savedPath()));
    EXPECT_EQ(document().title(), kBareTitle + QStringLiteral(" - design.dat"));
    EXPECT_EQ(document().filePath(), savedPath());
    EXPECT_EQ(changes, 2);

    // Saving an unedited design under another name renames the title.
    const QString other = directory.filePath(QStringLiteral("other.dat"));
    ASSERT_TRUE(window.saveDesign(other));
    EXPECT_EQ(document().title(), kBareTitle + QStringLiteral(" - other.dat"));
    EXPECT_EQ(changes, 3);

    // Opening a design rewrites the whole sheet, yet leaves it unedited.
    type("TxtUmin", QStringLiteral("95"));
    ASSERT_TRUE(window.openDesign(savedPath()));
    EXPECT_FALSE(document().isModified());
    EXPECT_EQ(document().title(), kBareTitle + QStringLiteral(" - design.dat"));
}

// A failed save or open keeps the file and the edit.
TEST_F(DesignDocumentTest, FailedSaveOrOpenKeepsTheEdit) {
    type("TxtUmin", QStringLiteral("100"));
    EXPECT_FALSE(window.saveDesign(directory.filePath(QStringLiteral("no/such/dir/x.dat"))));
    EXPECT_FALSE(window.openDesign(directory.filePath(QStringLiteral("missing.dat"))));
    EXPECT_TRUE(document().isModified());
    EXPECT_TRUE(document().filePath().isEmpty());
}

// Leaving asks only about an edited design, and never in a script.
TEST_F(DesignDocumentTest, LeavingAsksOnlyAboutEditsOutsideScripts) {
    struct Case {
        bool edited;
        bool scripted;
        bool asks;
    };
    for (const Case& c : {Case{false, false, false}, Case{true, false, true},
                          Case{false, true, false}, Case{true, true, false}}) {
        document().setSaved(savedPath());
        if (c.edited) {
            type("TxtUmin", c.scripted ? QStringLiteral("101") : QStringLiteral("102"));
        }
        document().setScripted(c.scripted);
        EXPECT_EQ(document().asksBeforeLeaving(), c.asks)
            << "edited " << c.edited << " scripted " << c.scripted;
    }
}

// After the answer: Save writes to the design's file, or asks for one when
// the design never had a file; Discard leaves; Cancel stays.
TEST_F(DesignDocumentTest, AnswerDecidesWhatFollows) {
    using Answer = DesignDocument::Answer;
    using Next = DesignDocument::Next;
    type("TxtUmin", QStringLiteral("100"));
    EXPECT_EQ(document().afterAnswer(Answer::Save), Next::SaveToAskedFile);
    EXPECT_EQ(document().afterAnswer(Answer::Discard), Next::Leave);
    EXPECT_EQ(document().afterAnswer(Answer::Cancel), Next::Stay);
    ASSERT_TRUE(window.saveDesign(savedPath()));
    type("TxtUmin", QStringLiteral("105"));
    EXPECT_EQ(document().afterAnswer(Answer::Save), Next::SaveToFile);
    EXPECT_EQ(document().afterAnswer(Answer::Discard), Next::Leave);
    EXPECT_EQ(document().afterAnswer(Answer::Cancel), Next::Stay);
}

}  // namespace
}  // namespace kelvane::session
