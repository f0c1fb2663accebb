#pragma once
// Each record of an archive checked before anything is written: whether it may be restored at
// all (where it would write, whether the archive holds what it names), what it would write, and
// whether that replaces data that is there now, which the restore saves first.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "backup/descriptor_reader.h"
#include "backup/restore_scope.h"
#include "backup/unpacked_backup.h"
#include "registry/reg_file.h"
#include "registry/value_bytes.h"

struct KeyWrite {
    RootKeyValue root;
    std::string keyPath;  // the key the record names, below the root
    RegFileDocument document;
};

struct ValueWrite {
    RootKeyValue root;
    std::string keyPath;
    std::string valueName;
    uint32_t type = 0;
    std::vector<uint8_t> data;
    std::string currentText;  // what a replaced string value holds now, for the record that saves it
};

struct FileWrite {
    std::string path;
    const std::string* bytes = nullptr;  // in the unpacked archive
};

struct PlannedWrite {
    std::string item;  // as the messages name it
    std::variant<KeyWrite, ValueWrite, FileWrite> write;
    bool replaces = false;      // it changes data that is there now
    bool alreadyThere = false;  // the data is there as recorded: nothing to write
};

struct RecordPlan {
    std::optional<PlannedWrite> write;  // none: the record is not restored
    // Why not; beside a write, the lines of its key export that were left out.
    std::vector<std::string> failures;
};

class RestorePlanner {
public:
    RestorePlanner(const UnpackedBackup& backup, const RestoreScope& scope) : backup_(backup), scope_(scope) {}

    RecordPlan Plan(const DescriptorRecord& record);

private:
    RecordPlan PlanKey(const DescriptorRecord& record);
    RecordPlan PlanValue(const DescriptorRecord& record);
    RecordPlan PlanFile(const DescriptorRecord& record) const;
    struct ValueNow {
        bool replaced = false;  // it holds other data, or cannot be read and may hold anything
        bool same = false;      // it holds the very type and bytes
        std::string text;       // a string value's text, when it has no line break
    };
    ValueNow Compare(RootKeyValue root, const std::string& keyPath, const std::string& valueName, uint32_t type,
                     const std::vector<uint8_t>& data);
    // Whether importing the document replaces a value that is there now.
    bool ReplacesValues(RootKeyValue root, const RegFileDocument& document);

    const UnpackedBackup& backup_;
    const RestoreScope& scope_;
    ValueBytesReader values_;
};
