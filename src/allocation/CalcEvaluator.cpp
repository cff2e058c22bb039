#include "allocation/CalcEvaluator.h"

#include "allocation/CalcExpress.h"

#include <cmath>

namespace calc {

namespace {

const char *const kDivisionByZero = "Floating point division by zero";
const char *const kInvalidOperation = "Invalid floating point operation";
const char *const kOverflow = "Floating point overflow";

constexpr long double kHalfPi = 1.570796326794896619231321691639751442L;
constexpr long double kTwoTo63 = 9223372036854775808.0L;

[[noreturn]] void raise(const char *reason)
{
    throw EvalError(reason);
}

// Every result passes here: our operands are always finite, so an infinite result is an
// overflow and a NaN an invalid operation.
inline long double checked(long double r)
{
    if (std::isinf(r))
        raise(kOverflow);
    if (std::isnan(r))
        raise(kInvalidOperation);
    return r;
}

inline long double divide(long double a, long double b)
{
    if (b == 0)
        raise(a == 0 ? kInvalidOperation : kDivisionByZero);
    return checked(a / b);
}

inline long double squareRoot(long double x)
{
    if (x < 0)
        raise(kInvalidOperation);
    return sqrtl(x);
}

inline long double naturalLog(long double x)
{
    if (x == 0)
        raise(kDivisionByZero);
    if (x < 0)
        raise(kInvalidOperation);
    return checked(logl(x));
}

inline long double exponential(long double x)
{
    return checked(expl(x));
}

long double integralPower(long double base, std::uint32_t n)
{
    long double result = 1;
    for (;;) {
        if (n & 1u)
            result = checked(result * base);
        n >>= 1;
        if (n == 0)
            return result;
        base = checked(base * base);
    }
}

long double power(long double base, long double exponent)
{
    if (exponent == 0)
        return 1;
    if (base == 0 && exponent > 0)
        return 0;
    const long double magnitude = fabsl(exponent);
    if (magnitude <= 2147483647.0L && truncl(exponent) == exponent) {
        const long double raised = integralPower(base, std::uint32_t(magnitude));
        return exponent < 0 ? divide(1, raised) : raised;
    }
    return exponential(checked(exponent * naturalLog(base)));
}

long double function(std::uint8_t kind, long double x)
{
    switch (kind) {
    case Cos:
        return fabsl(x) >= kTwoTo63 ? 0 : cosl(x);
    case Sin:
        return fabsl(x) >= kTwoTo63 ? 0 : sinl(x);
    case Tg:
        return checked(tanl(x));
    case Ctg:
        return divide(1, checked(tanl(x)));
    case Abs:
        return fabsl(x);
    case Sgn:
        return x < 0 ? -1 : (x > 0 ? 1 : 0);
    case Sqrt:
        return squareRoot(x);
    case Ln:
        return naturalLog(x);
    case Exp:
        return exponential(x);
    case ArcSin:
        return atan2l(x, squareRoot(checked(1 - checked(x * x))));
    case ArcCos:
        return atan2l(squareRoot(checked(1 - checked(x * x))), x);
    case ArcTg:
        return atanl(x);
    case ArcCtg:
        return kHalfPi - atanl(x);
    case Sh:
    case Ch:
    case Th:
    case Cth: {
        const long double ex = exponential(x);
        const long double emx = exponential(-x);
        switch (kind) {
        case Sh:
            return checked(ex - emx) / 2;
        case Ch:
            return checked(ex + emx) / 2;
        case Th:
            return divide(checked(ex - emx), checked(ex + emx));
        default:
            return divide(checked(ex + emx), checked(ex - emx));
        }
    }
    case Heaviside:
        return x >= 0 ? 1 : 0;
    default:
        return 0;
    }
}

} // namespace

long double Evaluate(const Program &program, const std::vector<long double> &values)
{
    constexpr int kLocal = 64;
    long double local[kLocal];
    local[0] = 0; // always written by a tree's first leaf; the compiler cannot see that
    std::vector<long double> spill;
    long double *stack = local;
    if (program.stackNeed > kLocal) {
        spill.resize(size_t(program.stackNeed));
        stack = spill.data();
    }
    int top = -1;
    for (const Op &op : program.ops) {
        switch (op.kind) {
        case Number:
            if (op.outOfRange)
                raise(kOverflow);
            stack[++top] = op.value;
            break;
        case Variable:
            // A value the caller did not supply is as undefined as an invalid operation.
            if (op.index < 0 || size_t(op.index) >= values.size())
                raise(kInvalidOperation);
            stack[++top] = checked(values[size_t(op.index)]);
            break;
        case Plus:
            --top;
            stack[top] = checked(stack[top] + stack[top + 1]);
            break;
        case Minus:
            --top;
            stack[top] = checked(stack[top] - stack[top + 1]);
            break;
        case Times:
            --top;
            stack[top] = checked(stack[top] * stack[top + 1]);
            break;
        case Divide:
            --top;
            stack[top] = divide(stack[top], stack[top + 1]);
            break;
        case Power:
            --top;
            stack[top] = power(stack[top], stack[top + 1]);
            break;
        case Negate:
            stack[top] = -stack[top];
            break;
        default:
            stack[top] = function(op.kind, stack[top]);
            break;
        }
    }
    return stack[0];
}

} // namespace calc
