// Whole-file operations on POSIX paths behind CopyFile and MoveFile.
#pragma once

#include <string>

namespace mivo {

// rename that fails with EEXIST instead of replacing the target.
int RenameNoReplace(const std::string& from, const std::string& to);
// Copies a regular file through a temporary file beside the target, so the
// target is either complete or untouched. With `replace` false an existing
// target fails with EEXIST. Returns 0 or an errno value.
int CopyFileContents(const std::string& from, const std::string& to, bool replace);
// Copies a folder tree (symbolic links as links, never followed) to `to`,
// which must not exist. Returns 0 or an errno value; a failed copy leaves nothing.
int CopyTree(const std::string& from, const std::string& to);
// Deletes a file, link or folder tree; links are removed, never followed.
// Returns 0 or the first errno value met.
int RemoveTree(const std::string& path);
// The move done by MoveFile when source and target are on different file
// systems: copy, then delete the source (its deletion may fail harmlessly).
int MoveByCopy(const std::string& from, const std::string& to, bool replace);

}  // namespace mivo
