#include "scripted_message_boxes.h"

#include <gtest/gtest.h>

namespace test_support {

namespace {

std::string describe(const ScriptedMessageBoxes::Prompt& prompt) {
    struct Describe {
        QString operator()(const app::Message& m) const {
            return QStringLiteral("message \"%1\" title \"%2\" icon %3 buttons %4%5")
                .arg(m.text, m.title)
                .arg(static_cast<int>(m.icon))
                .arg(static_cast<int>(m.buttons))
                .arg(m.details.isEmpty() ? QString()
                                         : QStringLiteral(" details \"%1\"").arg(m.details));
        }
        QString operator()(const app::InputRequest& r) const {
            return QStringLiteral("input box \"%1\" title \"%2\" proposed \"%3\"")
                .arg(r.prompt, r.title, r.proposed);
        }
        QString operator()(const app::FileRequest& r) const {
            return QStringLiteral("file dialog title \"%1\" folder \"%2\" filter \"%3\"")
                .arg(r.title, r.folder, r.filter);
        }
    };
    return std::visit(Describe{}, prompt).toStdString();
}

}  // namespace

ScriptedMessageBoxes::~ScriptedMessageBoxes() {
    for (const Step& step : script_)
        ADD_FAILURE() << "scripted prompt never shown: " << describe(step.expected);
}

ScriptedMessageBoxes& ScriptedMessageBoxes::expect(app::Message message, app::Answer answer) {
    script_.push_back({Kind::Message, std::move(message), answer});
    return *this;
}

ScriptedMessageBoxes& ScriptedMessageBoxes::expectInput(app::InputRequest request,
                                                        std::optional<QString> answer) {
    script_.push_back({Kind::Input, std::move(request), std::move(answer)});
    return *this;
}

ScriptedMessageBoxes& ScriptedMessageBoxes::expectOpenFile(app::FileRequest request,
                                                           std::optional<QString> path) {
    script_.push_back({Kind::OpenFile, std::move(request), std::move(path)});
    return *this;
}

ScriptedMessageBoxes& ScriptedMessageBoxes::expectOpenFiles(app::FileRequest request,
                                                            std::optional<QStringList> paths) {
    script_.push_back({Kind::OpenFiles, std::move(request), std::move(paths)});
    return *this;
}

ScriptedMessageBoxes& ScriptedMessageBoxes::expectSaveFile(app::FileRequest request,
                                                           std::optional<QString> path) {
    script_.push_back({Kind::SaveFile, std::move(request), std::move(path)});
    return *this;
}

ScriptedMessageBoxes& ScriptedMessageBoxes::expectChooseFolder(app::FileRequest request,
                                                               std::optional<QString> path) {
    script_.push_back({Kind::ChooseFolder, std::move(request), std::move(path)});
    return *this;
}

bool ScriptedMessageBoxes::comesNext(Kind kind, const Prompt& shown) {
    prompts_.push_back(shown);
    if (script_.empty()) {
        ++failures_;
        ADD_FAILURE() << "unexpected " << describe(shown) << " (the script has ended)";
        return false;
    }
    if (script_.front().kind != kind || script_.front().expected != shown) {
        ++failures_;
        ADD_FAILURE() << "unexpected " << describe(shown) << "\n  the script expected "
                      << describe(script_.front().expected);
        return false;
    }
    return true;
}

app::Answer ScriptedMessageBoxes::message(const app::Message& message) {
    if (!comesNext(Kind::Message, message)) {
        // The answer that changes nothing, so a stray question does no harm.
        return message.buttons == app::Buttons::Ok      ? app::Answer::Ok
               : message.buttons == app::Buttons::YesNo ? app::Answer::No
                                                        : app::Answer::Cancel;
    }
    return takeAnswer<app::Answer>();
}

std::optional<QString> ScriptedMessageBoxes::input(const app::InputRequest& request) {
    return comesNext(Kind::Input, request) ? takeAnswer<std::optional<QString>>() : std::nullopt;
}

std::optional<QString> ScriptedMessageBoxes::openFile(const app::FileRequest& request) {
    return comesNext(Kind::OpenFile, request) ? takeAnswer<std::optional<QString>>() : std::nullopt;
}

std::optional<QStringList> ScriptedMessageBoxes::openFiles(const app::FileRequest& request) {
    return comesNext(Kind::OpenFiles, request) ? takeAnswer<std::optional<QStringList>>()
                                               : std::nullopt;
}

std::optional<QString> ScriptedMessageBoxes::saveFile(const app::FileRequest& request) {
    return comesNext(Kind::SaveFile, request) ? takeAnswer<std::optional<QString>>() : std::nullopt;
}

std::optional<QString> ScriptedMessageBoxes::chooseFolder(const app::FileRequest& request) {
    return comesNext(Kind::ChooseFolder, request) ? takeAnswer<std::optional<QString>>()
                                                  : std::nullopt;
}

}  // namespace test_support
