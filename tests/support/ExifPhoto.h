// Photos for the tests and scenes that show EXIF data: a JPEG of a sky over a meadow with a
// small camera block (maker, model, time taken) right after its start marker.
#pragma once

#include <string>

namespace mivotest {

// Writes the photo at a Windows-form path; with an empty maker no EXIF block is written.
// Answers whether the file was written.
bool WritePhoto(const std::string& windowsPath, int width, int height, const std::string& maker = "Mivo",
                const std::string& model = "Test Camera", const std::string& taken = "2006:08:12 10:20:30");

}  // namespace mivotest
