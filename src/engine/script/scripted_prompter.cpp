#include "engine/script/scripted_prompter.h"

namespace kelvane::script {

QStringList ScriptedPrompter::takeMessages() {
    QStringList messages;
    messages.swap(m_messages);
    return messages;
}

void ScriptedPrompter::message(const QString& text, const QString& /*title*/) {
    m_messages.append(text);
    next();
}

bool ScriptedPrompter::question(const QString& text, const QString& /*title*/) {
    m_messages.append(text);
    const std::optional<Answer> answer = next();
    return answer && answer->kind == Answer::Kind::Yes;
}

std::optional<QString> ScriptedPrompter::input(const QString& prompt, const QString& /*title*/) {
    m_messages.append(prompt);
    const std::optional<Answer> answer = next();
    if (answer && answer->kind == Answer::Kind::Text) {
        return answer->text;
    }
    if (answer && answer->kind == Answer::Kind::Ok) {
        return QString();
    }
    return std::nullopt;
}

std::optional<ScriptedPrompter::Answer> ScriptedPrompter::next() {
    if (m_answers.empty()) {
        return std::nullopt;
    }
    Answer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

}  // namespace kelvane::script
