#pragma once

// One cell of the in-memory workbook. A register holds hundreds of thousands of
// cells, so a cell takes 16 bytes: its format, kind and boolean or error code, and
// either its number or its text. A text is held once and shared by every cell
// that shows it; a cell read with a formula keeps its value beside the formula.

#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>

namespace xls {

enum class CellKind : std::uint8_t { Empty, Number, Text, Boolean, Error };

// The cell format every new cell gets: the first cell XF after the 15 style XFs.
inline constexpr std::uint16_t kDefaultXf = 15;

struct CellFormula;

// A text held once, shared by the cells that show it (those read from one entry
// of a file's shared-string table, say) and copied by reference.
class SharedText {
  public:
    SharedText() = default;  // the empty text
    explicit SharedText(QString text);
    SharedText(const SharedText& other) noexcept : node_(acquire(other.node_)) {}
    SharedText(SharedText&& other) noexcept : node_(other.node_) { other.node_ = nullptr; }
    SharedText& operator=(SharedText other) noexcept {
        std::swap(node_, other.node_);
        return *this;
    }
    ~SharedText() { release(node_); }

    const QString& text() const { return textOf(node_); }

    // Another reference to the same text, counted without an atomic operation,
    // which would stall the reader once per cell: only for a text no other
    // thread can reach yet, as the entries of the table a workbook is read with.
    SharedText copyUnpublished() const {
        if (node_) {
            node_->references.store(node_->references.load(std::memory_order_relaxed) + 1,
                                    std::memory_order_relaxed);
        }
        return SharedText(node_);
    }

  private:
    friend class Cell;
    struct Node {
        std::atomic<std::uint32_t> references{1};
        QString text;
    };
    static Node* acquire(Node* node) {
        if (node)
            node->references.fetch_add(1, std::memory_order_relaxed);
        return node;
    }
    static void release(Node* node) {
        if (node && node->references.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete node;
    }
    // Called for every text cell written or shown, so inline; only the rare empty
    // text goes through a call.
    static const QString& textOf(const Node* node) { return node ? node->text : emptyText(); }
    static const QString& emptyText();

    explicit SharedText(Node* counted) : node_(counted) {}

    Node* node_ = nullptr;  // null for the empty text
};

class Cell {
  public:
    Cell() = default;
    Cell(const Cell& other);
    Cell(Cell&& other) noexcept : xf(other.xf), kind_(other.kind_), code_(other.code_) {
        withFormula_ = other.withFormula_;
        payload_ = other.payload_;
        other.kind_ = CellKind::Empty;
        other.withFormula_ = false;
    }
    Cell& operator=(Cell other) noexcept {
        swap(other);
        return *this;
    }
    ~Cell() {
        dropValue();
        if (withFormula_)
            deleteFormula();
    }

    std::uint16_t xf = kDefaultXf;

    CellKind kind() const { return kind_; }
    // Boolean: 0 or 1; Error: an ErrorCode.
    std::uint8_t code() const { return code_; }
    // A number's value; 0 for any other kind.
    double number() const { return kind_ == CellKind::Number ? slot().number : 0; }
    // A text's characters; empty for any other kind.
    const QString& text() const {
        return SharedText::textOf(kind_ == CellKind::Text ? slot().text : nullptr);
    }
    // The same for two cells only when they show one shared text; null for any
    // other kind. A table of texts knows a text again by it without reading it.
    const void* textIdentity() const { return kind_ == CellKind::Text ? slot().text : nullptr; }
    // The formula whose cached result the value is, or null.
    const std::shared_ptr<const CellFormula>& formula() const;
    // Whether the value is a formula's result; cheaper than asking for the formula.
    bool hasFormula() const { return withFormula_; }

    // Each replaces the value and keeps the formula, whose result the value may be.
    void setEmpty() { setCoded(CellKind::Empty, 0); }
    void setNumber(double value) {
        dropValue();
        kind_ = CellKind::Number;
        code_ = 0;
        slot().number = value;
    }
    void setText(SharedText text) {
        dropValue();
        kind_ = CellKind::Text;
        code_ = 0;
        slot().text = text.node_;
        text.node_ = nullptr;
    }
    void setText(QString text) { setText(SharedText(std::move(text))); }
    void setBoolean(bool value) { setCoded(CellKind::Boolean, value ? 1 : 0); }
    void setError(std::uint8_t code) { setCoded(CellKind::Error, code); }
    // Ties the value to a formula; a null one leaves the cell a plain value.
    void setFormula(std::shared_ptr<const CellFormula> formula);

    // A cell that carries nothing worth writing: no value and the default format.
    bool isVoid() const { return kind_ == CellKind::Empty && xf == kDefaultXf && !withFormula_; }

    void swap(Cell& other) noexcept {
        std::swap(xf, other.xf);
        std::swap(kind_, other.kind_);
        std::swap(code_, other.code_);
        std::swap(withFormula_, other.withFormula_);
        std::swap(payload_, other.payload_);
    }

  private:
    union Slot {
        double number;
        SharedText::Node* text;
    };
    struct FormulaNode {
        std::shared_ptr<const CellFormula> formula;
        Slot value;
    };
    union Payload {
        Slot own;
        FormulaNode* formula;
    };

    Slot& slot() { return withFormula_ ? payload_.formula->value : payload_.own; }
    const Slot& slot() const { return withFormula_ ? payload_.formula->value : payload_.own; }
    void dropValue() {
        if (kind_ == CellKind::Text)
            SharedText::release(slot().text);
        kind_ = CellKind::Empty;
    }
    void setCoded(CellKind kind, std::uint8_t code) {
        dropValue();
        kind_ = kind;
        code_ = code;
        slot().number = 0;
    }
    void deleteFormula();

    CellKind kind_ = CellKind::Empty;
    std::uint8_t code_ = 0;
    bool withFormula_ = false;
    Payload payload_{Slot{0.0}};
};

static_assert(sizeof(Cell) == 16, "registers hold hundreds of thousands of cells");

inline Cell numberCell(double value, std::uint16_t xf = kDefaultXf) {
    Cell cell;
    cell.xf = xf;
    cell.setNumber(value);
    return cell;
}

inline Cell textCell(SharedText text, std::uint16_t xf = kDefaultXf) {
    Cell cell;
    cell.xf = xf;
    cell.setText(std::move(text));
    return cell;
}

inline Cell textCell(QString text, std::uint16_t xf = kDefaultXf) {
    return textCell(SharedText(std::move(text)), xf);
}

}  // namespace xls
