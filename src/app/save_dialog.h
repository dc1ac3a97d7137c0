#pragma once

// Every save of the program names its file here: the file dialog, the suffix added
// when the user left it out ("pacchetto" becomes "pacchetto.zip"), and a question
// before a file already there is replaced, whatever name was typed. The dialog
// itself asks nothing, so that the question comes once, about the real name.

#include <QString>

#include <optional>

namespace app {

inline const QString kPdfSuffix = QStringLiteral(".pdf");

class MessageBoxes;
struct FileRequest;

// The path to write, ending in `suffix` (".pdf"); nothing when the dialog was
// cancelled. Answering No to the replacement opens the dialog again on that name.
std::optional<QString> chooseSavePath(MessageBoxes& boxes, const FileRequest& request,
                                      const QString& suffix);

// `path` ending in `suffix`, added unless it is there in any case.
QString withSuffix(const QString& path, const QString& suffix);

}  // namespace app
