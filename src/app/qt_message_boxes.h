#pragma once

// The message boxes the user sees: Qt's standard dialogs over the active window.

#include "app/message_boxes.h"

namespace app {

class QtMessageBoxes final : public MessageBoxes {
  public:
    Answer message(const Message& message) override;
    std::optional<QString> input(const InputRequest& request) override;
    std::optional<QString> openFile(const FileRequest& request) override;
    std::optional<QStringList> openFiles(const FileRequest& request) override;
    std::optional<QString> saveFile(const FileRequest& request) override;
    std::optional<QString> chooseFolder(const FileRequest& request) override;
};

}  // namespace app
