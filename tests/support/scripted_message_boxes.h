#pragma once

// Message boxes for tests: every prompt is recorded and answered from a script
// written beforehand. A prompt that the script does not expect, or a scripted
// prompt that never comes, fails the running test.

#include "app/message_boxes.h"

#include <deque>
#include <optional>
#include <variant>
#include <vector>

namespace test_support {

class ScriptedMessageBoxes final : public app::MessageBoxes {
  public:
    // What the program asked, in order.
    using Prompt = std::variant<app::Message, app::InputRequest, app::FileRequest>;

    ScriptedMessageBoxes() = default;
    ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
    ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;
    // Fails the test when scripted prompts were never shown.
    ~ScriptedMessageBoxes() override;

    // The next prompt must be exactly this message; it gets `answer`.
    ScriptedMessageBoxes& expect(app::Message message, app::Answer answer = app::Answer::Ok);
    // The next prompt must be this input box; nothing stands for Cancel.
    ScriptedMessageBoxes& expectInput(app::InputRequest request, std::optional<QString> answer);
    ScriptedMessageBoxes& expectOpenFile(app::FileRequest request, std::optional<QString> path);
    ScriptedMessageBoxes& expectOpenFiles(app::FileRequest request,
                                          std::optional<QStringList> paths);
    ScriptedMessageBoxes& expectSaveFile(app::FileRequest request, std::optional<QString> path);
    ScriptedMessageBoxes& expectChooseFolder(app::FileRequest request, std::optional<QString> path);

    app::Answer message(const app::Message& message) override;
    std::optional<QString> input(const app::InputRequest& request) override;
    std::optional<QString> openFile(const app::FileRequest& request) override;
    std::optional<QStringList> openFiles(const app::FileRequest& request) override;
    std::optional<QString> saveFile(const app::FileRequest& request) override;
    std::optional<QString> chooseFolder(const app::FileRequest& request) override;

    const std::vector<Prompt>& prompts() const { return prompts_; }
    // Prompts that did not match the script.
    int failures() const { return failures_; }
    // Scripted prompts still waiting to be shown.
    std::size_t pending() const { return script_.size(); }

  private:
    enum class Kind { Message, Input, OpenFile, OpenFiles, SaveFile, ChooseFolder };
    struct Step {
        Kind kind;
        Prompt expected;
        std::variant<app::Answer, std::optional<QString>, std::optional<QStringList>> answer;
    };

    // Whether the script's next step is `kind` and equals `shown`; otherwise
    // records the failure.
    bool comesNext(Kind kind, const Prompt& shown);
    // The answer of the script's next step, which is done with.
    template <class Answer>
    Answer takeAnswer() {
        Answer answer = std::get<Answer>(std::move(script_.front().answer));
        script_.pop_front();
        return answer;
    }

    std::deque<Step> script_;
    std::vector<Prompt> prompts_;
    int failures_ = 0;
};

}  // namespace test_support
