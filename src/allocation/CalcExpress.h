#pragma once

#include "allocation/CalcProgram.h"

#include <QObject>
#include <QString>
#include <QStringList>

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

    void setFormula(const QString &text); // parses; on failure shows "Error in formula." (Prompts) and keeps no tree
    QString formula() const;              // the lower-cased text
    void setVariables(const QStringList &names);
    QStringList variables() const;
    long double Evaluate(const std::vector<long double> &values) const; // throws EvalError

private:
    QString m_formula;
    QStringList m_variables;
    calc::Program m_program; // empty after a failed parse
};
