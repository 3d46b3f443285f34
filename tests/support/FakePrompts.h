#pragma once

#include "installer/Prompts.h"

#include <deque>
#include <string>
#include <vector>

namespace tornavel::test {

// A scripted Prompts: records every call in order and answers questions from a
// queue (Yes when the queue is empty).
class FakePrompts : public Prompts {
public:
    struct Call {
        enum class Kind { ErrorDialog, Message, Question, Focus } kind;
        std::string caption; // questions only
        std::string text;
        Icon icon = Icon::Question;
        Answer defaultAnswer = Answer::Yes;
        FieldId field = FieldId::AppName; // focus requests only
    };

    void errorDialog(const std::string& text) override;
    void message(const std::string& text) override;
    Answer ask(const std::string& caption, const std::string& text, Icon icon,
               Answer defaultAnswer) override;
    void focusField(FieldId field) override;

    void queueAnswer(Answer answer) { answers.push_back(answer); }

    // The texts of all calls of one kind, in order.
    std::vector<std::string> texts(Call::Kind kind) const;

    std::vector<Call> calls;
    std::deque<Answer> answers;
};

} // namespace tornavel::test
