// Opening and replacing the files the image library reads and writes.
// Paths are the system's own (Windows form, CP949). Internal to the library.
#pragma once

#include <cstdio>
#include <string>

namespace mivo {
namespace image {

// stdio open of a path; NULL when it cannot be opened.
FILE* OpenImageFile(const char* path, const char* mode);

// A name for a temporary file in the folder of `target`, not yet existing.
std::string TempPathBeside(const char* target);
// Puts `temp` in the place of `target`, replacing it. False leaves `target` as it was.
bool ReplaceWithFile(const char* temp, const char* target);
// Deletes a file; quiet when it is not there.
void RemoveImageFile(const char* path);

}  // namespace image
}  // namespace mivo
