#pragma once

#include "engine/base/prompter.h"

#include <QStringList>

#include <deque>

namespace kelvane::script {

// Answers boxes from the queue of a design script's `answer` lines and
// records the text of every box shown. A box without a queued answer gets
// its default: OK, No, or a cancelled input.
class ScriptedPrompter : public Prompter {
public:
    struct Answer {
        enum class Kind { Yes, No, Ok, Cancel, Text } kind;
        QString text;
    };

    void queue(const Answer& answer) { m_answers.push_back(answer); }
    // The texts shown since the previous call.
    QStringList takeMessages();

    void message(const QString& text, const QString& title) override;
    bool question(const QString& text, const QString& title) override;
    std::optional<QString> input(const QString& prompt, const QString& title) override;

private:
    std::optional<Answer> next();

    std::deque<Answer> m_answers;
    QStringList m_messages;
};

}  // namespace kelvane::script
