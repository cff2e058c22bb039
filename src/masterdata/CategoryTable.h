#pragma once

#include <QString>

// What differs between the category trees: the table and, for the two maintained ones,
// the prompts, the level limit and whether a rename reaches the expense records.
// Also builds every statement on such a table, values quoted by the one quoting rule.
struct CategoryTable {
    QString table;
    QString addRootPrompt;
    QString addSonPrompt;
    QString renamePrompt;
    int deepestParentLevel = 0; // the deepest level (in the view) that may receive a child
    QString levelMessage;
    bool renameReachesBills = false; // TBillDetail.DepartName follows a department's rename

    static const CategoryTable &departments();       // TEmpClass, five levels
    static const CategoryTable &expenseCategories(); // TCustClass, four levels
    // A tree that is only read (client and provider categories).
    static CategoryTable readOnly(const QString &table);

    QString loadSql() const;
    QString maxCodeSql(const QString &parentCode) const;
    QString insertSql(const QString &code, const QString &name, const QString &parentCode, int level) const;
    QString renameSql(const QString &code, const QString &name) const;
    QString renameBillsSql(const QString &code, const QString &name) const; // empty when not carried
    QString deleteSql(const QString &code) const;
};
