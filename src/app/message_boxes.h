#pragma once

// Every question, notice, input box and file dialog goes through this interface,
// so that tests can answer it from a script.

#include <QString>
#include <QStringList>

#include <optional>

namespace app {

enum class Icon { None, Information, Warning, Critical, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

// A message box: its text and title are shown exactly as given, blanks included.
struct Message {
    QString text;
    QString title;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    // Shown on request ("Mostra dettagli..."), in a scrollable area under the text.
    QString details = {};

    bool operator==(const Message&) const = default;
};

// A notice that fits the screen whatever it tells. A short `text` is shown whole; a
// long one, a summary followed by its many items, shows its first paragraph (the
// counts) and a pointer to the details, which hold the rest.
Message fittingNotice(const QString& text, const QString& title, Icon icon);

// An input box with a proposed answer.
struct InputRequest {
    QString prompt;
    QString title;
    QString proposed;

    bool operator==(const InputRequest&) const = default;
};

// A file dialog: its title, the folder it opens in and its file filter in Qt's
// spelling ("Excel (*.xls)").
struct FileRequest {
    QString title;
    QString folder;
    QString filter;

    bool operator==(const FileRequest&) const = default;
};

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;

    // Shows the message and waits for the user's button.
    virtual Answer message(const Message& message) = 0;

    // The text entered, or nothing when the box was cancelled.
    virtual std::optional<QString> input(const InputRequest& request) = 0;

    // The path chosen, or nothing when the dialog was cancelled.
    virtual std::optional<QString> openFile(const FileRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileRequest& request) = 0;
    // An open dialog where several files can be chosen; the paths chosen, or nothing.
    // Boxes that offer no such dialog answer as if it were cancelled.
    virtual std::optional<QStringList> openFiles(const FileRequest&) { return std::nullopt; }
    // A folder dialog (the filter is not used); the folder chosen, or nothing. Boxes
    // that offer no folder dialog answer as if it were cancelled.
    virtual std::optional<QString> chooseFolder(const FileRequest&) { return std::nullopt; }

    // A notice with an OK button.
    void tell(const QString& text, const QString& title, Icon icon = Icon::None) {
        message({text, title, icon, Buttons::Ok});
    }

    // A Yes/No question; true for Yes.
    bool askYesNo(const QString& text, const QString& title, Icon icon = Icon::None) {
        return message({text, title, icon, Buttons::YesNo}) == Answer::Yes;
    }
};

}  // namespace app
