#include "support/FakePrompts.h"

namespace tornavel::test {

void FakePrompts::errorDialog(const std::string& text) {
    calls.push_back({Call::Kind::ErrorDialog, "Error", text});
}

void FakePrompts::message(const std::string& text) {
    calls.push_back({Call::Kind::Message, "Tornavel", text});
}

Prompts::Answer FakePrompts::ask(const std::string& caption, const std::string& text, Icon icon,
                                 Answer defaultAnswer) {
    calls.push_back({Call::Kind::Question, caption, text, icon, defaultAnswer});
    if (answers.empty()) {
        return Answer::Yes;
    }
    const Answer a = answers.front();
    answers.pop_front();
    return a;
}

void FakePrompts::focusField(FieldId field) {
    Call call{Call::Kind::Focus, "", ""};
    call.field = field;
    calls.push_back(call);
}

std::vector<std::string> FakePrompts::texts(Call::Kind kind) const {
    std::vector<std::string> out;
    for (const auto& c : calls) {
        if (c.kind == kind) {
            out.push_back(c.text);
        }
    }
    return out;
}

} // namespace tornavel::test
