#include "app/qt_message_boxes.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace app {

namespace {

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
        case Icon::None:
            return QMessageBox::NoIcon;
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Warning:
            return QMessageBox::Warning;
        case Icon::Critical:
            return QMessageBox::Critical;
        case Icon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return QMessageBox::Ok;
        case Buttons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case Buttons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// What a box closed without a button press means: the answer that changes nothing.
Answer refusal(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::YesNo:
            return Answer::No;
        case Buttons::OkCancel:
        case Buttons::YesNoCancel:
            return Answer::Cancel;
    }
    return Answer::Cancel;
}

std::optional<QString> chosen(const QString& path) {
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

}  // namespace

Answer QtMessageBoxes::message(const Message& message) {
    QMessageBox box(qtIcon(message.icon), message.title, message.text, qtButtons(message.buttons),
                    QApplication::activeWindow());
    // The program's texts are plain: a "<" must not turn them into markup.
    box.setTextFormat(Qt::PlainText);
    // Shown on request in a scrollable area, so a long list never pushes the buttons
    // off the screen.
    if (!message.details.isEmpty())
        box.setDetailedText(message.details);
    switch (box.exec()) {
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            return refusal(message.buttons);
    }
}

std::optional<QString> QtMessageBoxes::input(const InputRequest& request) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(QApplication::activeWindow(), request.title, request.prompt,
                              QLineEdit::Normal, request.proposed, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtMessageBoxes::openFile(const FileRequest& request) {
    return chosen(QFileDialog::getOpenFileName(QApplication::activeWindow(), request.title,
                                               request.folder, request.filter));
}

std::optional<QStringList> QtMessageBoxes::openFiles(const FileRequest& request) {
    const QStringList paths = QFileDialog::getOpenFileNames(
        QApplication::activeWindow(), request.title, request.folder, request.filter);
    if (paths.isEmpty())
        return std::nullopt;
    return paths;
}

std::optional<QString> QtMessageBoxes::saveFile(const FileRequest& request) {
    // The program asks itself before a file is replaced (app/save_dialog.h), also
    // about the name with the suffix it adds.
    return chosen(QFileDialog::getSaveFileName(QApplication::activeWindow(), request.title,
                                               request.folder, request.filter, nullptr,
                                               QFileDialog::DontConfirmOverwrite));
}

std::optional<QString> QtMessageBoxes::chooseFolder(const FileRequest& request) {
    return chosen(QFileDialog::getExistingDirectory(QApplication::activeWindow(), request.title,
                                                    request.folder));
}

}  // namespace app
