// CJpegStructureWalk: lists the inner structure of one JPEG file as tree rows of a grid: every
// marker section with its file offset and length, the Exif header field by field, and every entry
// of every EXIF directory with its raw bytes and, for the tags it knows, the interpreted value.
// The file is only read. Every offset shown is the file offset of the first byte shown.
//
// The walk reads outside data: every read is checked against the section it lies in, sums are
// taken in 64 bits, directory links are followed once each and not too deep, and the rows one
// file may add are counted, so a hostile file ends the listing early instead of taking the
// program down. The reason of an early end is kept as the last error text.
#pragma once

#include "mfc.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <set>
#include <vector>

class CVXGridCtrl;
struct _TREEITEM;

class CJpegStructureWalk {
public:
    // Sections one file may have; the compressed image counts as a section of its own.
    static constexpr int kMaxSections = 40;
    // 0xFF bytes allowed before a marker code.
    static constexpr int kMaxPadding = 6;
    // Directory links followed below the first directory of an Exif block.
    static constexpr int kMaxIfdDepth = 8;
    // Rows one analysis may add: far above any camera file, low enough that a file made of
    // directories of thousands of entries ends in reasonable time.
    static constexpr int kMaxRows = 5000;
    // The grid colour index that bands the rows of every other directory entry.
    static constexpr int kBandColour = 4;

    explicit CJpegStructureWalk(CVXGridCtrl* grid);
    ~CJpegStructureWalk();
    CJpegStructureWalk(const CJpegStructureWalk&) = delete;
    CJpegStructureWalk& operator=(const CJpegStructureWalk&) = delete;

    // One analysis of the file: the grid is emptied first and rows appear in file order.
    void WalkJpegMarkers(const CString& path);
    // The Exif header of an APP1 section; data is the "E" of "Exif", size the bytes from there to
    // the section's end. 1 when the whole EXIF walk succeeded, 0 when it stopped.
    int ReadExifHeader(const BYTE* data, size_t size);
    // Inserts a row under parent (RVTI_ROOT: top level) and returns its node.
    _TREEITEM* AddStructureRow(LPCSTR name, int64_t address, LPCSTR value, int64_t bytes, LPCSTR refValue,
                               _TREEITEM* parent, LPCSTR refLength = "", LPCSTR thumbnail = "");

    const CString& LastError() const { return m_strLastError; }
    int SectionCount() const { return (int)m_sections.size(); }
    // Releases the section blocks and closes the file.
    void Release();

private:
    struct Section {
        int type = 0;
        int64_t offset = 0;  // the file offset of the length field
        int64_t size = 0;    // length value + 2
        std::unique_ptr<BYTE[]> block;  // the length bytes, then the data
    };
    struct FileCloser {
        void operator()(FILE* file) const { std::fclose(file); }
    };

    // Markers.
    int ReadByte();
    bool ReadMarkerCode(int* code);
    bool ReadSection(int code);
    bool ReadCompressedImage();
    void AddSectionRow(int code, const Section& section, int64_t markerAt, int length);
    CString ThumbnailText(const Section& section, int length) const;
    bool Stop(LPCSTR reason);

    // Exif directories, at offsets from the TIFF header.
    int WalkExifIfd(uint64_t dir, int depth);
    bool WalkEntry(uint64_t entry, int64_t fileOffset, int depth);
    bool WalkLinkedIfd(uint32_t link, int depth);
    CString Interpret(unsigned tag, unsigned format, uint64_t valueAt, uint64_t byteCount);
    double ConvertValue(unsigned format, uint64_t valueAt, uint64_t byteCount) const;
    CString TextValue(uint64_t valueAt, uint64_t byteCount) const;
    bool Holds(uint64_t at, uint64_t count) const;
    unsigned Get16(uint64_t at) const;
    uint32_t Get32(uint64_t at) const;
    int BandColour(_TREEITEM* parent) const;

    CVXGridCtrl* m_pGrid;
    std::unique_ptr<FILE, FileCloser> m_file;
    int64_t m_nPosition = 0;
    int64_t m_nFileSize = 0;
    std::vector<Section> m_sections;
    int m_nRows = 0;

    _TREEITEM* m_pApp1Row = nullptr;
    const BYTE* m_pApp1Block = nullptr;
    int64_t m_nApp1Offset = 0;
    _TREEITEM* m_pDirRow = nullptr;
    int64_t m_nDirOffset = 0;
    int64_t m_nTiffOffset = 0;
    const BYTE* m_pTiff = nullptr;  // the TIFF header inside the APP1 block
    uint64_t m_nExifLength = 0;     // bytes from the TIFF header to the section's end
    bool m_bMotorola = false;
    std::set<uint32_t> m_walkedIfds;

    int m_nEntryCount = 0;
    double m_dExposureTime = 0;
    double m_dFNumber = 0;
    float m_fResolutionUnit = 0;
    float m_fFocalPlaneUnit = 0;
    CString m_strLastError;
};
