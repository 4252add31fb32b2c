// Identifier-list and path helpers the folder tree walks the namespace with, exported for the
// programs (which compare identifiers and size lists with them).
#pragma once

#include "mfc.h"

// Longest path the component helpers take, terminator included; `out` buffers hold this much.
const unsigned kShellPathMax = MAX_PATH;

// The first n components of path, each with its trailing separator run ("\" and "/"); a path
// starting with two backslashes sets isNet (never clears it), and there a run of two or more
// separators does not end a component. True when n components were found (out holds exactly
// them); false when the path ended first (out holds the whole path) or is too long (out empty).
AFX_EXT_API bool SHGetChildPath(const char* path, char* out, bool& isNet, unsigned n);
// The number of components of a path (C:\a\b gives 3, C:\ gives 1).
AFX_EXT_API unsigned SHGetChildrenN(const char* path);
// The number of identifiers; 0 for null or empty.
AFX_EXT_API unsigned SHGetChildrenN(const ITEMIDLIST* pidl);
// The position after the first n identifiers; null for null or a shorter list.
AFX_EXT_API ITEMIDLIST* SHGetIDL(const ITEMIDLIST* pidl, unsigned n);
// Total size with the two-byte terminator; 0 for null.
AFX_EXT_API unsigned SHGetIDLSize(const ITEMIDLIST* pidl);
AFX_EXT_API bool SHCompareID(const SHITEMID& a, const SHITEMID& b);
// Whether child lies at or below parent; an empty parent holds everything.
AFX_EXT_API bool SHIsSubIDL(const ITEMIDLIST* parent, const ITEMIDLIST* child);
AFX_EXT_API ITEMIDLIST* SHCopyIDL(const ITEMIDLIST* pidl);
AFX_EXT_API ITEMIDLIST* SHCreateSpecialPIDL(int csidl);
AFX_EXT_API void SHFree1(void* block);
AFX_EXT_API bool SHIsNetPath(const char* path);
AFX_EXT_API bool SHIsNetPath(const ITEMIDLIST* pidl);
