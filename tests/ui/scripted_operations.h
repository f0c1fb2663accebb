#pragma once
// Scan operations that run a test's script for each operation and count the calls.
#include <functional>
#include <map>

#include "engine/scan_engine.h"
#include "engine/scan_operations.h"

class ScriptedOperations : public ScanOperations {
public:
    bool Run(ScanOperation operation, ScanEngine& engine) override {
        ++calls[operation];
        if (auto script = scripts.find(operation); script != scripts.end()) script->second(engine);
        return engine.Running();
    }
    std::map<ScanOperation, int> calls;
    std::map<ScanOperation, std::function<void(ScanEngine&)>> scripts;
};
