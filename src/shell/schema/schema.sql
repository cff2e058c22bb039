-- The tables of the Quoravel database. The build turns this file (and the demonstration
-- data) into DB/Data.MDB; the programs themselves never create or alter tables.
-- Dates are text 'yyyy-MM-dd HH:mm:ss'; codes and names are text; amounts are REAL.

PRAGMA journal_mode = DELETE;

-- The four category trees share one shape.
CREATE TABLE TEmpClass (
  ID          INTEGER PRIMARY KEY AUTOINCREMENT,
  TypeCode    TEXT NOT NULL,
  TypeName    TEXT DEFAULT '',
  ParTypeCode TEXT DEFAULT '',
  nLeveal     INTEGER DEFAULT 0
);
CREATE UNIQUE INDEX ixEmpClassCode ON TEmpClass (TypeCode);
CREATE INDEX ixEmpClassParent ON TEmpClass (ParTypeCode, TypeCode);

CREATE TABLE TCustClass (
  ID          INTEGER PRIMARY KEY AUTOINCREMENT,
  TypeCode    TEXT NOT NULL,
  TypeName    TEXT DEFAULT '',
  ParTypeCode TEXT DEFAULT '',
  nLeveal     INTEGER DEFAULT 0
);
CREATE UNIQUE INDEX ixCustClassCode ON TCustClass (TypeCode);
CREATE INDEX ixCustClassParent ON TCustClass (ParTypeCode, TypeCode);

CREATE TABLE TClientClass (
  ID          INTEGER PRIMARY KEY AUTOINCREMENT,
  TypeCode    TEXT NOT NULL,
  TypeName    TEXT DEFAULT '',
  ParTypeCode TEXT DEFAULT '',
  nLeveal     INTEGER DEFAULT 0
);
CREATE UNIQUE INDEX ixClientClassCode ON TClientClass (TypeCode);

CREATE TABLE TProviderClass (
  ID          INTEGER PRIMARY KEY AUTOINCREMENT,
  TypeCode    TEXT NOT NULL,
  TypeName    TEXT DEFAULT '',
  ParTypeCode TEXT DEFAULT '',
  nLeveal     INTEGER DEFAULT 0
);
CREATE UNIQUE INDEX ixProviderClassCode ON TProviderClass (TypeCode);

CREATE TABLE TFunc (
  ID       INTEGER PRIMARY KEY AUTOINCREMENT,
  FuncCode TEXT NOT NULL,
  FuncName TEXT DEFAULT ''
);
CREATE UNIQUE INDEX ixFuncCode ON TFunc (FuncCode);

CREATE TABLE TEmployee (
  ID          INTEGER PRIMARY KEY AUTOINCREMENT,
  Code        TEXT DEFAULT '',
  UserName    TEXT DEFAULT '',
  Sex         INTEGER DEFAULT 0,
  TelePhone   TEXT DEFAULT '',
  MobilePhone TEXT DEFAULT '',
  EMail       TEXT DEFAULT '',
  Address     TEXT DEFAULT '',
  PostCode    TEXT DEFAULT '',
  Desp        TEXT DEFAULT '',
  MaxLimit    REAL DEFAULT 0,
  ZZStu       INTEGER DEFAULT 1,
  TypeCode    TEXT DEFAULT '',
  FuncCode    TEXT DEFAULT ''
);
CREATE INDEX ixEmployeeCode ON TEmployee (Code);
CREATE INDEX ixEmployeeDepart ON TEmployee (TypeCode);
CREATE INDEX ixEmployeeFunc ON TEmployee (FuncCode);

CREATE TABLE TFormula (
  ID           INTEGER PRIMARY KEY AUTOINCREMENT,
  FuncCode     TEXT DEFAULT '',
  CustTypeCode TEXT DEFAULT '',
  Formula      TEXT DEFAULT ''
);
CREATE UNIQUE INDEX ixFormulaPair ON TFormula (FuncCode, CustTypeCode);

CREATE TABLE TBillDetail (
  ID         INTEGER PRIMARY KEY AUTOINCREMENT,
  OcrDate    TEXT,
  DepartCode TEXT DEFAULT '',
  EmpID      TEXT DEFAULT '',
  CustCode   TEXT DEFAULT '',
  Total      REAL DEFAULT 0,
  Desp       TEXT DEFAULT '',
  DepartName TEXT DEFAULT '',
  EmpName    TEXT DEFAULT '',
  CustName   TEXT DEFAULT '',
  ContractNo TEXT DEFAULT '',
  Provider   TEXT DEFAULT '',
  PayStyle   TEXT DEFAULT ''
);
-- The period sums select by department or employee, category prefix and date range;
-- the query window by date and lists newest first.
CREATE INDEX ixBillDepart ON TBillDetail (DepartCode, CustCode, OcrDate);
CREATE INDEX ixBillEmp ON TBillDetail (EmpID, CustCode, OcrDate);
CREATE INDEX ixBillDate ON TBillDetail (OcrDate);
CREATE INDEX ixBillCust ON TBillDetail (CustCode);

-- One row only: the version of the last update package applied.
CREATE TABLE TPara (
  ID        INTEGER PRIMARY KEY CHECK (ID = 1),
  ClientVer TEXT DEFAULT '0000000000'
);
INSERT INTO TPara (ID, ClientVer) VALUES (1, '2026120100');

-- A position that an employee or a formula names cannot be deleted. A trigger rather than a
-- foreign key: a position's code may change, and an employee may name no position at all.
CREATE TRIGGER trFuncInUse BEFORE DELETE ON TFunc
WHEN EXISTS (SELECT 1 FROM TEmployee WHERE FuncCode = OLD.FuncCode)
  OR EXISTS (SELECT 1 FROM TFormula WHERE FuncCode = OLD.FuncCode)
BEGIN
  SELECT RAISE(ABORT, 'The position is in use');
END;
