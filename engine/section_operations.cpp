#include "engine/section_operations.h"

#include "engine/section_descriptors.h"

std::span<const OperationStep> SectionOperations(SectionId id) {
    const SectionDescriptor* section = FindSectionDescriptor(id);
    return section ? section->steps : std::span<const OperationStep>();
}
