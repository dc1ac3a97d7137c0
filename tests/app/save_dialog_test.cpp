// Every save dialog of the program: the suffix added to a name typed without it,
// and a question before a file already there is replaced, whatever name was typed.
#include "app/save_dialog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/scripted_message_boxes.h"

namespace {

const app::FileRequest kRequest{QStringLiteral("Fatture per il commercialista"),
                                QStringLiteral("/home/Fatture 2025.zip"),
                                QStringLiteral("ZIP (*.zip)")};

app::Message replaceQuestion(const QString& path) {
    return {QStringLiteral("Il file %1 esiste già.\nVuoi sostituirlo?")
                .arg(QDir::toNativeSeparators(path)),
            kRequest.title, app::Icon::Warning, app::Buttons::YesNo};
}

TEST(SaveDialog, AddsTheSuffixAndAsksBeforeReplacingAFile) {
    QTemporaryDir folder;
    const QString existing = folder.filePath(QStringLiteral("pacchetto.zip"));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString fresh = folder.filePath(QStringLiteral("nuovo"));

    const struct {
        const char* what;
        QStringList typed;               // the names given to the dialog, in turn
        std::vector<app::Answer> asked;  // the answers to the replacement question
        std::optional<QString> chosen;
    } rows[] = {
        {"a new name, the suffix added", {fresh}, {}, fresh + ".zip"},
        {"a new name with its suffix", {fresh + ".ZIP"}, {}, fresh + ".ZIP"},
        {"an existing file typed without the suffix, replaced",
         {existing.chopped(4)},
         {app::Answer::Yes},
         existing},
        {"an existing file typed whole, replaced", {existing}, {app::Answer::Yes}, existing},
        {"not replaced: the dialog again, another name",
         {existing.chopped(4), fresh},
         {app::Answer::No},
         fresh + ".zip"},
        {"not replaced, then cancelled", {existing, {}}, {app::Answer::No}, std::nullopt},
        {"cancelled", {{}}, {}, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        test_support::ScriptedMessageBoxes boxes;
        app::FileRequest asked = kRequest;
        for (qsizetype i = 0; i < row.typed.size(); ++i) {
            const QString& typed = row.typed[i];
            boxes.expectSaveFile(asked, typed.isEmpty() ? std::nullopt : std::optional(typed));
            if (i < qsizetype(row.asked.size())) {
                boxes.expect(replaceQuestion(existing), row.asked[std::size_t(i)]);
                asked.folder = existing;
            }
        }
        EXPECT_EQ(app::chooseSavePath(boxes, kRequest, QStringLiteral(".zip")), row.chosen);
        EXPECT_EQ(boxes.failures(), 0);
    }
    EXPECT_TRUE(QFile::exists(existing)) << "asking never touches the file";
}

}  // namespace
