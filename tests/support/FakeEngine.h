#pragma once
// Running the fake engine tool (tests/support/fake_engine) from tests.
#include <string>
#include <vector>

namespace testing_support {

// Makes tools started while it lives act out script (steps as described in
// fake_engine/FakeEngine.cpp) and, when argumentsFile is given, record their
// arguments there.
class FakeEngineScript {
public:
    explicit FakeEngineScript(const std::string& script, const std::string& argumentsFile = "");
    ~FakeEngineScript();
    FakeEngineScript(const FakeEngineScript&) = delete;
    FakeEngineScript& operator=(const FakeEngineScript&) = delete;
};

// The arguments the fake engine recorded in file (argv without argv[0]).
std::vector<std::string> ReadRecordedArguments(const std::string& file);

// Links the tool names avm, savm, dvdimage and vcdimage in programDirectory
// to the fake engine, so code that finds its tools there runs the fake.
void InstallFakeEngine(const std::string& programDirectory);

}  // namespace testing_support
