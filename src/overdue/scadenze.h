#pragma once

// The overdue invoices window "Scadenze": the invoices still to be collected with
// their due dates and days late, latest due first, credit notes under the invoices
// they correct; the total overdue and the total not yet due. From it the chosen
// invoices are marked collected on a date, and a client is sent a reminder: a
// letter printed or saved as PDF, or an e-mail message opened in the user's mail
// program. Its controls are found by their object names.

#include <QUrl>

#include <functional>
#include <optional>
#include <vector>

#include "app/area_window.h"
#include "app/services.h"
#include "registers/overdue.h"
#include "registers/reminder.h"

class QCalendarWidget;
class QCheckBox;
class QLabel;
class QLineEdit;
class QTreeView;

namespace controls {
class XPButton;
}

namespace overdue {

class OverdueModel;

class Scadenze : public app::AreaWindow {
    Q_OBJECT
  public:
    // Opens a mailto: address in the user's mail program; false when nothing opened it.
    using UrlOpener = std::function<bool(const QUrl&)>;

    explicit Scadenze(const app::Services& services, QWidget* parent = nullptr);

    // The desktop's handler by default; tests hand their own.
    void setUrlOpener(UrlOpener opener) { openUrl_ = std::move(opener); }

    // Reads the register again and proposes today as the collection date.
    void activate() override;

  private:
    void createControls();
    void arrangeControls();
    void connectControls();

    void reload();
    void showTotals();
    // A line chosen chooses its group: an invoice and its credit notes are collected
    // together, and the user sees it.
    void chooseWholeGroups();
    // The positions of the lines chosen in the list, each with the rest of its group.
    std::vector<std::size_t> chosenLines() const;
    void markCollected();
    // The letter to the client of the current line; none once the user was told why.
    struct Reminder {
        registers::ReminderLetter letter;
        QString clientName;
        QString address;
    };
    std::optional<Reminder> reminder();
    void printReminder();
    void saveReminderAsPdf();
    void mailReminder();
    void placeCalendar();

    const app::Services services_;
    UrlOpener openUrl_;
    OverdueModel* model_;
    bool choosingGroups_ = false;

    QLabel* heading_;
    QTreeView* list_;
    QLabel* totals_;
    QLabel* leftOut_;
    QLabel* dateLabel_;
    QLineEdit* dateField_;
    QCheckBox* calendarBox_;
    QCalendarWidget* calendar_;
    controls::XPButton* collectButton_;
    controls::XPButton* printButton_;
    controls::XPButton* pdfButton_;
    controls::XPButton* mailButton_;
    controls::XPButton* leaveButton_;
};

}  // namespace overdue
