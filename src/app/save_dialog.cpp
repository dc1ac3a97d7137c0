#include "app/save_dialog.h"

#include <QDir>
#include <QFileInfo>

#include "app/message_boxes.h"

namespace app {

QString withSuffix(const QString& path, const QString& suffix) {
    return path.endsWith(suffix, Qt::CaseInsensitive) ? path : path + suffix;
}

std::optional<QString> chooseSavePath(MessageBoxes& boxes, const FileRequest& request,
                                      const QString& suffix) {
    FileRequest asked = request;
    for (;;) {
        const std::optional<QString> chosen = boxes.saveFile(asked);
        if (!chosen)
            return std::nullopt;
        const QString path = withSuffix(*chosen, suffix);
        const QFileInfo file(path);
        if (!file.exists())
            return path;
        const Answer answer =
            boxes.message({QStringLiteral("Il file %1 esiste già.\nVuoi sostituirlo?")
                               .arg(QDir::toNativeSeparators(file.absoluteFilePath())),
                           request.title, Icon::Warning, Buttons::YesNo});
        if (answer == Answer::Yes)
            return path;
        asked.folder = path;
    }
}

}  // namespace app
