#pragma once

#include <cstdint>
#include <vector>

// The parsed form of a formula, shared by the parser that writes it and the evaluator that
// runs it.
namespace calc {

// Token and node kinds share one numbering.
enum Kind : std::uint8_t {
    End = 0,
    LParen = 1,
    RParen = 2,
    Plus = 3,
    Minus = 4,
    Times = 5,
    Divide = 6,
    Number = 7,
    Variable = 8,
    Negate = 9,
    Cos = 10,
    Sin,
    Tg,
    Ctg,
    Abs,
    Sgn,
    Sqrt,
    Ln,
    Exp,
    ArcSin,
    ArcCos,
    ArcTg,
    ArcCtg,
    Sh,
    Ch,
    Th,
    Cth,
    Heaviside = 27,
    Power = 31,
};

inline bool isFunction(std::uint8_t kind) { return kind >= Cos && kind <= Heaviside; }

// One step of the tree in post-order: leaves push a value, operators pop their operands and
// push the result.
struct Op {
    long double value = 0;   // Number
    std::int32_t index = 0;  // Variable: its position in the variable list
    std::uint8_t kind = End;
    bool outOfRange = false; // Number beyond the extended range
};

struct Program {
    std::vector<Op> ops; // empty: no tree
    int stackNeed = 0;   // values pending at most while it runs
};

} // namespace calc
