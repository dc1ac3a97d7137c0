// Every save dialog of the program: the suffix added to a name typed without it,
// and a question before a file already there is replaced.
#include "app/save_dialog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/scripted_message_boxes.h"

namespace {

TEST(SaveDialog, AddsTheSuffixAndReplacesAFileOnlyWhenTheUserSaysSo) {
    QTemporaryDir folder;
    const QString existing = folder.filePath(QStringLiteral("pacchetto.zip"));
    ASSERT_TRUE(QFile(existing).open(QIODevice::WriteOnly));
    const QString fresh = folder.filePath(QStringLiteral("nuovo"));
    const app::FileRequest request{QStringLiteral("Crea ZIP"), folder.path(),
                                   QStringLiteral("ZIP (*.zip)")};
    const app::Message question{QStringLiteral("Il file %1 esiste già.\nVuoi sostituirlo?")
                                    .arg(QDir::toNativeSeparators(existing)),
                                request.title, app::Icon::Warning, app::Buttons::YesNo};
    const struct {
        QString typed;
        std::optional<app::Answer> answer;  // to the question, when it comes
        std::optional<QString> chosen;      // nothing: the dialog comes again, cancelled
    } rows[] = {
        {fresh, std::nullopt, fresh + ".zip"},
        {fresh + ".ZIP", std::nullopt, fresh + ".ZIP"},
        {folder.filePath(QStringLiteral("pacchetto")), app::Answer::Yes, existing},
        {existing, app::Answer::No, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed.toStdString());
        test_support::ScriptedMessageBoxes boxes;
        boxes.expectSaveFile(request, row.typed);
        if (row.answer)
            boxes.expect(question, *row.answer);
        if (row.answer == app::Answer::No)
            boxes.expectSaveFile({request.title, existing, request.filter}, std::nullopt);
        EXPECT_EQ(app::chooseSavePath(boxes, request, QStringLiteral(".zip")), row.chosen);
        EXPECT_EQ(boxes.failures(), 0);
    }
}

}  // namespace
