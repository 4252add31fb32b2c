// Runs the built resource compiler on scripts written to a temporary folder
// and reads the resources back out of the C++ source it generates.
#pragma once

#include "support/TempFolder.h"
#include "win32.h"
#include "mivo/resources.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace rctest {

struct CompiledResource {
    WORD typeId = 0;
    std::string typeName;
    WORD nameId = 0;
    std::string name;
    std::vector<BYTE> data;
};

struct RcResult {
    int exitCode = -1;
    std::string errors;          // what the compiler wrote to stderr
    bool outputWritten = false;
    std::string moduleName;
    bool program = false;
    std::vector<CompiledResource> resources;

    // The resource of an integer type and name; fails the test when absent.
    const CompiledResource* Find(WORD type, WORD name) const;
    const CompiledResource* Find(const std::string& type, const std::string& name) const;
    size_t Count(WORD type) const;
};

class RcRunner {
public:
    RcRunner();

    // Writes a file (UTF-8 text or binary) into the script folder.
    void Write(const std::string& name, const std::string& content);
    void Write(const std::string& name, const std::vector<BYTE>& content);
    std::string Path(const std::string& name) const { return folder_.file(name); }
    // Compiles `script` (a file written before) with extra arguments.
    RcResult Compile(const std::string& script, const std::vector<std::string>& extraArgs = {});
    // Writes the script to "test.rc" and compiles it.
    RcResult CompileText(const std::string& text, const std::vector<std::string>& extraArgs = {});

private:
    mivotest::TempFolder folder_;
};

// Joins compiled resources to the resource chain under an in-process module,
// as a generated registrar would, for as long as the object lives.
class RegisteredResources {
public:
    RegisteredResources(const RcResult& result, const char* moduleName);
    ~RegisteredResources();
    HMODULE Module() const { return module_; }

private:
    std::vector<CompiledResource> resources_;
    std::vector<mivo::ResourceEntry> entries_;
    mivo::ResourceTable table_{};
    HMODULE module_ = nullptr;
};

}  // namespace rctest
