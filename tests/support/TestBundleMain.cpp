// The main() of a test bundle: "tests_<folder> tst_name [QtTest arguments]" runs one registered test.
#include "support/TestBundle.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {
std::map<std::string, TestBundle::RunFunction> &registry()
{
    static std::map<std::string, TestBundle::RunFunction> tests;
    return tests;
}
}  // namespace

bool TestBundle::add(const char *sourcePath, RunFunction run)
{
    std::string name = sourcePath;
    const auto slash = name.find_last_of("/\\");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return registry().emplace(name, run).second;
}

int main(int argc, char *argv[])
{
    const auto found = argc >= 2 ? registry().find(argv[1]) : registry().end();
    if (found == registry().end()) {
        std::fprintf(stderr, "Uso: %s TEST [argomenti di QtTest]\nTest di questo programma:\n", argv[0]);
        for (const auto &test : registry())
            std::fprintf(stderr, "  %s\n", test.first.c_str());
        return 2;
    }
    // The test sees the arguments that followed its name, behind the program's own name.
    std::vector<char *> arguments{argv[0]};
    arguments.insert(arguments.end(), argv + 2, argv + argc);
    arguments.push_back(nullptr);
    return found->second(argc - 1, arguments.data());
}
