#pragma once
// A "--sections" argument of the console front end, written with the sections' names.
#include <initializer_list>
#include <string>

#include "engine/section_descriptors.h"

inline std::string SectionList(std::initializer_list<SectionId> ids) {
    std::string list;
    for (SectionId id : ids) list += (list.empty() ? "" : ",") + std::to_string(id);
    return list;
}
