-- User database "MivoUser": albums, thumbnail cache, cart, settings, grid reports.
-- Text is stored as UTF-8; the program converts at the ODBC boundary.
PRAGMA journal_mode = WAL;

CREATE TABLE AlbumMaster (
    AlbumID   INTEGER NOT NULL PRIMARY KEY,
    AlbumName VARCHAR(255),
    Parent    INTEGER DEFAULT 0
);

CREATE TABLE AlbumDetail (
    AlbumID      INTEGER NOT NULL,
    Seq          INTEGER NOT NULL,
    PathName     VARCHAR(255),
    Title        VARCHAR(255),
    TargetList   VARCHAR(255),
    Photographer VARCHAR(255),
    Process      VARCHAR(255),
    PhotoDesc    TEXT,
    PRIMARY KEY (AlbumID, Seq)
);
CREATE INDEX AlbumDetailPath ON AlbumDetail (PathName);

CREATE TABLE ThumbImages (
    ThumbNo    INTEGER NOT NULL PRIMARY KEY,
    ImgPath    VARCHAR(255),
    RegDate    VARCHAR(20),
    ThumbImage LONGVARBINARY
);
CREATE INDEX ThumbImagesPath ON ThumbImages (ImgPath);

CREATE TABLE CartMaster (
    CartNo   INTEGER NOT NULL PRIMARY KEY,
    CartName VARCHAR(255)
);

CREATE TABLE CartItems (
    CartNo    INTEGER NOT NULL,
    OrderItem VARCHAR(255) NOT NULL,
    PRIMARY KEY (CartNo, OrderItem)
);

CREATE TABLE BasCodes (
    BasCateg VARCHAR(50) NOT NULL,
    BasCode  VARCHAR(50) NOT NULL,
    BasDesc1 VARCHAR(255),
    BasDesc2 VARCHAR(255),
    BasDesc3 VARCHAR(255),
    BasNum1  INTEGER,
    PRIMARY KEY (BasCateg, BasCode)
);
