#pragma once

// Message boxes for a benchmark's window: every message is answered with OK and
// nothing is asked of a user, so a run never waits on a dialog.

#include <optional>

#include "app/message_boxes.h"

namespace bench_support {

class SilentBoxes final : public app::MessageBoxes {
  public:
    app::Answer message(const app::Message&) override { return app::Answer::Ok; }
    std::optional<QString> input(const app::InputRequest&) override { return std::nullopt; }
    std::optional<QString> openFile(const app::FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const app::FileRequest&) override { return std::nullopt; }
};

}  // namespace bench_support
