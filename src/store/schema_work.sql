-- LedriumWork.mdb: the working copies the screens edit, the print rows and the hints.
-- id is a hidden row key for the grids; it is never shown and never saved to the master.
CREATE TABLE w顧客マスタ (
    id INTEGER PRIMARY KEY,
    行番号 INTEGER,
    チェック INTEGER NOT NULL DEFAULT 0,
    顧客名 TEXT,
    領収額 INTEGER,
    但書 TEXT,
    税区分 TEXT,
    メールアドレス TEXT
);

CREATE TABLE wコードマスタ (
    id INTEGER PRIMARY KEY,
    code TEXT,
    sname TEXT,
    チェック INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE w但書 (
    id INTEGER PRIMARY KEY,
    但書 TEXT
);

CREATE TABLE w領収証印刷 (
    id INTEGER PRIMARY KEY,
    顧客名 TEXT,
    領収額 INTEGER,
    但書 TEXT,
    税区分 TEXT
);

CREATE TABLE ClHint (
    FormName TEXT,
    CtlName TEXT,
    FormTitle TEXT,
    Contents TEXT
);
