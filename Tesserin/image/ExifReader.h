// EXIF block of a picture and the reader that fills it from a JPEG file's
// marker sections (frame header, comment, Exif APP1) and copies an embedded
// thumbnail to a file.
#pragma once

#include "mfc.h"

#include <cstdio>

struct ExifInfo {
    char ExifVersion[5];
    char CameraMaker[32];
    char CameraModel[40];
    char DateTaken[20];
    int Height;
    int Width;
    int Orientation;
    int IsColour;
    int JpegProcess;
    int FlashUsed;
    float FocalLength;
    float ExposureTime;
    float FNumber;
    float SubjectDistance;
    float SensorWidth;   // millimetres
    float ExposureBias;
    int WhiteBalance;
    int MeteringMode;
    int ExposureProgram;
    int IsoEquivalent;
    int CompressionLevel;
    float FocalPlaneXRes;
    float FocalPlaneYRes;
    float FocalPlaneUnit;   // inches per unit
    float XResolution;
    float YResolution;
    float ResolutionUnit;   // inches per unit
    float Brightness;
    char Comment[1000];
    // The IFD thumbnail inside the reader's section data: valid only while
    // the reader lives, cleared when it goes.
    unsigned char* ThumbnailData;
    int ThumbnailSize;
    BYTE HasExif;
};

class CVXGridCtrl;

class CExifReader {
public:
    // A NULL `info` makes the reader use a zeroed block of its own.
    CExifReader(CString path, ExifInfo* info);
    ~CExifReader();
    CExifReader(const CExifReader&) = delete;
    CExifReader& operator=(const CExifReader&) = delete;

    // Reads sections up to the first SOS. 1: image data reached; +10: an
    // embedded thumbnail was written to `thumbnailFile` (empty: none wanted).
    int ReadJpegSections(CString thumbnailFile);

    ExifInfo* GetInfo() const { return m_pInfo; }
    // The grid FillExifGrid lists the block in; none by default.
    void SetGrid(CVXGridCtrl* grid) { m_pGrid = grid; }
    CVXGridCtrl* GetGrid() const { return m_pGrid; }
    // Labelled rows of the block's values; nothing without a grid.
    void FillExifGrid();
    const char* GetErrorText() const { return m_szError; }

    static const int kMaxSections = 40;

private:
    struct Section {
        BYTE* data;    // the two length bytes and the body
        int marker;
        long offset;   // of the marker in the file
        unsigned size; // length field + 2
    };

    void SetError(const char* text);
    void ProcessFrame(const BYTE* data, unsigned length, int marker);
    void ProcessComment(const BYTE* data, unsigned length);
    bool ProcessExif(const BYTE* body, unsigned length);
    // `linked`: reached through a previous directory's next link.
    bool ProcessDirectory(const BYTE* base, uint64_t length, uint64_t dir, int depth, bool linked);
    void ProcessTag(int tag, int format, const BYTE* value, uint64_t bytes, const BYTE* base, uint64_t length,
                    int depth, bool* ok, uint64_t* thumbOffset, uint64_t* thumbSize);
    void SetThumbnail(const BYTE* base, uint64_t length, uint64_t offset, uint64_t size);
    bool WriteThumbnail(const BYTE* data, unsigned length, const char* path);
    int AddRow(int row, const char* label);

    unsigned Get16(const BYTE* p) const;
    unsigned Get32(const BYTE* p) const;
    double ConvertValue(const BYTE* p, int format) const;

    ExifInfo* m_pInfo;
    char m_szError[256];
    CVXGridCtrl* m_pGrid = nullptr;
    CString m_strPath;
    int m_nLargestWidth;
    int m_nMotorola;
    Section m_sections[kMaxSections];
    int m_nSections;
    bool m_bOwnInfo;
    long m_nFilePos;
    FILE* m_pFile;
    int m_nDirectories;
    bool m_bHaveComment;
};
