#pragma once

// Passes everything that would enter a line edit, whether typed, pasted, dropped or
// composed by an input method, through one rule that maps the incoming text to what
// may enter, and a typing limit. Text the program sets is not touched: a stored value
// longer than the limit is shown, and written back, whole.

#include <QObject>
#include <QString>

#include <functional>

class QDropEvent;
class QInputMethodEvent;
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

    // The edit's filter, installed on it (and owned by it) the first time; it lets
    // everything in until given a rule or a limit.
    static TypedTextFilter* of(QLineEdit* edit);

    void setRule(Rule rule);
    // At most `limit` characters typed or pasted in all; 0 for no limit.
    void setLimit(int limit);
    // What the keypad's decimal key types instead of its full stop; none by default.
    void setKeypadDecimal(QChar decimal);

    // Makes the paste entry of the edit's standard context menu paste filtered text.
    void adaptContextMenu(QMenu* menu);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    explicit TypedTextFilter(QLineEdit* edit);

    // What of `incoming` enters where the caret (or selection) stands.
    QString admitted(const QString& incoming) const;
    bool keyPressed(QKeyEvent* event);
    bool composed(QInputMethodEvent* event);
    bool dropped(QDropEvent* event);
    void insert(const QString& incoming);

    QLineEdit* edit_;
    Rule rule_;
    int limit_ = 0;
    QChar keypadDecimal_;
};

}  // namespace app
