#pragma once

#include <QString>

#include <functional>

// The figures an allocation formula draws from the database, each written as a token
// "{KEYWORD code:label}" or "{KEYWORD code:label code:label}".
enum class FormulaToken {
    CountEmp, // "{COUNTEMP " employee code, category code: money of the employee in the period
    Count,    // "{COUNT " department code, category code: money of the department in the period
    SumD,     // "{SUM_D " department code: headcount of the department and all below it
    SumF,     // "{SUM_F " position code: headcount of the position
};

// The keyword that opens a token, trailing space included.
QString TokenKeyword(FormulaToken kind);

// The codes of a token text (from "{" up to, not including, "}"). Labels are skipped;
// `second` is read for the two-part tokens only.
struct TokenCodes {
    QString first;
    QString second;
};
TokenCodes ReadTokenCodes(const QString &token, bool twoPart);

// Replaces every token of a formula by its value written "0.00". Stops at a "{" that opens
// no known token or that no "}" closes, and says why in `problem`.
struct TokenExpansion {
    QString text;    // the formula with its tokens replaced
    QString problem; // empty when every token was replaced
};
using TokenValue = std::function<double(FormulaToken kind, const QString &token)>;
TokenExpansion ExpandTokens(const QString &formula, const TokenValue &valueOf);

// The message for a formula that could not be computed: the formula as stored (with its
// tokens), a carriage return, and the reason.
QString FormulaFailureMessage(const QString &formula, const QString &reason);
