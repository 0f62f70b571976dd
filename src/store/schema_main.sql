-- Ledrium.mdb: what the user registers for good.
CREATE TABLE 顧客マスタ (
    行番号 INTEGER,
    顧客名 TEXT,
    区分 TEXT,
    但書 TEXT,
    領収額 INTEGER, -- the member's usual amount, whole yen; Null when none is kept
    税区分 TEXT, -- the member's own tax class; Null when the print run's applies
    メールアドレス TEXT -- where receipts are mailed; Null when none
);
CREATE INDEX 顧客マスタ_区分 ON 顧客マスタ (区分, 行番号);

CREATE TABLE コードマスタ (
    kcode TEXT,
    code TEXT,
    sname TEXT
);
CREATE INDEX コードマスタ_kcode ON コードマスタ (kcode, code);

CREATE TABLE 自社情報 (
    自社名 TEXT,
    自社情報 TEXT,
    年号 TEXT,
    領収証番号 INTEGER,
    事業者区分 TEXT, -- qualified, unregistered, nonprofit; Null or empty: none chosen
    登録番号 TEXT,   -- "T" and 13 digits
    端数処理 TEXT,   -- down / half-up / up
    メール件名 TEXT, -- the subject receipts are mailed with (Null: the program's own)
    メール本文 TEXT, -- their text (Null: the program's own)
    メール差出人 TEXT -- the sender's address in those messages (Null or empty: none)
);

-- The issuer's seal printed on the receipts, saved with the settings: the image itself (種類
-- "png" or "svg"), its size in tenths of a millimetre, and whether it prints (Yes/No). At most
-- one row; none when no seal is set.
CREATE TABLE 印影 (
    種類 TEXT NOT NULL,
    画像 BLOB NOT NULL,
    寸法 INTEGER NOT NULL,
    印刷 INTEGER NOT NULL
);

-- How far a printer's page is to be moved and scaled so that receipts land where the paper
-- expects them: offsets in tenths of a millimetre (right and down positive), scale in tenths of
-- a per cent (1000 = as drawn).
CREATE TABLE 印刷位置 (
    プリンタ名 TEXT NOT NULL PRIMARY KEY,
    左右 INTEGER NOT NULL,
    上下 INTEGER NOT NULL,
    倍率 INTEGER NOT NULL
);

-- The folder chosen for the kept PDF files; at most one row, none when they are kept in the
-- data folder's own 保存PDF.
CREATE TABLE 保存先 (
    フォルダ TEXT NOT NULL
);

-- How many times each customer category, code list and the settings have been registered: a
-- save names the version it loaded and is refused when another has registered since.
CREATE TABLE 保存版 (
    種類 TEXT NOT NULL,
    名前 TEXT NOT NULL,
    版 INTEGER NOT NULL,
    PRIMARY KEY (種類, 名前)
);
