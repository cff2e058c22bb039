#include "allocation/CalcExpress.h"

#include "allocation/CalcEvaluator.h"
#include "allocation/CalcParser.h"
#include "platform/Prompts.h"

#include <algorithm>

namespace {

const char *const kFormulaError = "Error in formula.";

// Only the ASCII letters are lowered; every other character stays as it is.
QString lowerAscii(const QString &text)
{
    const auto isUpper = [](QChar c) { return c.unicode() >= u'A' && c.unicode() <= u'Z'; };
    if (std::none_of(text.begin(), text.end(), isUpper))
        return text; // shared, not copied: the usual case
    QString lowered = text;
    for (QChar &c : lowered)
        if (isUpper(c))
            c = QChar(char16_t(c.unicode() + (u'a' - u'A')));
    return lowered;
}

} // namespace

TCalcExpress::TCalcExpress(QObject *owner) : QObject(owner)
{
    setFormula(QStringLiteral("0"));
}

void TCalcExpress::setFormula(const QString &text)
{
    m_formula = lowerAscii(text);
    if (!calc::Parse(m_formula, m_variables, m_program))
        Prompts::instance().message(QString::fromLatin1(kFormulaError));
}

QString TCalcExpress::formula() const
{
    return m_formula;
}

void TCalcExpress::setVariables(const QStringList &names)
{
    m_variables = names;
    setFormula(m_formula);
}

QStringList TCalcExpress::variables() const
{
    return m_variables;
}

long double TCalcExpress::Evaluate(const std::vector<long double> &values) const
{
    if (m_program.ops.empty())
        throw EvalError(kFormulaError);
    return calc::Evaluate(m_program, values);
}
