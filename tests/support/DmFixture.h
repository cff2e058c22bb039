#pragma once

#include "TempProgramFolder.h"
#include "shell/uDM.h"

#include <memory>

// A data module whose shared connection is open on a fresh throw-away database, installed
// as the program's DM for the fixture's lifetime. AppPath points at the folder.
class DmFixture {
public:
    explicit DmFixture(TempProgramFolder::Content content = TempProgramFolder::SchemaOnly);
    ~DmFixture();

    TempProgramFolder folder;
    std::unique_ptr<TDM> dm;

    db::Connection *connection() const { return dm->ADOConnection1; }
    // Runs a statement on the shared connection; fails the test on error (use in QVERIFY).
    bool exec(const QString &sql) const;
    // First column of the first row, through a dataset of its own.
    QString value(const QString &sql) const;
};
