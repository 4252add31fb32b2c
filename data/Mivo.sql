-- Template database "Mivo": frame, mask and pattern templates, calendar templates, print forms.
PRAGMA journal_mode = WAL;

CREATE TABLE FrameImgs (
    FrameNo     INTEGER NOT NULL PRIMARY KEY,
    FrameName   VARCHAR(255),
    FrameDate   VARCHAR(10),
    FrameWidth  INTEGER,
    FrameHeight INTEGER,
    FrameWidth2 INTEGER,
    FrameMemo   TEXT,
    FileType1   VARCHAR(10),
    FileType2   VARCHAR(10),
    RegUser     VARCHAR(50),
    FrameImage1 LONGVARBINARY,
    FrameImage2 LONGVARBINARY
);

CREATE TABLE MaskImgs (
    MaskNo     INTEGER NOT NULL PRIMARY KEY,
    MaskName   VARCHAR(255),
    MaskDate   VARCHAR(10),
    MaskWidth  INTEGER,
    MaskHeight INTEGER,
    MaskMemo   TEXT,
    FileType   VARCHAR(10),
    RegUser    VARCHAR(50),
    MaskImage  LONGVARBINARY
);

CREATE TABLE PatternImgs (
    PatternNo     INTEGER NOT NULL PRIMARY KEY,
    PatternName   VARCHAR(255),
    PatternDate   VARCHAR(10),
    PatternWidth  INTEGER,
    PatternHeight INTEGER,
    PatternMemo   TEXT,
    FileType      VARCHAR(10),
    RegUser       VARCHAR(50),
    PatternImage  LONGVARBINARY
);

CREATE TABLE CalendarForms (
    CalNo          INTEGER NOT NULL PRIMARY KEY,
    CalName        VARCHAR(255),
    CalDir         VARCHAR(50),
    CalSize        VARCHAR(50),
    YearX          INTEGER,
    YearY          INTEGER,
    YearHeight     INTEGER,
    YearColor      INTEGER,
    MonthX         INTEGER,
    MonthY         INTEGER,
    MonthHeight    INTEGER,
    MonthColor     INTEGER,
    DaysAreaX      INTEGER,
    DaysAreaY      INTEGER,
    DaysAreaWidth  INTEGER,
    DaysAreaHeight INTEGER,
    DaysLineDraw   INTEGER,
    DaysLineColor  INTEGER,
    UserImgX       INTEGER,
    UserImgY       INTEGER,
    UserImgWidth   INTEGER,
    UserImgHeight  INTEGER,
    DescX          INTEGER,
    DescY          INTEGER,
    DescColor      INTEGER,
    DescHeight     INTEGER,
    FileType       VARCHAR(10),
    CalBackImg     LONGVARBINARY
);

-- Paper and slot sizes are in tenths of a millimetre.
CREATE TABLE PrFormMaster (
    PrFormNo    INTEGER NOT NULL PRIMARY KEY,
    FormName    VARCHAR(255),
    PaperDir    VARCHAR(20),
    SizeName    VARCHAR(20),
    PaperWidth  INTEGER,
    PaperHeight INTEGER,
    NumOfPics   INTEGER,
    RegUser     VARCHAR(50)
);

CREATE TABLE PrFormDetail (
    PrFormNo INTEGER NOT NULL,
    Seq      INTEGER NOT NULL,
    DrawType VARCHAR(20),
    Num1     INTEGER,
    Num2     INTEGER,
    Num3     INTEGER,
    Num4     INTEGER,
    Num5     INTEGER,
    Num6     INTEGER,
    Str1     VARCHAR(255),
    PRIMARY KEY (PrFormNo, Seq)
);
