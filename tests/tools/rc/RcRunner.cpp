#include "RcRunner.h"
#include "mivo/modules.h"
#include "mivo/resources.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <regex>
#include <sstream>

extern char** environ;

namespace rctest {

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Reads the byte arrays, the entry table and the registrar call back out of
// the generated source.
void ParseGenerated(const std::string& source, RcResult& result)
{
    std::map<int, std::vector<BYTE>> arrays;
    std::regex arrayStart(R"re(const unsigned char kData(\d+)\[\] = \{)re");
    std::regex byteValue(R"re(0x([0-9a-f]{2}),)re");
    std::istringstream lines(source);
    std::string line;
    int current = -1;
    while (std::getline(lines, line)) {
        std::smatch m;
        if (std::regex_search(line, m, arrayStart)) {
            current = std::stoi(m[1]);
            arrays[current];
            continue;
        }
        if (current >= 0 && line.find("};") != std::string::npos) {
            current = -1;
            continue;
        }
        if (current >= 0) {
            for (auto it = std::sregex_iterator(line.begin(), line.end(), byteValue); it != std::sregex_iterator(); ++it)
                arrays[current].push_back((BYTE)std::stoi((*it)[1], nullptr, 16));
        }
    }
    std::regex entry(R"re(\{(\d+), (nullptr|"([^"]*)"), (\d+), (nullptr|"([^"]*)"), kData(\d+), (\d+)u\},)re");
    for (auto it = std::sregex_iterator(source.begin(), source.end(), entry); it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        CompiledResource r;
        r.typeId = (WORD)std::stoi(m[1]);
        r.typeName = m[3];
        r.nameId = (WORD)std::stoi(m[4]);
        r.name = m[6];
        r.data = arrays[std::stoi(m[7])];
        r.data.resize(std::stoul(m[8]));  // empty resources carry one filler byte
        result.resources.push_back(r);
    }
    std::smatch reg;
    std::regex registrar(R"re(RegisterModuleResources\("([^"]*)", &kTable, (true|false)\))re");
    if (std::regex_search(source, reg, registrar)) {
        result.moduleName = reg[1];
        result.program = reg[2] == "true";
    }
}

}  // namespace

const CompiledResource* RcResult::Find(WORD type, WORD name) const
{
    for (const CompiledResource& r : resources)
        if (r.typeName.empty() && r.typeId == type && r.name.empty() && r.nameId == name)
            return &r;
    ADD_FAILURE() << "no resource " << name << " of type " << type;
    return nullptr;
}

const CompiledResource* RcResult::Find(const std::string& type, const std::string& name) const
{
    for (const CompiledResource& r : resources)
        if (r.typeName == type && r.name == name)
            return &r;
    ADD_FAILURE() << "no resource " << name << " of type " << type;
    return nullptr;
}

size_t RcResult::Count(WORD type) const
{
    size_t n = 0;
    for (const CompiledResource& r : resources)
        n += r.typeName.empty() && r.typeId == type;
    return n;
}

RcRunner::RcRunner() = default;

void RcRunner::Write(const std::string& name, const std::string& content)
{
    std::ofstream(folder_.file(name), std::ios::binary) << content;
}

void RcRunner::Write(const std::string& name, const std::vector<BYTE>& content)
{
    std::ofstream out(folder_.file(name), std::ios::binary);
    out.write(reinterpret_cast<const char*>(content.data()), (std::streamsize)content.size());
}

RcResult RcRunner::Compile(const std::string& script, const std::vector<std::string>& extraArgs)
{
    std::string output = folder_.file("out.cpp");
    std::string errors = folder_.file("errors.txt");
    unlink(output.c_str());
    std::vector<std::string> args = {MIVO_RC_PATH, "-o", output};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    args.push_back(folder_.file(script));
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(&a[0]);
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid;
    RcResult result;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    result.errors = ReadAll(errors);
    result.outputWritten = access(output.c_str(), F_OK) == 0;
    if (result.outputWritten)
        ParseGenerated(ReadAll(output), result);
    return result;
}

RcResult RcRunner::CompileText(const std::string& text, const std::vector<std::string>& extraArgs)
{
    Write("test.rc", text);
    return Compile("test.rc", extraArgs);
}

RegisteredResources::RegisteredResources(const RcResult& result, const char* moduleName)
    : resources_(result.resources)
{
    for (const CompiledResource& r : resources_) {
        entries_.push_back(mivo::ResourceEntry{r.typeId, r.typeName.empty() ? nullptr : r.typeName.c_str(), r.nameId,
                                               r.name.empty() ? nullptr : r.name.c_str(), r.data.data(),
                                               (DWORD)r.data.size()});
    }
    table_ = mivo::ResourceTable{entries_.data(), entries_.size()};
    module_ = mivo::RegisterInProcessModule(moduleName, mivo::ExportMap{});
    mivo::RegisterModuleResources(module_, &table_, false);
}

RegisteredResources::~RegisteredResources()
{
    mivo::UnregisterModuleResources(&table_);
    mivo::UnregisterInProcessModule(module_);
}

}  // namespace rctest
