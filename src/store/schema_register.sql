-- Ledrium.mdb: the register of issued receipts. Written with the counter in one transaction,
-- so that every number the counter has given out is here. Run on every open as well: it adds
-- the table to a database delivered before it and leaves every other table as it is.
CREATE TABLE IF NOT EXISTS 発行記録 (
    記録番号 INTEGER PRIMARY KEY,
    領収証番号 INTEGER NOT NULL,
    領収日付 TEXT,
    顧客名 TEXT,
    領収額 INTEGER,
    但書 TEXT,
    表題 TEXT,
    自社名 TEXT,
    自社情報 TEXT,
    用紙 TEXT,
    出力先 TEXT,
    種別 TEXT,
    発行日時 TEXT NOT NULL,
    状態 TEXT NOT NULL,
    無効理由 TEXT
);
CREATE INDEX IF NOT EXISTS 発行記録_領収証番号 ON 発行記録 (領収証番号);
CREATE INDEX IF NOT EXISTS 発行記録_発行日時 ON 発行記録 (発行日時);
