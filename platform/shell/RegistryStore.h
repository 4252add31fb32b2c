// The registry's keys and values, kept in one text file per user and shared by every process of that user.
#pragma once

#include "win32/types.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace mivo::reg {

enum Root { kClassesRoot, kCurrentUser, kLocalMachine, kUsers, kRootCount };

struct Value {
    std::string name;
    DWORD type = 0;
    std::string data;
};

struct Key {
    std::string name;
    std::vector<Value> values;
    // Subkeys by folded name: lookups ignore case and enumeration follows the folded order.
    std::map<std::string, std::unique_ptr<Key>> subkeys;

    Key* Find(const std::string& name) const;
    Key* FindOrAdd(const std::string& name, bool* added);
    Value* FindValue(const std::string& name);
    bool RemoveValue(const std::string& name);
    bool RemoveSubkey(const std::string& name);
};

struct Tree {
    Key roots[kRootCount];
};

// Case folding of key and value names: ASCII letters only, never a trail byte of a double-byte character.
std::string FoldName(const std::string& name);

const char* RootName(int root);
int RootFromName(const std::string& name);

// Text form of the whole tree; Parse is lenient and reports whether every line made sense.
std::string Serialize(const Tree& tree);
bool Parse(const std::string& text, Tree& tree);

// The file of the current user: $MIVO_REGISTRY_FILE, else ($XDG_CONFIG_HOME or ~/.config)/mivo/registry.
std::string StorePath();

// Runs `work` on the file's current contents under the file lock. A writer's changes are saved
// (temp file, then rename) when `work` returns ERROR_SUCCESS and sets `changed`.
LONG ReadStore(const std::function<LONG(const Tree&)>& work);
LONG WriteStore(const std::function<LONG(Tree&, bool& changed)>& work);

}  // namespace mivo::reg
