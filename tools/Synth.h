// A synthetic raw trace set on disk, and a listing of the errors it was made with.
#pragma once

#include <string>
#include <vector>

struct ToolArguments;

struct SynthResult {
    bool ok = false;
    std::vector<std::string> messages;  // why not
    std::string listing;                // the files written and the error curves put in
};

// The measurement model's realistic errors with the arguments' size, unit, noise and seed,
// written through the trace file writer as DIR/ang000.dat and the files the angle rule names
// after it. Every file is written under a temporary name first and renamed once all are
// complete, so a failure leaves none of them behind.
SynthResult WriteSyntheticSet(const ToolArguments& args);
