#include "app/qt_message_boxes.h"

#include "support/scripted_message_boxes.h"
#include "support/shots.h"

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

// A summary's counts, then `items` lines of what went wrong, one a file.
QString summaryOf(int items) {
    QStringList lines;
    for (int i = 1; i <= items; ++i)
        lines << QStringLiteral("- IT01234567890_%1_RC_001.xml: il file è vuoto.")
                     .arg(i, 5, 10, QLatin1Char('0'));
    return QStringLiteral("Ricevute lette: %1.\nNon leggibili: %1").arg(items) +
           (lines.isEmpty() ? QString() : QStringLiteral("\n\n") + lines.join(u'\n'));
}

struct Fitting {
    const char* what;
    QString text;
    QString shown;
    QString details;
};

const QString kPointer = QStringLiteral("\n\nL'elenco completo si legge con «Mostra dettagli...».");

class FittingNotice : public testing::TestWithParam<Fitting> {};

TEST_P(FittingNotice, KeepsAShortTextWholeAndMovesALongListToTheDetails) {
    const Fitting& f = GetParam();
    const app::Message m = app::fittingNotice(f.text, "Gestione", Icon::Warning);
    EXPECT_EQ(m.text, f.shown) << f.what;
    EXPECT_EQ(m.details, f.details) << f.what;
    EXPECT_EQ(m.title, "Gestione");
    EXPECT_EQ(m.icon, Icon::Warning);
    EXPECT_EQ(m.buttons, Buttons::Ok);
}

INSTANTIATE_TEST_SUITE_P(
    App, FittingNotice,
    testing::Values(Fitting{"the counts alone", summaryOf(0), summaryOf(0), {}},
                    Fitting{"a few files listed", summaryOf(20), summaryOf(20), {}},
                    Fitting{"150 files: the counts, the list in the details", summaryOf(150),
                            QStringLiteral("Ricevute lette: 150.\nNon leggibili: 150") + kPointer,
                            summaryOf(150).section(QStringLiteral("\n\n"), 1)},
                    Fitting{"long, without a summary to keep apart",
                            QString(30 * 80, u'x'),
                            QString(30 * 80, u'x'),
                            {}}),
    [](const testing::TestParamInfo<Fitting>& info) { return std::to_string(info.index); });

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

TEST(QtMessageBoxes, ASummaryOfManyFilesFitsTheScreenWithItsListOnRequest) {
    app::QtMessageBoxes boxes;
    const app::Message summary = app::fittingNotice(summaryOf(150), "Gestione", Icon::Warning);
    int height = 0;
    QString details;
    bool detailsButton = false;
    whenModalOpens([&](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        ASSERT_NE(box, nullptr);
        test_support::settle(*box);
        height = box->height();
        details = box->detailedText();
        test_support::saveWindowShot(*box, "app-summary");
        QAbstractButton* show = buttonLabelled(box, "Mostra dettagli...");
        detailsButton = show != nullptr;
        if (show) {
            show->click();
            test_support::settle(*box);
            height = std::max(height, box->height());
            test_support::saveWindowShot(*box, "app-summary-details");
        }
        buttonLabelled(box, "OK")->click();
    });
    EXPECT_EQ(boxes.message(summary), Answer::Ok);
    EXPECT_TRUE(detailsButton);
    EXPECT_EQ(details, summary.details);
    // A small screen's height, the list open: the OK button stays in sight.
    EXPECT_LT(height, 600);
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
