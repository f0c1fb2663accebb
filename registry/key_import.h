#pragma once
// Puts a registry editor document into the registry, in-process: keys are created, values
// written with their exact types and bytes. Import never deletes anything.
#include <string>
#include <string_view>

#include "registry/reg_file.h"

struct RegImport {
    bool ok = false;
    std::string error;  // the first failure, when not ok
};

// Refuses, changing nothing, a document that asks to delete keys or values. A key or value
// that cannot be written does not stop the others; the result then names the first failure.
RegImport ApplyRegFile(const RegFileDocument& document);

// Reads the whole file first: when it does not parse, nothing is changed.
RegImport ImportRegFile(std::string_view bytes);
