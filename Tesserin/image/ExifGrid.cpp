// The EXIF table: CExifReader lists the block's values as labelled rows of a grid, and
// CImageObject reads a photo's block into one. The image classes' only reach into the grid.
#include "grid/VXGridCtrl.h"
#include "image/ExifReader.h"
#include "image/ImageObject.h"

#include <cstring>
#include <string>

namespace {

const char* EncodingName(int process)
{
    switch (process) {
    case 0xC0: return "Baseline";
    case 0xC1: return "Extended sequential";
    case 0xC2: return "Progressive";
    case 0xC3: return "Lossless";
    case 0xC5: return "Differential sequential";
    case 0xC6: return "Differential progressive";
    case 0xC7: return "Differential lossless";
    case 0xC9: return "Extended sequential, arithmetic coding";
    case 0xCA: return "Progressive, arithmetic coding";
    case 0xCB: return "Lossless, arithmetic coding";
    case 0xCD: return "Differential sequential, arithmetic coding";
    case 0xCE: return "Differential progressive, arithmetic coding";
    case 0xCF: return "Differential lossless, arithmetic coding";
    default: return "Unknown";
    }
}

const char* WhiteBalanceName(int value)
{
    return value == 1 ? "Sunny" : value == 2 ? "fluorescent" : value == 3 ? "incandescent" : "cloudy";
}

} // namespace

int CExifReader::AddRow(int row, const char* label)
{
    return m_pGrid->InsertItem(row, label, -1, -1, -1);
}

void CExifReader::FillExifGrid()
{
    if (!m_pGrid)
        return;
    const ExifInfo& e = *m_pInfo;
    CVXGridCtrl& grid = *m_pGrid;
    grid.SetRedraw(0);
    grid.DeleteAllItems();
    int row = 0;
    auto text = [&](const char* label, const char* value) {
        int at = AddRow(row, label);
        if (at >= 0) {
            grid.SetItemText(at, 1, value, -1);
            row++;
        }
    };
    auto number = [&](const char* label, double value, int decimals) {
        int at = AddRow(row, label);
        if (at >= 0) {
            grid.SetItemValue(at, 1, value, decimals, -1);
            row++;
        }
    };
    if (e.CameraMaker[0]) {
        text("카메라 메이커", e.CameraMaker);
        text("카메라 모델", e.CameraModel);
    }
    if (e.DateTaken[0])
        text("촬영일시", e.DateTaken);
    if (e.ExifVersion[0])
        text("자료 버젼", e.ExifVersion);
    number("가로", e.Width, 0);
    number("세로", e.Height, 0);
    if (e.ResolutionUnit != 0 && e.XResolution != 0)
        number("X 해상도 (dpi)", e.XResolution / e.ResolutionUnit, 1);
    if (e.ResolutionUnit != 0 && e.YResolution != 0)
        number("Y 해상도 (dpi)", e.YResolution / e.ResolutionUnit, 1);
    if (e.Orientation > 1)
        number("방향", e.Orientation, 0);
    if (e.IsColour == 0)
        text("칼라/흑백", "Black and white");
    if (e.FlashUsed >= 0)
        text("플래시 사용", e.FlashUsed ? "Yes" : "No");
    if (e.FocalLength != 0)
        number("초점거리", e.FocalLength, 1);
    if (e.FocalLength != 0 && e.SensorWidth != 0)
        number("35mm 상당", (int)(e.FocalLength / e.SensorWidth * 36 + 0.5), 0);
    if (e.SensorWidth != 0)
        number("CCD 폭", e.SensorWidth, 2);
    if (e.ExposureTime != 0)
        number("노출시간", e.ExposureTime, 3);
    if (e.Brightness != 0)
        number("밝기", e.Brightness, 3);
    if (e.FNumber != 0)
        number("조리개", e.FNumber, 1);
    if (e.SubjectDistance != 0) {
        if (e.SubjectDistance < 0)
            text("Focus dist", "Infinite");
        else
            number("Focus dist", e.SubjectDistance, 2);
    }
    if (e.IsoEquivalent != 0)
        number("ISO 상당", e.IsoEquivalent, 0);
    if (e.ExposureBias != 0)
        number("Exposure bias", e.ExposureBias, 2);
    if (e.WhiteBalance != 0)
        text("Whitebalance", WhiteBalanceName(e.WhiteBalance));
    static const char* const metering[] = {nullptr, nullptr, "center weight", "spot", nullptr, "matrix"};
    if (e.MeteringMode == 2 || e.MeteringMode == 3 || e.MeteringMode == 5)
        text("Metering Mode", metering[e.MeteringMode]);
    static const char* const programs[] = {nullptr, nullptr, "program (auto)", "aperture priority (semi-auto)",
                                           "shutter priority (semi-auto)"};
    if (e.ExposureProgram >= 2 && e.ExposureProgram <= 4)
        text("노출모드", programs[e.ExposureProgram]);
    static const char* const quality[] = {nullptr, "basic", "normal", nullptr, "fine"};
    if (e.CompressionLevel == 1 || e.CompressionLevel == 2 || e.CompressionLevel == 4)
        text("JPEG 품질", quality[e.CompressionLevel]);
    text("인코딩", EncodingName(e.JpegProcess));
    grid.SetRedraw(1);
}

int CImageObject::LoadExifInfoFromFile(const char* path, CVXGridCtrl* grid)
{
    if (!path)
        return 0;
    m_nImageType = ExtensionIndex(path);
    memset(&m_ExifInfo, 0, sizeof m_ExifInfo);
    if (m_nImageType != IMAGE_TYPE_JPG) {
        // The last photo's rows must not stay beside a picture that has none.
        if (grid)
            grid->DeleteAllItems();
        return 0;
    }
    CExifReader reader(path, &m_ExifInfo);
    reader.ReadJpegSections("");
    if (grid && m_ExifInfo.JpegProcess == 0) {
        grid->DeleteAllItems(); // no frame header: nothing to list
    } else if (grid) {
        reader.SetGrid(grid);
        reader.FillExifGrid();
    }
    return m_ExifInfo.HasExif ? 1 : 0;
}

int CImageObject::LoadExifInfo(CVXGridCtrl* grid)
{
    if (!m_pszFileName) {
        if (grid)
            grid->DeleteAllItems();
        return 0;
    }
    std::string path(m_pszFileName);
    return LoadExifInfoFromFile(path.c_str(), grid);
}
