#include "app/qt_message_boxes.h"

#include "support/scripted_message_boxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <functional>

namespace {

using app::Answer;
using app::Buttons;
using app::Icon;
using test_support::ScriptedMessageBoxes;

TEST(ScriptedMessageBoxes, AnswersFromTheScriptAndRecordsEveryPrompt) {
    ScriptedMessageBoxes boxes;
    boxes
        .expect({" Vuoi Inserire questo Cliente ?", " Gestione", Icon::None, Buttons::YesNo},
                Answer::Yes)
        .expect({"Cliente Eliminato", " Gestione ", Icon::Information})
        .expectInput({"Zoom", "Gestione ", "70"}, std::nullopt)
        .expectSaveFile({"Seleziona il file da ripristinare", "/tmp", "Excel (*.xls)"},
                        QString("/tmp/Gestione.xls"));

    EXPECT_TRUE(boxes.askYesNo(" Vuoi Inserire questo Cliente ?", " Gestione"));
    boxes.tell("Cliente Eliminato", " Gestione ", Icon::Information);
    EXPECT_EQ(boxes.input({"Zoom", "Gestione ", "70"}), std::nullopt);
    EXPECT_EQ(boxes.saveFile({"Seleziona il file da ripristinare", "/tmp", "Excel (*.xls)"}),
              QString("/tmp/Gestione.xls"));

    EXPECT_EQ(boxes.prompts().size(), 4u);
    EXPECT_EQ(std::get<app::Message>(boxes.prompts()[1]).title, " Gestione ");
    EXPECT_EQ(boxes.failures(), 0);
    EXPECT_EQ(boxes.pending(), 0u);
}

TEST(ScriptedMessageBoxes, AnUnexpectedPromptFailsTheTestAndChangesNothing) {
    ScriptedMessageBoxes boxes;
    bool yes = true;
    EXPECT_NONFATAL_FAILURE(yes = boxes.askYesNo("Elimino ?", "Gestione"), "unexpected message");
    EXPECT_FALSE(yes);
    EXPECT_EQ(boxes.failures(), 1);
    EXPECT_EQ(boxes.prompts().size(), 1u);
}

TEST(ScriptedMessageBoxes, ABlankOrIconOfDifferenceIsUnexpected) {
    ScriptedMessageBoxes boxes;
    boxes.expect({"Cliente Eliminato", " Gestione ", Icon::Information});
    EXPECT_NONFATAL_FAILURE(boxes.tell("Cliente Eliminato", " Gestione", Icon::Information),
                            "the script expected");
    boxes.expect({"Fatto", "Gestione", Icon::Information});
    EXPECT_NONFATAL_FAILURE(boxes.tell("Fatto", "Gestione"), "unexpected");
    EXPECT_EQ(boxes.failures(), 2);
    boxes.tell("Cliente Eliminato", " Gestione ", Icon::Information);
    boxes.tell("Fatto", "Gestione", Icon::Information);
}

TEST(ScriptedMessageBoxes, AnOpenDialogIsNotASaveDialog) {
    ScriptedMessageBoxes boxes;
    boxes.expectSaveFile({"Scegli", "/tmp", "Excel (*.xls)"}, QString("/tmp/a.xls"));
    std::optional<QString> path = QString("x");
    EXPECT_NONFATAL_FAILURE(path = boxes.openFile({"Scegli", "/tmp", "Excel (*.xls)"}),
                            "unexpected file dialog");
    EXPECT_EQ(path, std::nullopt);
    EXPECT_EQ(boxes.saveFile({"Scegli", "/tmp", "Excel (*.xls)"}), QString("/tmp/a.xls"));
}

TEST(ScriptedMessageBoxes, APromptThatNeverCameFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedMessageBoxes boxes;
            boxes.expect({"Operazione eseguita !", " Gestione ", Icon::Information});
        },
        "never shown");
}

// Runs `handle` on the modal dialog once it is open.
void whenModalOpens(std::function<void(QWidget*)> handle) {
    QTimer::singleShot(10, [handle] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            handle(dialog);
        else
            whenModalOpens(handle);
    });
}

QAbstractButton* buttonLabelled(QWidget* dialog, const QString& label) {
    for (auto* button : dialog->findChildren<QAbstractButton*>()) {
        if (button->text().remove(u'&') == label)
            return button;
    }
    return nullptr;
}

TEST(QtMessageBoxes, ShowsTheExactTextAndTitleWithItalianButtons) {
    app::QtMessageBoxes boxes;
    QString title, text;
    Qt::TextFormat format = Qt::AutoText;
    bool hasYes = false;
    whenModalOpens([&](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        format = box->textFormat();
        hasYes = buttonLabelled(box, QString::fromUtf8("Sì")) != nullptr;
        QAbstractButton* no = buttonLabelled(box, "No");
        ASSERT_NE(no, nullptr);
        no->click();
    });
    const Answer answer = boxes.message({"Si vuole Eliminare il <Soggetto>  Selezionato ?",
                                         "Gestione ", Icon::None, Buttons::YesNo});
    EXPECT_EQ(answer, Answer::No);
    EXPECT_EQ(title, "Gestione ");
    EXPECT_EQ(text, "Si vuole Eliminare il <Soggetto>  Selezionato ?");
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_TRUE(hasYes);
}

TEST(QtMessageBoxes, ClosingAQuestionWithoutAnswerMeansNo) {
    app::QtMessageBoxes boxes;
    whenModalOpens([](QWidget* dialog) { dialog->close(); });
    EXPECT_EQ(
        boxes.message({"Vuoi modificare il campo ? ", "Gestione", Icon::Question, Buttons::YesNo}),
        Answer::No);
}

TEST(QtMessageBoxes, InputBoxGivesTheTextOrNothingWhenCancelled) {
    app::QtMessageBoxes boxes;
    const app::InputRequest zoom{"Digita la percentuale di Zoom", "Gestione ", "70"};
    QString proposed;
    whenModalOpens([&](QWidget* dialog) {
        auto* input = qobject_cast<QInputDialog*>(dialog);
        ASSERT_NE(input, nullptr);
        proposed = input->textValue();
        input->setTextValue("80");
        input->accept();
    });
    EXPECT_EQ(boxes.input(zoom), QString("80"));
    EXPECT_EQ(proposed, "70");

    bool italianCancel = false;
    whenModalOpens([&](QWidget* dialog) {
        QAbstractButton* cancel = buttonLabelled(dialog, "Annulla");
        italianCancel = cancel != nullptr;
        if (cancel)
            cancel->click();
        else
            static_cast<QDialog*>(dialog)->reject();
    });
    EXPECT_EQ(boxes.input(zoom), std::nullopt);
    EXPECT_TRUE(italianCancel);
}

}  // namespace
