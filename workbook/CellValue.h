#pragma once

#include <QString>
#include <variant>
#include <vector>

namespace telvainn::excel {

// What a spreadsheet cell holds as its value: nothing, a number, a text, or the error value of a
// formula that could not be worked out ("#DIV/0!", "#N/A", "Err:502"). A date cell holds its serial
// number (days since 30 December 1899), as Excel reports it.
class CellValue {
  public:
    CellValue() = default;
    CellValue(double number) : m_value(number) {}          // NOLINT: a number is a value
    CellValue(QString text) : m_value(std::move(text)) {}  // NOLINT: so is a text
    CellValue(const char*) = delete;  // say QStringLiteral, so that no text is guessed at
    // An error value, with the text the sheet shows for it.
    static CellValue error(QString shown) { return CellValue(ErrorValue{std::move(shown)}); }

    bool isEmpty() const { return std::holds_alternative<std::monostate>(m_value); }
    bool isNumber() const { return std::holds_alternative<double>(m_value); }
    bool isText() const { return std::holds_alternative<QString>(m_value); }
    bool isError() const { return std::holds_alternative<ErrorValue>(m_value); }
    double number() const { return isNumber() ? std::get<double>(m_value) : 0.0; }
    QString text() const { return isText() ? std::get<QString>(m_value) : QString(); }

    // The value as the spreadsheet shows it in a general-format cell of an English office: whole
    // numbers without decimals, others with a full stop and at most 15 significant digits; an error
    // value as its error text.
    QString generalText() const;

    friend bool operator==(const CellValue&, const CellValue&) = default;

  private:
    struct ErrorValue {
        QString shown;
        friend bool operator==(const ErrorValue&, const ErrorValue&) = default;
    };
    explicit CellValue(ErrorValue error) : m_value(std::move(error)) {}

    std::variant<std::monostate, double, QString, ErrorValue> m_value;
};

// A rectangle of values, row by row.
using Block = std::vector<std::vector<CellValue>>;

struct CellPosition {
    int row = 0;  // 1-based
    int column = 0;
    friend bool operator==(const CellPosition&, const CellPosition&) = default;
};

}  // namespace telvainn::excel
