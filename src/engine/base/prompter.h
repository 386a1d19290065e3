#pragma once

#include <QString>

#include <optional>

namespace kelvane {

// Message, question and input boxes. The windows show real boxes; design
// scripts answer from their queue. Texts are shown verbatim.
class Prompter {
public:
    virtual ~Prompter() = default;
    // An information box with an OK button.
    virtual void message(const QString& text, const QString& title) = 0;
    // A Yes/No question; true for Yes.
    virtual bool question(const QString& text, const QString& title) = 0;
    // A text input box; no value when cancelled.
    virtual std::optional<QString> input(const QString& prompt, const QString& title) = 0;
};

}  // namespace kelvane
