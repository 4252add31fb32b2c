// mivo_rc: compiles a Windows resource script (UTF-8) into a C++ source that
// registers the resources with the platform's resource chain.
//
//   mivo_rc [-I dir]... [-D name[=value]]... [--module name] [--program|--library]
//           [--depfile file] -o output.cpp script.rc
//
// A malformed script is reported as "file:line: message" with exit status 1.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "CppEmitter.h"
#include "MacroTable.h"
#include "Preprocessor.h"
#include "ResourceSet.h"
#include "ScriptParser.h"

namespace {

struct Options {
    std::vector<std::string> includeDirs;
    std::vector<std::string> defines;
    std::string module;
    bool program = false;
    std::string output;
    std::string depfile;
    std::string script;
};

void Usage()
{
    std::cerr << "usage: mivo_rc [-I dir]... [-D name[=value]]... [--module name] [--program|--library]\n"
                 "               [--depfile file] -o output.cpp script.rc\n";
}

bool ParseArgs(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc)
                return false;
            into = argv[++i];
            return true;
        };
        if (a == "-I" || a == "-D") {
            std::string v;
            if (!value(v))
                return false;
            (a == "-I" ? o.includeDirs : o.defines).push_back(v);
        } else if (a.size() > 2 && a.compare(0, 2, "-I") == 0) {
            o.includeDirs.push_back(a.substr(2));
        } else if (a.size() > 2 && a.compare(0, 2, "-D") == 0) {
            o.defines.push_back(a.substr(2));
        } else if (a == "-o") {
            if (!value(o.output))
                return false;
        } else if (a == "--module") {
            if (!value(o.module))
                return false;
        } else if (a == "--depfile") {
            if (!value(o.depfile))
                return false;
        } else if (a == "--program") {
            o.program = true;
        } else if (a == "--library") {
            o.program = false;
        } else if (!a.empty() && a[0] == '-') {
            return false;
        } else if (o.script.empty()) {
            o.script = a;
        } else {
            return false;
        }
    }
    return !o.script.empty() && !o.output.empty();
}

std::string BaseName(const std::string& path)
{
    std::string base = path.substr(path.find_last_of('/') + 1);
    size_t dot = base.rfind('.');
    return dot == std::string::npos || dot == 0 ? base : base.substr(0, dot);
}

// Writes beside the target and renames, so a failed run never leaves half a file.
bool WriteFile(const std::string& path, const std::string& content)
{
    std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out << content;
        out.close();
        if (!out)
            return false;
    }
    return std::rename(temp.c_str(), path.c_str()) == 0;
}

std::string Absolute(const std::string& path)
{
    char buffer[PATH_MAX];
    return realpath(path.c_str(), buffer) ? std::string(buffer) : path;
}

std::string EscapeForMake(const std::string& path)
{
    std::string out;
    for (char c : path) {
        if (c == ' ' || c == '#' || c == '\\')
            out.push_back('\\');
        if (c == '$')
            out.push_back('$');
        out.push_back(c);
    }
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!ParseArgs(argc, argv, o)) {
        Usage();
        return 2;
    }
    try {
        rc::MacroTable macros;
        for (const std::string& d : o.defines) {
            size_t eq = d.find('=');
            macros.Define(d.substr(0, eq), eq == std::string::npos ? "1" : d.substr(eq + 1), false,
                          rc::Location{"<command line>", 0});
        }
        rc::Preprocessor pp(macros, o.includeDirs);
        pp.OpenMainFile(o.script);
        rc::ResourceSet resources;
        rc::ScriptParser parser(pp, macros, resources);
        parser.Parse();

        rc::EmitOptions emit;
        emit.scriptName = o.script.substr(o.script.find_last_of('/') + 1);
        emit.moduleName = o.module.empty() ? BaseName(o.script) : o.module;
        emit.program = o.program;
        if (!WriteFile(o.output, rc::EmitCpp(resources, emit))) {
            std::cerr << "mivo_rc: cannot write " << o.output << "\n";
            return 1;
        }
        if (!o.depfile.empty()) {
            std::string deps = EscapeForMake(o.output) + ":";
            for (const std::string& f : pp.FilesRead())
                deps += " \\\n  " + EscapeForMake(Absolute(f));
            deps += "\n";
            if (!WriteFile(o.depfile, deps)) {
                std::cerr << "mivo_rc: cannot write " << o.depfile << "\n";
                return 1;
            }
        }
    } catch (const rc::RcError& e) {
        std::cerr << e.loc.file << ":" << e.loc.line << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
