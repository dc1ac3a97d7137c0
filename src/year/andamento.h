#pragma once

// "Andamento": the year at a glance. For the year chosen: a bar chart of what was
// invoiced and collected month by month, the year's totals, the clients invoiced
// most and, for a flat-rate user, what was collected against the regime's limit.
// The figures print as a list or go to a PDF file; the invoices of a month, a
// quarter or the year go to the accountant in one ZIP file.

#include <optional>

#include "app/area_window.h"
#include "app/services.h"
#include "registers/year_figures.h"

class QBarSet;
class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QProgressBar;
class QTreeWidget;
class QValueAxis;
class QWidget;

namespace controls {
class XPButton;
}

namespace year {

class Andamento : public app::AreaWindow {
    Q_OBJECT
  public:
    explicit Andamento(const app::Services& services, QWidget* parent = nullptr);

    // Offers the register's years, this year chosen, and shows its figures.
    void activate() override;

    // The figures shown; none before the first activation or without a register.
    const std::optional<registers::YearFigures>& figures() const { return figures_; }

  private:
    void showYear();
    void showFigures(const registers::YearFigures& figures, bool flatRate);
    void print();
    void saveAsPdf();
    void packForAccountant();

    const app::Services services_;
    std::optional<registers::YearFigures> figures_;
    bool flatRate_ = false;

    QComboBox* yearBox_;
    QChart* chart_;
    QChartView* chartView_;
    QBarSet* invoicedSet_;
    QBarSet* collectedSet_;
    QValueAxis* amountAxis_;
    QLabel* taxable_;
    QLabel* surcharge_;
    QLabel* vat_;
    QLabel* total_;
    QLabel* collected_;
    QLabel* withholding_;
    QLabel* net_;
    QLabel* leftOut_;
    QTreeWidget* clients_;
    QWidget* flatRateBox_;
    QProgressBar* flatRateBar_;
    QLabel* flatRateLine_;
    QComboBox* periodBox_;
    controls::XPButton* packButton_;
    controls::XPButton* printButton_;
    controls::XPButton* pdfButton_;
    controls::XPButton* exitButton_;
};

}  // namespace year
