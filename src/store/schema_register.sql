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
    無効理由 TEXT,
    原本 INTEGER NOT NULL DEFAULT 1, -- 0 for a copy printed again under its original's number
    発行端末 TEXT,
    発行プロセス TEXT,
    税区分 TEXT,     -- none, 10, 8, exempt, outside
    税率 INTEGER,    -- percent
    消費税額 INTEGER, -- the tax printed, whole yen
    登録番号 TEXT,   -- the registration number printed
    印紙税額 INTEGER, -- the stamp duty the receipt bears
    領収日 TEXT,       -- the receipt's date as YYYY-MM-DD, for searching
    sha256 TEXT,       -- of the PDF file the receipt went out in
    保存ファイル TEXT,  -- that file's copy (relative to the archive folder)
    メール TEXT        -- how it was first prepared for mail (the message file or the mail program and time)
);
-- A number goes to one receipt: only copies printed again (原本 0) share the number of their
-- original, whatever the state of either.
CREATE UNIQUE INDEX IF NOT EXISTS 発行記録_原本 ON 発行記録 (領収証番号) WHERE 原本 = 1;
-- Entries whose output has not completed are found at each start.
CREATE INDEX IF NOT EXISTS 発行記録_出力中 ON 発行記録 (発行プロセス) WHERE 状態 = '出力中';
-- The register window sorts by any column at once: the columns it is sorted by in practice
-- are read in index order instead of sorting every entry (each index ends with 記録番号).
CREATE INDEX IF NOT EXISTS 発行記録_領収証番号 ON 発行記録 (領収証番号);
CREATE INDEX IF NOT EXISTS 発行記録_発行日時 ON 発行記録 (発行日時);
CREATE INDEX IF NOT EXISTS 発行記録_顧客名 ON 発行記録 (顧客名);
CREATE INDEX IF NOT EXISTS 発行記録_領収額 ON 発行記録 (領収額);
CREATE INDEX IF NOT EXISTS 発行記録_状態 ON 発行記録 (状態);
CREATE INDEX IF NOT EXISTS 発行記録_領収日付 ON 発行記録 (領収日付);
CREATE INDEX IF NOT EXISTS 発行記録_但書 ON 発行記録 (但書);
CREATE INDEX IF NOT EXISTS 発行記録_用紙 ON 発行記録 (用紙);
CREATE INDEX IF NOT EXISTS 発行記録_出力先 ON 発行記録 (出力先);
-- Every later change of an entry (void, reissue, correction), added and never altered.
CREATE TABLE IF NOT EXISTS 発行記録変更 (
    変更番号 INTEGER PRIMARY KEY,
    記録番号 INTEGER NOT NULL,
    変更日時 TEXT NOT NULL,
    操作 TEXT NOT NULL,
    変更前 TEXT,
    変更後 TEXT,
    理由 TEXT,
    利用者 TEXT,
    端末 TEXT
);
