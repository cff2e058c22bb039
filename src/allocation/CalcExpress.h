#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <stdexcept>
#include <vector>

// A failed evaluation; what() is the reason text shown to the user.
struct EvalError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Parses an arithmetic formula once and evaluates it in 80-bit extended precision.
// A failed parse shows "Error in formula." and leaves no tree; Evaluate then throws.
class TCalcExpress : public QObject {
    Q_OBJECT
public:
    explicit TCalcExpress(QObject *owner = nullptr); // Formula "0", no variables
    ~TCalcExpress() override;

    void setFormula(const QString &text); // parses; on failure shows "Error in formula." (Prompts) and keeps no tree
    QString formula() const;              // the lower-cased text
    void setVariables(const QStringList &names);
    QStringList variables() const;
    long double Evaluate(const std::vector<long double> &values) const; // throws EvalError

private:
    struct Parser;

    // One step of the parsed formula in post-order: leaves push a value, operators pop their
    // operands and push the result. Kinds keep the numbering of the scanner's tokens.
    struct Op {
        long double value = 0; // literal
        std::int32_t index = 0; // variable position
        std::uint8_t kind = 0;
        bool outOfRange = false; // literal beyond the extended range
    };

    bool parse();

    QString m_formula;
    QStringList m_variables;
    std::vector<Op> m_program;
    int m_stackNeed = 0;
    bool m_hasTree = false;
};
