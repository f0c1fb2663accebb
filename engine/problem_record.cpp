#include "engine/problem_record.h"

namespace {
struct ItemConsistent {
    bool operator()(const RegistryProblem& problem) const {
        if (RootKeyName(problem.rootKey).empty()) return false;
        switch (problem.scope) {
            case RemovalScope::Value: return true;
            case RemovalScope::Key: return !problem.keyPath.empty();
        }
        return false;
    }
    bool operator()(const FileProblem& problem) const { return !problem.linkPath.empty(); }
};
}  // namespace

bool IsConsistent(const ProblemRecord& record) { return std::visit(ItemConsistent{}, record.item); }

ProblemPtr MakeProblem(SectionId section, std::string description, std::variant<RegistryProblem, FileProblem> item) {
    auto record = std::make_unique<ProblemRecord>();
    record->sectionId = section;
    record->description = std::move(description);
    record->item = std::move(item);
    return record;
}
