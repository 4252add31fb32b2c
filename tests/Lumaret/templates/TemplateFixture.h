// An empty copy of the shipped template database under the program's own data source name, a
// data folder with its "Temp" folder, and small picture files (JPEG, BMP, GIF) made by the test.
#pragma once

#include <gtest/gtest.h>

#include "mfc.h"
#include "image/GIFFile.h"
#include "image/ImageObject.h"
#include "shell/MainApp.h"
#include "support/TempDatabase.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace templatetest {

using Bytes = std::vector<unsigned char>;

inline Bytes ReadAll(const std::string& posixPath)
{
    std::ifstream in(posixPath, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool Exists(const std::string& posixPath)
{
    struct stat st;
    return ::stat(posixPath.c_str(), &st) == 0;
}

class TemplateDatabase : public ::testing::Test {
protected:
    mivotest::TempDatabase db{"Mivo", {"Mivo.sql"}};
    mivotest::TempFolder data{"mivo-templates"};
    mivotest::TempFolder pictures{"mivo-template-pictures"};

    void SetUp() override
    {
        theApp.m_strDataDir = data.windowsPath().c_str();
        theApp.m_strTmplDSN = "Mivo";
        theApp.m_strTmplUID = "";
        theApp.m_strTmplPWD = "";
        ::mkdir(data.file("Temp").c_str(), 0700);
    }

    // A picture of one colour with a darker square, saved in the format its name ends with.
    CString Picture(const std::string& name, int width, int height, COLORREF colour = RGB(200, 40, 40)) const
    {
        CString path = (pictures.windowsPath() + name).c_str();
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".gif") == 0)
            return WriteGif(path, width, height) ? path : CString();
        CImageObject base;
        std::unique_ptr<CImageObject> image(base.MakeBlankImageObject(colour, width, height));
        if (!image)
            return CString();
        image->DrawRect(CRect(width / 4, height / 4, width * 3 / 4, height * 3 / 4), RGB(20, 20, 90), TRUE, 100, 1,
                        FALSE, 0);
        return image->Save(path) ? path : CString();
    }
    std::string PosixPicture(const std::string& name) const { return pictures.file(name); }
    std::string TempFile(const std::string& name) const { return data.file("Temp/" + name); }
    // Everything in the Temp folder, subfolders included, as paths below it.
    std::vector<std::string> TempNames() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(data.file("Temp")))
            names.push_back(entry.path().string().substr(data.file("Temp").size()));
        return names;
    }
    CString TempPath(const std::string& name) const { return (data.windowsPath() + "Temp\\" + name).c_str(); }

    // Rows of a query, one "a:b:c" per row joined by " ; ", as UTF-8.
    std::string Rows(const std::string& columns, const std::string& table, const std::string& key) const
    {
        return db.scalar("select group_concat(r, ' ; ') from (select " + columns + " as r from " + table +
                         " order by " + key + ")");
    }

private:
    static bool WriteGif(const CString& path, int width, int height)
    {
        std::vector<BYTE> index((size_t)width * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                index[(size_t)y * width + x] = (BYTE)((x / 4 + y / 4) % 2);
        int red[256] = {250, 30}, green[256] = {220, 60}, blue[256] = {120, 160};
        CGIFFile gif;
        return gif.GIFWriteFileFrom256Color(index.data(), path, width, height, 0, red, green, blue) == 1;
    }
};

}  // namespace templatetest
