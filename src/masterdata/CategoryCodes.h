#pragma once

#include <QString>

namespace db {
class DataSet;
}
struct CategoryTable;

// A new child code: the parent's code followed by the highest sibling number plus one,
// four digits wide. Codes are never drawn past 9999 children, and a highest sibling code
// that is not a number gives no code, so the same code is never handed out twice.
struct DrawnCode {
    enum Status { Ok, QueryFailed, NotANumber, Full };
    Status status = Ok;
    QString code; // empty unless Ok
};

inline constexpr int kMaxSiblings = 9999;

// True for a non-empty text of decimal digits only.
bool IsDigitCode(const QString &text);

// From the highest sibling code as read ("" when the parent has no child yet).
DrawnCode NextChildCode(const QString &parentCode, const QString &highestSibling);

// The first column of the first row of `sql` as text, "" when there is no row; closes
// `query` again. Raises db::DbError.
QString FirstValue(db::DataSet &query, const QString &sql);

// Reads the highest sibling code of `parentCode` ("" = top level) with `query` and draws
// the next one. Never throws: a failing query gives QueryFailed.
DrawnCode DrawChildCode(db::DataSet &query, const CategoryTable &table, const QString &parentCode);

// The text the user is shown when no code could be drawn.
QString DrawnCodeMessage(DrawnCode::Status status);
