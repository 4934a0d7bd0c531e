#pragma once

// The main window's console runners by what each runs. The value is the runner's number, which its object
// name carries ("GUI2Console1" .. "GUI2Console9"); the build chain drives the first seven.
enum class RunnerRole : int {
    Compiler = 1,           // compiles for the applet viewer
    Warp = 2,               // packages the .pdb
    Exegen = 3,             // packages the .prc
    PalmCompiler = 4,       // compiles for a Palm target
    SparePackagingTool = 5, // read as a packaging tool's, never started
    AppletViewer = 6,       // runs the application
    CompileOnly = 7,        // compiles alone
    SpareAutoTerminate = 8, // ends itself when silent, never started
    ClassParser = 9,        // the class browser's outline program
};

constexpr int RunnerCount = 9;
constexpr int BuildChainRunnerCount = 7;

// Index of the role's runner in a list that holds GUI2Console1 onwards.
constexpr int runnerIndex(RunnerRole role) {
    return static_cast<int>(role) - 1;
}
