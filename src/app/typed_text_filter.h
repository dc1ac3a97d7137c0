#pragma once

// Passes everything that would enter a line edit, whether typed, pasted or dropped,
// through one rule that maps the incoming text to what may enter.

#include <QObject>
#include <QString>

#include <functional>

class QDropEvent;
class QKeyEvent;
class QLineEdit;
class QMenu;

namespace app {

class TypedTextFilter : public QObject {
    Q_OBJECT
  public:
    // The incoming text -> the text that enters (possibly empty). Must leave a text
    // that it already produced unchanged.
    using Rule = std::function<QString(const QString&)>;

    // Installs itself on `edit`, which owns it.
    TypedTextFilter(QLineEdit* edit, Rule rule);

    // Makes the paste entry of the edit's standard context menu paste filtered text.
    void adaptContextMenu(QMenu* menu);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool keyPressed(QKeyEvent* event);
    bool dropped(QDropEvent* event);
    void insert(const QString& incoming);

    QLineEdit* edit_;
    Rule rule_;
};

}  // namespace app
